#include "framework/ui/grid/grid_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gridtest;

TEST(GridKeys, ArrowsPagesHomeAndEndMoveTheCurrentCell) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    g.SetColCount(10);
    g.SetRowCount(1000);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);

    Key(g, Qt::Key_Up);  // nothing above the first data row
    EXPECT_EQ(g.Row(), 1);
    Key(g, Qt::Key_Down);
    Key(g, Qt::Key_Right);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
    Key(g, Qt::Key_End);
    EXPECT_EQ(g.Col(), 9);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_FALSE(g.CellRect(9, 2).IsEmpty());  // scrolled into view
    Key(g, Qt::Key_Home);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.LeftCol(), 1);

    const int page = g.VisibleRowCount();
    ASSERT_GT(page, 5);
    Key(g, Qt::Key_PageDown);
    EXPECT_EQ(g.Row(), 2 + page);
    EXPECT_EQ(g.TopRow(), 1 + page);
    Key(g, Qt::Key_PageUp);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.TopRow(), 1);

    Key(g, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.Col(), 9);
    EXPECT_EQ(g.Row(), 999);
    const Rect last = g.CellRect(9, 999);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_LE(last.bottom, g.viewport()->height());
    Key(g, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);

    // Shift with goRangeSelect stretches the selection; the current cell stays.
    Key(g, Qt::Key_Down, Qt::ShiftModifier);
    Key(g, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g.Selection(), (GridRect{1, 1, 2, 2}));
    EXPECT_EQ(g.Row(), 1);
}

TEST(GridKeys, TabMovesBetweenCellsOnlyWithGoTabs) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    g.SetColCount(4);
    g.SetRowCount(4);
    w.Settle();
    ASSERT_TRUE(w.Focus());

    Key(g, Qt::Key_Tab);
    EXPECT_EQ(g.Col(), 1);

    g.SetOptions(g.Options() | goTabs);
    g.setFocus();
    Key(g, Qt::Key_Tab);
    EXPECT_EQ(g.Col(), 2);
    Key(g, Qt::Key_Tab);
    Key(g, Qt::Key_Tab);  // past the last column: the next row's first
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 2);
    Key(g, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 1);
    g.FocusCell(3, 3);
    Key(g, Qt::Key_Tab);  // the last cell stays
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 3);
}

TEST(GridKeys, WholeRowSelectionScrollsSidewaysAndJumpsToTheEnds) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpCatalog(g, 300);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    g.SetRow(10);

    Key(g, Qt::Key_Right);
    EXPECT_EQ(g.LeftCol(), 2);
    EXPECT_EQ(g.Row(), 10);
    Key(g, Qt::Key_Left);
    EXPECT_EQ(g.LeftCol(), 1);
    Key(g, Qt::Key_End);
    EXPECT_EQ(g.Row(), 299);
    EXPECT_EQ(g.Selection(), (GridRect{1, 299, 7, 299}));
    Key(g, Qt::Key_Home);
    EXPECT_EQ(g.Row(), 1);
}

TEST(GridKeys, HandlersSeeKeysAndCharactersAndMayChangeThem) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpCatalog(g, 30);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    std::vector<int> downs;
    std::string chars;
    g.onKeyDown = [&](int& key, ShiftState) {
        downs.push_back(key);
        if (key == key::Down) key = 0;  // swallowed
    };
    g.onKeyPress = [&](char& c) { chars.push_back(c); };

    Key(g, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 1);
    Key(g, Qt::Key_Return);
    Key(g, Qt::Key_Escape);
    Type(g, QStringLiteral(u"a表"));
    EXPECT_EQ(downs, (std::vector<int>{key::Down, key::Return, key::Escape}));
    EXPECT_EQ(chars, std::string("\r\x1b") + "a\x95\x5C");  // 表 arrives as its two cp932 bytes
    // The catalog grid edits nothing in place, whatever is typed.
    EXPECT_TRUE(g.Editor() == nullptr || g.Editor()->isHidden());

    // A changed character is the one the grid acts on.
    g.SetOptions(kDefaultGridOptions | goEditing);
    g.onKeyPress = [](char& c) {
        if (c == 'a') c = 'b';
    };
    Type(g, QStringLiteral("a"));
    ASSERT_TRUE(g.Editor());
    EXPECT_EQ(g.Editor()->Text(), "b");
}
