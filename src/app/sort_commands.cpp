// The Sort menu and row dragging: the order of the records in the grid,
// and SortColumn, which tells what that order is.
#include "app/grid_rows.h"
#include "app/main_form.h"
#include "catalog/catalog_sort.h"

void TForm1::SortByText(int column) {
    GridRows rows(*ComboGrid1);
    ::SortByText(rows, column);
    SortColumn = column;
    PreviewCurrentRow();
}

void TForm1::SortByNumber(int column) {
    GridRows rows(*ComboGrid1);
    // A cell that is no number ends here with the conversion error; the
    // former SortColumn then stays.
    ::SortByNumber(rows, column);
    SortColumn = column;
    PreviewCurrentRow();
}

void TForm1::MenuSortClick(TObject*) {
    // The items stand in column order: the last sort's column is marked,
    // none after a row was dragged.
    const int count = MenuSort->Count();
    for (int i = 0; i < count; ++i) MenuSort->Items(i)->SetChecked(false);
    if (SortColumn >= 0 && SortColumn < count) MenuSort->Items(SortColumn)->SetChecked(true);
}

void TForm1::MenuSortNumClick(TObject*) { SortByNumber(0); }
void TForm1::MenuSortDirClick(TObject*) { SortByText(1); }
void TForm1::MenuSortLZHFileClick(TObject*) { SortByText(2); }
void TForm1::MenuSortTitleClick(TObject*) { SortByText(3); }
void TForm1::MenuSortAuthorClick(TObject*) { SortByText(4); }
void TForm1::MenuSortIDClick(TObject*) { SortByText(5); }
void TForm1::MenuSortDateClick(TObject*) { SortByText(6); }
void TForm1::MenuSortSizeClick(TObject*) { SortByNumber(7); }

// A row moved by hand is the user's own order: a change to keep, unlike a
// sort, which the Sort menu can make again at any time.
void TForm1::ComboGrid1RowMoved(TObject*, int, int) {
    SortColumn = -1;
    if (!Modified) {
        Modified = true;
        UpdateCaption();
    }
    PreviewCurrentRow();
}
