#include "framework/ui/grid/grid_test_support.h"

#include "framework/exceptions.h"
#include "framework/ui/grid/grid_axis.h"
#include "framework/ui/graphics/qt_graphics.h"

#include <QImage>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <random>

using namespace gridtest;

TEST(GridAxis, PositionsAgreeWithTheSumOfSizes) {
    GridAxis axis(100000, 14);
    EXPECT_EQ(axis.Start(0), 0);
    EXPECT_EQ(axis.Start(3), 45);  // 3 x (14 + 1 line)
    EXPECT_EQ(axis.IndexAt(44), 2);
    EXPECT_EQ(axis.IndexAt(45), 3);
    EXPECT_EQ(axis.IndexAt(-1), -1);
    EXPECT_EQ(axis.IndexAt(axis.Start(100000)), 100000);
    EXPECT_FALSE(axis.HasCustomSizes());

    // Own sizes everywhere: the tree must agree with a plain running sum.
    std::mt19937 rng(7);
    std::vector<int> sizes(100000);
    for (int i = 0; i < 100000; ++i) {
        sizes[i] = static_cast<int>(rng() % 30);  // zero sizes among them
        axis.SetSize(i, sizes[i]);
    }
    axis.MoveItem(10, 99990);
    std::rotate(sizes.begin() + 10, sizes.begin() + 11, sizes.begin() + 99991);
    axis.MoveItem(500, 3);
    std::rotate(sizes.begin() + 3, sizes.begin() + 500, sizes.begin() + 501);
    EXPECT_EQ(axis.Sizes(), sizes);
    int64_t start = 0;
    for (int i = 0; i < 100000; ++i) {
        if (i % 997 == 0 || i > 99980) {
            ASSERT_EQ(axis.Start(i), start) << i;
            ASSERT_EQ(axis.IndexAt(start + sizes[i]), i) << i;  // the line belongs to the item
        }
        start += sizes[i] + 1;
    }
    EXPECT_EQ(axis.Start(100000), start);

    // Fewer items keep their sizes; a new default resets all.
    axis.SetCount(5);
    EXPECT_EQ(axis.Sizes(), std::vector<int>(sizes.begin(), sizes.begin() + 5));
    axis.SetDefaultSize(20);
    EXPECT_FALSE(axis.HasCustomSizes());
    EXPECT_EQ(axis.Start(5), 105);
}

TEST(GridGeometry, CellRectanglesAndTheCellUnderAPoint) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpCatalog(g, 200);

    // Columns 40, 45, 95 with 1-pixel lines: column 2 starts at 87.
    EXPECT_EQ(g.CellRect(2, 0), (Rect{87, 0, 182, 14}));
    EXPECT_EQ(g.CellRect(2, 3), (Rect{87, 45, 182, 59}));
    EXPECT_EQ(g.MouseCoord(87, 45), (GridCoord{2, 3}));
    EXPECT_EQ(g.MouseCoord(86, 44), (GridCoord{1, 2}));  // a line belongs to the cell before it
    int col, row;
    g.MouseToCell(5, 5, col, row);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);
    // Right of the last column there is no column, but still a row.
    g.SetColWidth(3, 50);
    const int gridRight = g.CellRect(7, 0).right + 1;
    ASSERT_LT(gridRight, g.viewport()->width());
    EXPECT_EQ(g.MouseCoord(gridRight + 2, 20), (GridCoord{-1, 1}));
    EXPECT_EQ(g.MouseCoord(-1, -1), (GridCoord{-1, -1}));

    // Scrolled: rows above TopRow vanish, fixed rows stay on top.
    g.SetTopRow(50);
    EXPECT_TRUE(g.CellRect(1, 10).IsEmpty());
    EXPECT_EQ(g.CellRect(1, 50).top, 15);
    EXPECT_EQ(g.CellRect(1, 0).top, 0);
    EXPECT_EQ(g.MouseCoord(50, 16).y, 50);
    EXPECT_TRUE(g.CellRect(1, 199).IsEmpty());  // below the window

    // Sizes: out of range is an error, not a silent no-op.
    EXPECT_THROW(g.SetColWidth(8, 10), EInvalidOperation);
    EXPECT_THROW(g.SetCell(0, 200, "x"), EInvalidOperation);
    EXPECT_THROW(g.SetFixedCols(8), EInvalidOperation);
    EXPECT_TRUE(g.ColWidthsCustomized());
    EXPECT_EQ(g.ColWidths(), (std::vector<int>{40, 45, 95, 50, 72, 65, 64, 52}));
    EXPECT_FALSE(g.RowHeightsCustomized());
}

namespace {

class CountingGrid : public StringGridWidget {
public:
    using StringGridWidget::StringGridWidget;
    int topLeftSteps = 0;
    int cellsDrawn = 0;
    int fixedDrawn = 0;
    int selectedDrawn = 0;
    int maxRowDrawn = -1;

protected:
    void TopLeftChanged() override {
        ++topLeftSteps;
        StringGridWidget::TopLeftChanged();
    }
    void DrawCell(int col, int row, const Rect& rect, GridDrawState state) override {
        ++cellsDrawn;
        if (state & gdFixed) ++fixedDrawn;
        if (state & gdSelected) ++selectedDrawn;
        maxRowDrawn = std::max(maxRowDrawn, row);
        StringGridWidget::DrawCell(col, row, rect, state);
    }
};

}  // namespace

TEST(GridScroll, ScrollBarMovesTopRowAndRunsTheTopLeftStep) {
    GridWindow<CountingGrid> w;
    CountingGrid& g = *w.grid;
    SetUpCatalog(g, 100000);
    w.Settle();
    int events = 0;
    g.onTopLeftChanged = [&] { ++events; };
    QScrollBar* bar = g.verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->minimum(), 1);

    bar->setValue(50000);
    EXPECT_EQ(g.TopRow(), 50000);
    EXPECT_EQ(g.topLeftSteps, 1);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(g.CellRect(1, 50000).top, 15);

    // The last row can be scrolled to, but not past: it ends inside the view.
    g.SetTopRow(1000000);
    EXPECT_EQ(g.TopRow(), bar->maximum());
    const Rect last = g.CellRect(1, 99999);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_LE(last.bottom, g.viewport()->height());
    EXPECT_TRUE(g.CellRect(1, g.TopRow() - 1).IsEmpty());
    EXPECT_EQ(g.topLeftSteps, 2);
    g.SetTopRow(g.TopRow());  // no change, no step
    EXPECT_EQ(g.topLeftSteps, 2);

    // Thumb tracking decides whether dragging the thumb scrolls at once.
    EXPECT_FALSE(bar->hasTracking());
    g.SetOptions(g.Options() | goThumbTracking);
    EXPECT_TRUE(bar->hasTracking());
}

TEST(GridPaint, PaintsOnlyTheVisibleCellsInTheirStates) {
    GridWindow<CountingGrid> w;
    CountingGrid& g = *w.grid;
    SetUpCatalog(g, 100000);
    g.SetRow(5);
    g.SetTopRow(1);

    w.Settle();
    int colsShown = 0;
    while (colsShown < 8 && !g.CellRect(colsShown, 0).IsEmpty()) ++colsShown;
    int rowsShown = 0;
    while (!g.CellRect(0, rowsShown).IsEmpty()) ++rowsShown;
    ASSERT_GT(colsShown, 3);
    ASSERT_GT(rowsShown, 20);
    g.cellsDrawn = g.fixedDrawn = g.selectedDrawn = 0;
    QImage image = g.viewport()->grab().toImage();
    EXPECT_EQ(g.cellsDrawn, colsShown * rowsShown);
    EXPECT_EQ(g.maxRowDrawn, rowsShown - 1);
    EXPECT_EQ(g.selectedDrawn, colsShown - 1);        // the current row, its data cells
    EXPECT_EQ(g.fixedDrawn, colsShown + rowsShown - 1);  // heading row and number column

    // The selected row in the highlight colour, another row in the window
    // colour; fixed cells with a raised edge.
    const QRgb highlight = ToQColor(colors::Highlight).rgb();
    const QRgb window = ToQColor(colors::Window).rgb();
    const Rect sel = g.CellRect(3, 5);
    const Rect other = g.CellRect(3, 6);
    EXPECT_EQ(image.pixel(sel.right - 3, sel.bottom - 2), highlight);
    EXPECT_EQ(image.pixel(other.right - 3, other.bottom - 2), window);
    const Rect head = g.CellRect(2, 0);
    EXPECT_EQ(image.pixel(head.left, head.top + 5), ToQColor(colors::ButtonHighlight).rgb());
    EXPECT_EQ(image.pixel(head.right - 1, head.top + 5), ToQColor(colors::ButtonShadow).rgb());
    EXPECT_EQ(image.pixel(head.right, head.top + 5), qRgb(0, 0, 0));  // the fixed line

    // Without default drawing the grid leaves the cells to DrawCell but
    // still asks for every visible one.
    g.SetDefaultDrawing(false);
    int fired = 0;
    g.onDrawCell = [&](int, int, const Rect&, GridDrawState) { ++fired; };
    g.cellsDrawn = 0;
    (void)g.viewport()->grab();
    EXPECT_EQ(fired, g.cellsDrawn);
    EXPECT_GT(fired, 100);
}
