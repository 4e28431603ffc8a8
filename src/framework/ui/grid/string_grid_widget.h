// The string grid: the grid control with a cp932 text in every cell.  The
// texts move with their rows and columns, feed the in-place editor and are
// drawn by the default cell drawing, two pixels in from the cell's top
// left, clipped to the cell.
#pragma once

#include "framework/ui/grid/grid_cells.h"
#include "framework/ui/grid/grid_widget.h"

#include <string>
#include <string_view>
#include <vector>

namespace ui {

class StringGridWidget : public GridWidget {
    Q_OBJECT

public:
    explicit StringGridWidget(QWidget* parent = nullptr);

    // Empty for an empty cell and outside the grid.  The view lasts until
    // the row is changed.
    std::string_view Cell(int col, int row) const { return cells_.Get(col, row); }
    // The texts of a row's first `count` cells at once (see GridCells).
    void RowCells(int row, std::string_view* out, int count) const { cells_.GetRow(row, out, count); }
    // Outside the grid: EInvalidOperation.
    void SetCell(int col, int row, std::string_view text);
    // Puts the texts of the rows in a new order at once: row i takes the
    // texts that row order[i] had.  Row heights, the current cell and the
    // selection stay where they are, as when the texts are written anew;
    // the grid repaints once.  EInvalidOperation unless `order` names every
    // row exactly once.
    void ReorderRows(const std::vector<int>& order);

protected:
    void DrawCell(int col, int row, const Rect& rect, GridDrawState state) override;
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& text) override;
    void MoveRowData(int from, int to) override;
    void MoveColData(int from, int to) override;
    void SizeChanged(int oldColCount, int oldRowCount) override;

private:
    GridCells cells_;
};

}  // namespace ui
