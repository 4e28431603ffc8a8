// The texts of a string grid: one cp932 byte string per cell.
//
// Each row packs its cells into one byte string (a length, then the bytes,
// per cell; trailing empty cells left out), so an empty row costs one empty
// string and a row of eight short texts one allocation.  Moving a row moves
// one string.  Texts are kept byte for byte; any byte value may occur.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

class GridCells {
public:
    int ColCount() const { return cols_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Cells outside the new size are dropped.
    void Resize(int cols, int rows);

    // Empty outside the grid.  The view lasts until the row is changed.
    std::string_view Get(int col, int row) const;
    // The texts of the first `count` cells of a row, in one pass over the
    // row (cells past its last text, and every cell of a row outside the
    // grid, are empty).  The views last until the row is changed.
    void GetRow(int row, std::string_view* out, int count) const;
    // Outside the grid: false, nothing stored.
    bool Set(int col, int row, std::string_view text);

    // The row (column) at `from` is taken out and put back so that it ends
    // at `to`; the others close up.
    void MoveRow(int from, int to);
    void MoveCol(int from, int to);
    // Row i takes the texts row order[i] had; each row's packed string
    // moves, no text is copied.  False, with nothing changed, unless
    // `order` names every row exactly once.
    bool ReorderRows(const std::vector<int>& order);

private:
    static std::vector<std::string_view> Split(const std::string& packed);
    static std::string Pack(const std::vector<std::string_view>& cells);

    int cols_ = 0;
    std::vector<std::string> rows_;
};

}  // namespace ui
