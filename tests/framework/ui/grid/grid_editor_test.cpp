#include "framework/ui/grid/grid_test_support.h"

#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace gridtest;

namespace {

bool Showing(GridWidget& g) { return g.Editor() && !g.Editor()->isHidden(); }

// An editing grid of 6 x 200 with texts "t<col>,<row>".
template <class Grid>
void SetUpEditing(Grid& g, GridOptions extra = 0) {
    g.SetColCount(6);
    g.SetRowCount(200);
    g.SetOptions(kDefaultGridOptions | goEditing | extra);
    for (int r = 1; r < 200; ++r)
        for (int c = 1; c < 6; ++c) g.SetCell(c, r, "t" + std::to_string(c) + "," + std::to_string(r));
}

}  // namespace

TEST(GridEditor, TypedTextGoesBackIntoTheCellWhenTheCellIsLeft) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpEditing(g);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    std::vector<std::tuple<int, int, std::string>> written;
    g.onSetEditText = [&](int c, int r, const std::string& t) { written.emplace_back(c, r, t); };

    // Typing starts the editor over the current cell; the first character
    // replaces the old text.
    Type(g, QStringLiteral(u"新しい"));
    ASSERT_TRUE(Showing(g));
    EXPECT_TRUE(g.EditorMode());
    EXPECT_EQ(g.Editor()->geometry(), ToQRect(g.CellRect(1, 1)));
    EXPECT_TRUE(g.Editor()->hasFocus());
    EXPECT_EQ(g.Cell(1, 1), "t1,1");  // nothing written yet

    // Leaving the cell writes the text back; the editor follows the cell.
    Key(g, Qt::Key_Down);
    EXPECT_EQ(g.Cell(1, 1), "新しい");
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], std::make_tuple(1, 1, std::string("新しい")));
    EXPECT_EQ(g.Row(), 2);
    ASSERT_TRUE(Showing(g));
    EXPECT_EQ(g.Editor()->Text(), "t1,2");
    EXPECT_EQ(g.Editor()->geometry(), ToQRect(g.CellRect(1, 2)));

    // An unchanged cell is not written.
    Key(g, Qt::Key_Down);
    EXPECT_EQ(written.size(), 1u);

    // Enter ends editing (writing back), Enter again starts it; Esc gives
    // the old text back and ends editing.
    Type(g, QStringLiteral("x"));
    Key(g, Qt::Key_Return);
    EXPECT_FALSE(Showing(g));
    EXPECT_FALSE(g.EditorMode());
    EXPECT_EQ(g.Cell(1, 3), "x");
    EXPECT_TRUE(g.hasFocus());
    Key(g, Qt::Key_Return);
    ASSERT_TRUE(Showing(g));
    Type(g, QStringLiteral("zz"));
    Key(g, Qt::Key_Escape);
    EXPECT_FALSE(Showing(g));
    EXPECT_EQ(g.Cell(1, 3), "x");

    // A click on another cell ends editing there too.
    Key(g, Qt::Key_F2);
    ASSERT_TRUE(Showing(g));
    Type(g, QStringLiteral("y"));
    Click(g, CellCenter(g, 3, 6));
    EXPECT_EQ(g.Cell(1, 3), "y");
    EXPECT_FALSE(Showing(g));
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 6);
    // A click on the current cell starts it.
    Click(g, CellCenter(g, 3, 6));
    EXPECT_TRUE(Showing(g));
}

namespace {

class PickyGrid : public StringGridWidget {
public:
    using StringGridWidget::StringGridWidget;
    int refuseRow = -1;
    int editorsMade = 0;
    int topLeftSteps = 0;

protected:
    bool CanEditShow() override { return StringGridWidget::CanEditShow() && Row() != refuseRow; }
    InplaceEditor* CreateEditor() override {
        ++editorsMade;
        return StringGridWidget::CreateEditor();
    }
    std::string GetEditMask(int col, int row) override {
        return col == 2 ? std::string("!0000/99/99;1;_") : StringGridWidget::GetEditMask(col, row);
    }
    int GetEditLimit() override { return Col() == 3 ? 5 : 0; }
    void TopLeftChanged() override {
        ++topLeftSteps;
        StringGridWidget::TopLeftChanged();
    }
};

}  // namespace

TEST(GridEditor, TheEditorShowTestMayRefuseAndHideTheEditor) {
    GridWindow<PickyGrid> w;
    PickyGrid& g = *w.grid;
    SetUpEditing(g);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    g.refuseRow = 3;

    g.SetRow(2);
    Type(g, QStringLiteral("a"));
    ASSERT_TRUE(Showing(g));
    Key(g, Qt::Key_Down);  // onto the refused row: hidden, text written
    EXPECT_FALSE(Showing(g));
    EXPECT_EQ(g.Cell(1, 2), "a");
    EXPECT_EQ(g.Row(), 3);
    EXPECT_TRUE(g.hasFocus());
    Type(g, QStringLiteral("b"));  // typing there starts nothing
    EXPECT_FALSE(Showing(g));
    EXPECT_EQ(g.Cell(1, 3), "t1,3");
    Key(g, Qt::Key_Down);  // editor mode still on: it shows again
    EXPECT_TRUE(Showing(g));
    EXPECT_EQ(g.Editor()->Text(), "t1,4");
    EXPECT_EQ(g.editorsMade, 1);
}

TEST(GridEditor, MaskAndLengthLimitComeFromTheGrid) {
    ui::testing::CheckedScript script;  // beeps are counted, no box may come up
    GridWindow<PickyGrid> w;
    PickyGrid& g = *w.grid;
    SetUpEditing(g, goTabs);
    g.onGetEditMask = [](int col, int, std::string& mask) {
        if (col == 1) mask = "000;0;_";
    };
    w.Settle();
    ASSERT_TRUE(w.Focus());

    g.ShowEditor();
    ASSERT_TRUE(Showing(g));
    EXPECT_EQ(g.Editor()->EditMask(), "000;0;_");  // the event, through the base
    Key(g, Qt::Key_Tab);
    EXPECT_EQ(g.Cell(1, 1), "t1,1");  // the mask did not fit it, but it was not touched
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Editor()->EditMask(), "!0000/99/99;1;_");  // the override
    EXPECT_EQ(g.Editor()->MaxLength(), 0);

    // Typing goes through the mask: the literals stand, a letter is refused.
    Type(g, QStringLiteral("1996x0512"));
    EXPECT_EQ(g.Editor()->Text(), "1996/05/12");
    EXPECT_EQ(script.Beeps(), 1);
    Key(g, Qt::Key_Tab);
    EXPECT_EQ(g.Cell(2, 1), "1996/05/12");

    // Five cp932 bytes: "ab" and 表 (two bytes) fit, 示 does not; what the
    // user types beyond the limit is refused, not cut later.
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Editor()->EditMask(), "");
    EXPECT_EQ(g.Editor()->MaxLength(), 5);
    Type(g, QStringLiteral(u"ab表示c"));
    EXPECT_EQ(g.Editor()->Text(), "ab表c");
    Type(g, QStringLiteral(u"d"));
    EXPECT_EQ(g.Editor()->Text(), "ab表c");
    // A character that cp932 lacks is refused as well.
    Key(g, Qt::Key_Backspace);
    Type(g, QString::fromUtf8("\xF0\x9F\x98\x80"));  // an emoji
    EXPECT_EQ(g.Editor()->Text(), "ab表");

    // An incomplete masked text is not refused while the grid itself takes
    // the editor away: it is written as it stands, no message comes up.
    Key(g, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g.Cell(3, 1), "ab表");
    Type(g, QStringLiteral("19"));
    Key(g, Qt::Key_Return);
    EXPECT_FALSE(Showing(g));
    EXPECT_EQ(g.Cell(2, 1), "19  /  /  ");
    EXPECT_TRUE(script.Records().empty());
}

TEST(GridEditor, BytesWithoutACharacterSurviveEditing) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpEditing(g);
    // A stray 0x80, a cp932 duplicate code (0x87 0x90, also 0x81 0xE0) and
    // a lead byte cut off at the end.
    const std::string odd = "a\x80\x87\x90z\x83";
    g.SetCell(1, 1, odd);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    int writes = 0;
    g.onSetEditText = [&](int, int, const std::string&) { ++writes; };

    g.ShowEditor();
    ASSERT_TRUE(Showing(g));
    EXPECT_EQ(g.Editor()->Text(), odd);
    Key(g, Qt::Key_Down);
    EXPECT_EQ(g.Cell(1, 1), odd);
    EXPECT_EQ(writes, 0);

    // Typed onto the end, every old byte stays as it was.
    Key(g, Qt::Key_Up);
    ASSERT_TRUE(Showing(g));
    Key(g, Qt::Key_End);
    Type(g, QStringLiteral(u"表"));
    Key(g, Qt::Key_Down);
    EXPECT_EQ(g.Cell(1, 1), odd + "\x95\x5C");
    EXPECT_EQ(writes, 1);
    (void)g.viewport()->grab();  // painting such a cell changes nothing either
    EXPECT_EQ(g.Cell(1, 1), odd + "\x95\x5C");
}

TEST(GridEditor, ScrollingMovesOrHidesTheEditorWithItsCell) {
    GridWindow<PickyGrid> w;
    PickyGrid& g = *w.grid;
    SetUpEditing(g);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    Type(g, QStringLiteral("kept"));
    ASSERT_TRUE(Showing(g));

    g.SetTopRow(50);
    EXPECT_EQ(g.topLeftSteps, 1);
    EXPECT_FALSE(Showing(g));
    EXPECT_TRUE(g.EditorMode());
    EXPECT_TRUE(g.hasFocus());
    g.SetTopRow(1);
    ASSERT_TRUE(Showing(g));
    EXPECT_EQ(g.Editor()->Text(), "kept");
    EXPECT_EQ(g.Editor()->geometry(), ToQRect(g.CellRect(1, 1)));

    // Moving on from a cell out of view writes its text back.
    g.SetTopRow(2);
    ASSERT_FALSE(Showing(g));
    Key(g, Qt::Key_Down);
    EXPECT_EQ(g.Cell(1, 1), "kept");
    EXPECT_TRUE(Showing(g));
}

TEST(GridEditor, AlwaysShownEditorStaysThroughEnterAndMoves) {
    GridWindow<> w;
    StringGridWidget& g = *w.grid;
    SetUpEditing(g);
    w.Settle();
    ASSERT_TRUE(w.Focus());
    g.SetOptions(g.Options() | goAlwaysShowEditor);
    ASSERT_TRUE(Showing(g));
    EXPECT_EQ(g.Editor()->Text(), "t1,1");
    Type(g, QStringLiteral("v"));
    Key(g, Qt::Key_Return);  // written, still editing
    EXPECT_EQ(g.Cell(1, 1), "v");
    EXPECT_TRUE(Showing(g));
    Key(g, Qt::Key_Right);  // at the end of the text: on to the next cell
    EXPECT_EQ(g.Col(), 2);
    EXPECT_TRUE(Showing(g));
    // The focus coming to the grid goes on to its editor.
    g.setFocus();
    EXPECT_TRUE(g.Editor()->hasFocus());

    // Row selection never shows the editor.
    g.SetOptions(g.Options() | goRowSelect);
    EXPECT_FALSE(Showing(g));
}
