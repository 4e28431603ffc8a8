// Value types of the grid: options, draw states, cell coordinates and cell
// ranges.
#pragma once

#include <cstdint>

namespace ui {

// The grid's options, one bit each, in the order of their ordinals (bit n
// is option n), so that a set of them streams as a set.
enum GridOption : uint32_t {
    goFixedVertLine = 1u << 0,      // lines between fixed columns
    goFixedHorzLine = 1u << 1,      // lines between fixed rows
    goVertLine = 1u << 2,           // lines between data columns
    goHorzLine = 1u << 3,           // lines between data rows
    goRangeSelect = 1u << 4,        // Shift and dragging select a range of cells
    goDrawFocusSelected = 1u << 5,  // the focused cell is drawn selected
    goRowSizing = 1u << 6,          // rows are sized by dragging a fixed-column border
    goColSizing = 1u << 7,          // columns are sized by dragging a heading border
    goRowMoving = 1u << 8,          // rows are moved by dragging their fixed cell
    goColMoving = 1u << 9,          // columns are moved by dragging their heading
    goEditing = 1u << 10,           // cells are edited in place
    goTabs = 1u << 11,              // Tab and Shift+Tab move between cells
    goRowSelect = 1u << 12,         // whole rows are selected
    goAlwaysShowEditor = 1u << 13,  // the editor shows without being asked for
    goThumbTracking = 1u << 14,     // the grid follows the scroll-bar thumb while it is dragged
};
using GridOptions = uint32_t;

inline constexpr GridOptions kDefaultGridOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

// The state a cell is drawn in (a set of flags).
enum GridDrawFlag : uint8_t {
    gdSelected = 0x1,
    gdFocused = 0x2,
    gdFixed = 0x4,
};
using GridDrawState = uint8_t;

// A cell: column x, row y.  -1 marks no cell.
struct GridCoord {
    int x = -1;
    int y = -1;
    bool IsValid() const { return x >= 0 && y >= 0; }
    friend bool operator==(const GridCoord&, const GridCoord&) = default;
};

// A range of cells, both corners included.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(int col, int row) const { return col >= left && col <= right && row >= top && row <= bottom; }
    friend bool operator==(const GridRect&, const GridRect&) = default;
};

// What a mouse drag on the grid is doing.
enum class GridState : uint8_t { Normal, Selecting, RowSizing, ColSizing, RowMoving, ColMoving };

}  // namespace ui
