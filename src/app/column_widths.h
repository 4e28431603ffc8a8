// The catalog grid's column widths in the fonts at hand.  The widths its
// form stores were made for a face whose half-width characters (digits,
// capitals, "/") are half the font's height wide, 6 pixels at 12; in it the
// DATE column holds a ten-character date, NIF_ID an eight-character ID.
// The faces that stand in for it here draw those characters wider and would
// cut "2000/02/14" to "000/02/14", so the shown widths grow by the ratio of
// the grid font's mean width of digits and capitals to that half height.
// The widths in the form stay as stored; a font no wider leaves them as
// they are.
#pragma once

class TCustomGrid;

// The ratio for the grid's font, at least 1.
double ColumnWidthScale(const TCustomGrid& grid);

// Multiplies every column width of the grid by ColumnWidthScale, rounding
// up.
void FitColumnWidthsToFont(TCustomGrid& grid);
