#include "framework/ui/grid/grid_cells.h"

#include <algorithm>

namespace ui {
namespace {

constexpr int kReadAhead = 8;

// Lengths are stored in 7-bit groups, low group first; the high bit marks
// that another group follows.
void PutLength(std::string& out, size_t n) {
    while (n >= 0x80) {
        out.push_back(static_cast<char>((n & 0x7F) | 0x80));
        n >>= 7;
    }
    out.push_back(static_cast<char>(n));
}

size_t GetLength(const std::string& s, size_t& pos) {
    size_t n = 0;
    int shift = 0;
    for (;;) {
        const unsigned char b = static_cast<unsigned char>(s[pos++]);
        n |= size_t{b & 0x7Fu} << shift;
        if (!(b & 0x80)) return n;
        shift += 7;
    }
}

}  // namespace

std::vector<std::string_view> GridCells::Split(const std::string& packed) {
    std::vector<std::string_view> cells;
    size_t pos = 0;
    while (pos < packed.size()) {
        const size_t n = GetLength(packed, pos);
        cells.emplace_back(packed.data() + pos, n);
        pos += n;
    }
    return cells;
}

std::string GridCells::Pack(const std::vector<std::string_view>& cells) {
    size_t used = cells.size();
    while (used > 0 && cells[used - 1].empty()) --used;
    size_t total = 0;
    for (size_t i = 0; i < used; ++i) total += cells[i].size() + 2;
    std::string out;
    out.reserve(total);
    for (size_t i = 0; i < used; ++i) {
        PutLength(out, cells[i].size());
        out.append(cells[i]);
    }
    return out;
}

void GridCells::Resize(int cols, int rows) {
    cols = std::max(0, cols);
    rows = std::max(0, rows);
    rows_.resize(static_cast<size_t>(rows));
    if (cols < cols_) {
        for (std::string& row : rows_) {
            if (row.empty()) continue;
            auto cells = Split(row);
            if (cells.size() <= static_cast<size_t>(cols)) continue;
            cells.resize(static_cast<size_t>(cols));
            row = Pack(cells);
        }
    }
    cols_ = cols;
}

std::string_view GridCells::Get(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return {};
    // Columns are mostly read row after row (painting, sorting); rows live
    // in separate blocks, so a later row's block is fetched meanwhile.
    if (row + kReadAhead < RowCount()) __builtin_prefetch(rows_[static_cast<size_t>(row + kReadAhead)].data());
    const std::string& packed = rows_[static_cast<size_t>(row)];
    size_t pos = 0;
    for (int c = 0; pos < packed.size(); ++c) {
        const size_t n = GetLength(packed, pos);
        if (c == col) return std::string_view(packed.data() + pos, n);
        pos += n;
    }
    return {};
}

void GridCells::GetRow(int row, std::string_view* out, int count) const {
    int c = 0;
    if (row >= 0 && row < RowCount()) {
        if (row + kReadAhead < RowCount()) __builtin_prefetch(rows_[static_cast<size_t>(row + kReadAhead)].data());
        const std::string& packed = rows_[static_cast<size_t>(row)];
        for (size_t pos = 0; c < count && c < cols_ && pos < packed.size(); ++c) {
            const size_t n = GetLength(packed, pos);
            out[c] = std::string_view(packed.data() + pos, n);
            pos += n;
        }
    }
    for (; c < count; ++c) out[c] = std::string_view();
}

bool GridCells::Set(int col, int row, std::string_view text) {
    if (col < 0 || row < 0 || col >= cols_ || row >= RowCount()) return false;
    std::string& packed = rows_[static_cast<size_t>(row)];
    // The text may be a view into this very row: copy it before splicing.
    std::string cell;
    PutLength(cell, text.size());
    cell.append(text);

    size_t pos = 0;
    int c = 0;
    while (c < col && pos < packed.size()) {
        pos += GetLength(packed, pos);
        ++c;
    }
    if (pos == packed.size()) {
        // The row ends before this cell: it and the cells up to it are empty.
        if (text.empty()) return true;
        packed.append(static_cast<size_t>(col - c), '\0');
        packed.append(cell);
        return true;
    }
    const size_t start = pos;
    const size_t n = GetLength(packed, pos);
    const size_t end = pos + n;
    packed.replace(start, end - start, cell);
    if (text.empty() && start + 1 == packed.size()) packed = Pack(Split(packed));  // drop trailing empties
    return true;
}

void GridCells::MoveRow(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= RowCount() || to >= RowCount()) return;
    auto first = rows_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

bool GridCells::ReorderRows(const std::vector<int>& order) {
    if (order.size() != rows_.size()) return false;
    std::vector<bool> taken(rows_.size(), false);
    for (int from : order) {
        if (from < 0 || from >= RowCount() || taken[static_cast<size_t>(from)]) return false;
        taken[static_cast<size_t>(from)] = true;
    }
    std::vector<std::string> reordered;
    reordered.reserve(rows_.size());
    for (int from : order) reordered.push_back(std::move(rows_[static_cast<size_t>(from)]));
    rows_.swap(reordered);
    return true;
}

void GridCells::MoveCol(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= cols_ || to >= cols_) return;
    for (std::string& row : rows_) {
        if (row.empty()) continue;
        auto cells = Split(row);
        cells.resize(static_cast<size_t>(cols_));
        auto first = cells.begin();
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
        row = Pack(cells);
    }
}

}  // namespace ui
