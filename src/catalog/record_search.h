// Finding a record by a text in its fields.
#pragma once

#include "catalog/catalog_rows.h"
#include "framework/cp932_chars.h"

// The first record after row `current` whose stored fields (columns 1 to
// 7; the number in column 0 is only the row's place) hold the finder's
// text, compared as the catalog compares names.  The search goes on from
// row 1 after the last row and ends with `current` itself; -1 when no
// record holds the text.  A `current` outside the records starts at row 1.
int FindRecordRow(const CatalogRows& rows, int current, const ui::Cp932Finder& finder);
