// Sorting the catalog by one column, always ascending and stable: records
// with equal keys keep the order they had before the sort.
//
// Both sorts give exactly what an insertion sort over the records gives
// (row i taken out and put back after the last row before it whose key is
// not greater), but sort a permutation in O(n log n) and move the rows
// once, so a catalog of 100,000 records sorts at once.
#pragma once

#include "catalog/catalog_rows.h"

// Keys are the cell texts, compared byte by byte as unsigned cp932 bytes; a
// text that begins another sorts first.
void SortByText(CatalogRows& rows, int column);

// Keys are the cell texts read as 32-bit signed integers (StrToInt).  A
// cell that is no integer raises StrToInt's EConvertError with its text,
// after the records the insertion sort had placed before meeting it are
// in place; the rest stay as they were.  The insertion sort reads row 2's
// key, then row 1's, then each further row's as its turn comes.  With one
// record nothing is read.
void SortByNumber(CatalogRows& rows, int column);
