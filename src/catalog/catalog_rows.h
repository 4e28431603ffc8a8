// The catalog's records as the sorts see them: the rows of the catalog
// grid, row 0 the headings and rows 1 .. RowCount() - 1 one record each,
// eight cells a row.  The main window hands its grid in through this.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CatalogRows {
public:
    virtual ~CatalogRows() = default;

    // Rows including the heading row 0.
    virtual int RowCount() const = 0;
    // The cp932 text of a cell.
    virtual std::string Cell(int col, int row) const = 0;
    // The texts of a row's cells 0 .. count - 1 without copies; the views
    // last until the rows change.
    virtual void RowView(int row, std::string_view* cells, int count) const = 0;
    // Moves whole records at once: row i takes the record that row
    // order[i] held.  `order` names every row once and keeps row 0 first.
    virtual void Reorder(const std::vector<int>& order) = 0;
};
