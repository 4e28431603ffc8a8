// The sizes along one axis of a grid (the column widths or the row
// heights) and the pixel positions they add up to.
//
// While every item has the default size, positions are computed by
// arithmetic and the axis holds no per-item storage.  Once an item has its
// own size, the sizes are kept with a Fenwick tree of the extents, so a
// position and the item at a position cost O(log n) even for 100,000 rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ui {

class GridAxis {
public:
    GridAxis(int count, int defaultSize);

    int Count() const { return count_; }
    // New items take the default size; removed ones take their sizes along.
    void SetCount(int count);

    int DefaultSize() const { return default_; }
    // Every item takes the new default size.
    void SetDefaultSize(int size);

    // Pixels after each item (the grid line), part of its extent.
    int LineWidth() const { return line_; }
    void SetLineWidth(int width);

    int Size(int i) const { return sizes_.empty() ? default_ : sizes_[static_cast<size_t>(i)]; }
    // Negative sizes are taken as 0.
    void SetSize(int i, int size);
    // True when some item differs from the default size.
    bool HasCustomSizes() const;
    std::vector<int> Sizes() const;

    // The item at `from` is taken out and put back so that it ends at `to`.
    void MoveItem(int from, int to);

    // Position of the start of item i (0..Count): the extents of the items
    // before it, each its size plus the line width.
    int64_t Start(int i) const;
    int64_t Extent(int i) const { return int64_t{Size(i)} + line_; }
    // The item whose extent holds `pos`: -1 before the first item, Count()
    // at or past the end.  Items of extent 0 hold no position.
    int IndexAt(int64_t pos) const;

private:
    void UseOwnSizes();
    void Rebuild();

    int count_;
    int default_;
    int line_ = 1;
    std::vector<int> sizes_;     // empty while every item has the default size
    std::vector<int64_t> tree_;  // Fenwick tree of the extents, 1-based
};

}  // namespace ui
