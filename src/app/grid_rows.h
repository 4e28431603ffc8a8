// The catalog grid as the sorts' rows (see catalog/catalog_rows.h).
#pragma once

#include "catalog/catalog_rows.h"
#include "framework/ui/grid/grids.h"

class GridRows : public CatalogRows {
public:
    explicit GridRows(TStringGrid& grid) : grid_(grid) {}

    int RowCount() const override { return grid_.RowCount(); }
    std::string Cell(int col, int row) const override { return grid_.Cells(col, row); }
    void RowView(int row, std::string_view* cells, int count) const override { grid_.RowTexts(row, cells, count); }
    void Reorder(const std::vector<int>& order) override { grid_.ReorderRows(order); }

private:
    TStringGrid& grid_;
};
