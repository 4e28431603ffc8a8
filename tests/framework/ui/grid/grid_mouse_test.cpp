#include "framework/ui/grid/grid_test_support.h"

#include <QPushButton>
#include <QWindow>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace gridtest;

TEST(GridMouse, DraggingTheNumberCellMovesTheRowWithItsTexts) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpCatalog(g, 20);
    w.Settle();
    std::vector<std::pair<int, int>> moves;
    g.onRowMoved = [&](int from, int to) { moves.emplace_back(from, to); };
    g.SetRow(3);

    // Down: row 3 goes to 7, rows 4..7 close up.
    Press(g, CellCenter(g, 0, 3));
    EXPECT_EQ(g.State(), GridState::RowMoving);
    MoveTo(g, CellCenter(g, 0, 5));
    MoveTo(g, CellCenter(g, 0, 7));
    Release(g, CellCenter(g, 0, 7));
    ASSERT_EQ(moves, (std::vector<std::pair<int, int>>{{3, 7}}));
    EXPECT_EQ(g.Cell(1, 7), "d3");
    EXPECT_EQ(g.Cell(0, 7), "3");  // the number goes with its record
    EXPECT_EQ(g.Cell(1, 3), "d4");
    EXPECT_EQ(g.Cell(1, 6), "d7");
    EXPECT_EQ(g.Row(), 7);  // the current row went with it
    EXPECT_EQ(g.State(), GridState::Normal);

    // Up, onto the first data row; the heading row never moves.
    Press(g, CellCenter(g, 0, 10));
    MoveTo(g, CellCenter(g, 0, 0));
    Release(g, CellCenter(g, 0, 0));
    EXPECT_EQ(moves.back(), std::make_pair(10, 1));
    EXPECT_EQ(g.Cell(1, 1), "d10");
    EXPECT_EQ(g.Cell(1, 0), "");

    // Released where it started: nothing moves, nothing is reported.
    Press(g, CellCenter(g, 0, 5));
    Release(g, CellCenter(g, 0, 5));
    EXPECT_EQ(moves.size(), 2u);

    // Without goRowMoving a press on the number cell starts nothing.
    g.SetOptions(g.Options() & ~goRowMoving);
    Press(g, CellCenter(g, 0, 5));
    EXPECT_EQ(g.State(), GridState::Normal);
    Release(g, CellCenter(g, 0, 5));
}

TEST(GridMouse, DraggingAHeadingBorderSizesTheColumn) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpCatalog(g, 20);
    w.Settle();
    int changes = 0;
    g.onColWidthsChanged = [&] { ++changes; };
    const Rect head = g.CellRect(2, 0);
    const QPoint border(head.right, 7);  // the line right of column 2

    Press(g, border);
    EXPECT_EQ(g.State(), GridState::ColSizing);
    MoveTo(g, border + QPoint(10, 0));
    MoveTo(g, border + QPoint(30, 3));
    Release(g, border + QPoint(30, 3));
    EXPECT_EQ(g.ColWidth(2), 95 + 30);
    EXPECT_EQ(g.CellRect(3, 0).left, head.right + 30 + 1);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(g.State(), GridState::Normal);

    // Narrower, but never below one pixel.
    Press(g, QPoint(g.CellRect(2, 0).right, 7));
    MoveTo(g, QPoint(g.CellRect(2, 0).left - 50, 7));
    Release(g, QPoint(g.CellRect(2, 0).left - 50, 7));
    EXPECT_EQ(g.ColWidth(2), 1);

    // The same border in a data row selects instead of sizing.
    Press(g, QPoint(g.CellRect(1, 4).right, g.CellRect(1, 4).top + 5));
    EXPECT_EQ(g.State(), GridState::Normal);
    EXPECT_EQ(g.Row(), 4);
}

TEST(GridMouse, RowSelectPicksWholeRowsAndDoubleClickReports) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpCatalog(g, 20);
    w.Settle();
    int clicks = 0;
    int doubleClicks = 0;
    g.onClick = [&] { ++clicks; };
    g.onDblClick = [&] { ++doubleClicks; };

    Click(g, CellCenter(g, 3, 5));
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.Selection(), (GridRect{1, 5, 7, 5}));
    EXPECT_EQ(clicks, 1);

    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, CellCenter(g, 2, 5));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(g.Row(), 5);

    // Without goRowSelect a click selects one cell; with goRangeSelect a
    // drag stretches the selection from the pressed cell.
    g.SetOptions(kDefaultGridOptions);
    Click(g, CellCenter(g, 2, 3));
    EXPECT_EQ(g.Selection(), (GridRect{2, 3, 2, 3}));
    Press(g, CellCenter(g, 2, 3));
    MoveTo(g, CellCenter(g, 4, 6));
    Release(g, CellCenter(g, 4, 6));
    EXPECT_EQ(g.Selection(), (GridRect{2, 3, 4, 6}));
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 3);
}

TEST(GridMouse, DraggingAHeadingMovesTheColumn) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    g.SetColCount(6);
    g.SetOptions(kDefaultGridOptions | goColMoving);
    for (int c = 0; c < 6; ++c) g.SetCell(c, 1, "c" + std::to_string(c));
    w.Settle();
    std::vector<std::pair<int, int>> moves;
    g.onColMoved = [&](int from, int to) { moves.emplace_back(from, to); };

    Press(g, CellCenter(g, 1, 0));
    MoveTo(g, CellCenter(g, 4, 0));
    Release(g, CellCenter(g, 4, 0));
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{1, 4}}));
    EXPECT_EQ(g.Cell(4, 1), "c1");
    EXPECT_EQ(g.Cell(1, 1), "c2");
    EXPECT_EQ(g.Cell(0, 1), "c0");
}

namespace {

class CancelGrid : public StringGridWidget {
public:
    using StringGridWidget::StringGridWidget;
    std::vector<QWidget*> causes;

protected:
    void CancelMode(QWidget* cause) override {
        causes.push_back(cause);
        StringGridWidget::CancelMode(cause);
    }
};

}  // namespace

TEST(GridCancelMode, APressOnAnotherControlReachesTheActiveGrid) {
    GridWindow<CancelGrid> w(534, 450);
    CancelGrid& g = *w.grid;
    SetUpCatalog(g, 20);
    g.setGeometry(0, 0, 534, 400);
    auto* button = new QPushButton(QStringLiteral("OK"), &w.top);
    button->setGeometry(10, 410, 80, 30);
    button->show();
    w.Settle();
    ASSERT_TRUE(w.Focus());
    QWindow* window = w.top.windowHandle();
    ASSERT_TRUE(window);

    // Through the window, as a real press comes: the grid still has the
    // focus when it hears of the press.
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(30, 420));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(30, 420));
    ASSERT_EQ(g.causes.size(), 1u);
    EXPECT_EQ(g.causes[0], button);

    // A press on the grid itself is no cancel; nor is one while another
    // control is the active one.
    g.setFocus();
    g.causes.clear();
    QTest::mouseClick(window, Qt::LeftButton, {}, g.viewport()->mapTo(&w.top, CellCenter(g, 2, 3)));
    EXPECT_TRUE(g.causes.empty());
    button->setFocus();
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(30, 420));
    EXPECT_TRUE(g.causes.empty());

    // A row drag is ended by it, without moving anything.
    int moved = 0;
    g.onRowMoved = [&](int, int) { ++moved; };
    Press(g, CellCenter(g, 0, 3));
    MoveTo(g, CellCenter(g, 0, 8));
    ASSERT_EQ(g.State(), GridState::RowMoving);
    g.SendCancelMode(button);
    EXPECT_EQ(g.State(), GridState::Normal);
    Release(g, CellCenter(g, 0, 8));
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(g.Cell(1, 3), "d3");
}
