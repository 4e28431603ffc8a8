// TComboGrid's in-place editor: whether it shows, its mask and limit, and
// the drop-down list of a ckDropDown column, driven by real mouse clicks
// and keys.
#include "controls/CmbGrid.h"
#include "framework/ui/test_window.h"

#include "framework/ui/grid/inplace_editor.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Columns 100 wide: 1 ckDropDown (Apple, banana, Cherry), 2 ckText, 3
// ckButton; an editing grid.
struct EditWindow {
    TOwned<TTestWindow> form{new TTestWindow(nullptr)};
    TComboGrid* grid = new TComboGrid(form.get());
    std::vector<std::pair<int, int>> clicks;

    EditWindow() {
        form->SetBounds(0, 0, 500, 240);
        grid->SetBounds(0, 0, 500, 240);
        grid->SetParent(form.get());
        grid->SetColCount(4);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(100);
        grid->SetDefaultRowHeight(24);
        grid->SetOptions(grid->Options() | goEditing);
        TCellKind* drop = grid->GetCellKind(1);
        drop->SetKind(ckDropDown);
        drop->Items()->Add("Apple");
        drop->Items()->Add("banana");
        drop->Items()->Add("Cherry");
        grid->GetCellKind(3)->SetKind(ckButton);
        grid->OnGridBtnClick.Bind([this](TObject*, int c, int r) { clicks.emplace_back(c, r); });
        form->Widget()->show();
        (void)QTest::qWaitForWindowExposed(form->Widget());
        form->Widget()->activateWindow();
        (void)QTest::qWaitForWindowActive(form->Widget());
    }
    QWidget* Cells() { return static_cast<QAbstractScrollArea*>(grid->Widget())->viewport(); }
    // Starts editing the cell as a user does: a click makes it current, a
    // second one opens the editor.
    TComboInplaceEdit* EditCell(int c, int r) {
        const TRect rect = grid->CellRect(c, r);
        const QPoint p((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        QTest::mouseClick(Cells(), Qt::LeftButton, {}, p);
        if (grid->Col() == c && grid->Row() == r && !EditorShowing()) QTest::mouseClick(Cells(), Qt::LeftButton, {}, p);
        return grid->ComboEdit();
    }
    bool EditorShowing() {
        return grid->InplaceEditor() && !grid->InplaceEditor()->isHidden();
    }
    QWidget* Editor() { return grid->InplaceEditor(); }
    QListWidget* List() { return static_cast<QListWidget*>(grid->ComboEdit()->ListBox()->Widget()); }
    void ClickArrow(int x) {
        QTest::mouseClick(Editor(), Qt::LeftButton, {}, QPoint(x, Editor()->height() / 2));
    }
};

}  // namespace

TEST(ComboGridEditor, TheListOpensUnderTheEditorRightEdgesAligned) {
    EditWindow w;
    TComboInplaceEdit* e = w.EditCell(1, 1);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(w.EditorShowing());
    ASSERT_NE(e->ListBox(), nullptr);
    EXPECT_FALSE(e->ListBox()->Visible());
    const int width = w.Editor()->width();
    EXPECT_EQ(width, 100);

    // A press on the leftmost pixel column of the arrow does not count.
    w.ClickArrow(width - ArrowWidth());
    EXPECT_FALSE(e->ListBox()->Visible());

    // ListWidth 0: exactly as wide as the editor, right under it.
    w.ClickArrow(width - 2);
    ASSERT_TRUE(e->ListBox()->Visible());
    const QPoint editorBottomRight = w.Editor()->mapToGlobal(QPoint(width, w.Editor()->height()));
    QRect list = w.List()->geometry();
    EXPECT_EQ(list.width(), width);
    EXPECT_EQ(list.left() + list.width(), editorBottomRight.x());
    EXPECT_EQ(list.top(), editorBottomRight.y());
    EXPECT_EQ(list.height(), 97);
    EXPECT_TRUE(w.List()->isWindow());  // reaches beyond the grid's window
    EXPECT_EQ(e->ArrowDownX(), -1);
    // The arrow again closes it.
    w.ClickArrow(width - 2);
    EXPECT_FALSE(e->ListBox()->Visible());

    // ListWidth 200: 200 wide, reaching to the left of the editor.
    w.grid->GetCellKind(1)->SetListWidth(200);
    w.grid->SetRow(2);  // the editor takes the column's kind again
    w.ClickArrow(width - 2);
    ASSERT_TRUE(e->ListBox()->Visible());
    list = w.List()->geometry();
    const QPoint editorBottomRight2 = w.Editor()->mapToGlobal(QPoint(width, w.Editor()->height()));
    EXPECT_EQ(list.width(), 200);
    EXPECT_EQ(list.left() + list.width(), editorBottomRight2.x());
    EXPECT_EQ(list.top(), editorBottomRight2.y());
}

TEST(ComboGridEditor, UpDownMoveTheListAndEscClosesIt) {
    EditWindow w;
    w.grid->SetCell(1, 2, "BANANA");  // another case of "banana"
    TComboInplaceEdit* e = w.EditCell(1, 2);
    ASSERT_TRUE(w.EditorShowing());
    w.ClickArrow(w.Editor()->width() - 2);
    ASSERT_TRUE(e->ListBox()->Visible());
    EXPECT_EQ(e->ListBox()->ItemIndex(), 1);
    EXPECT_TRUE(w.clicks.empty());

    // Down moves the list's choice, not the current cell; the release of
    // the key copies it into the editor; the choice fires OnGridBtnClick.
    QTest::keyClick(w.Editor(), Qt::Key_Down);
    EXPECT_EQ(w.grid->Row(), 2);
    EXPECT_EQ(e->ListBox()->ItemIndex(), 2);
    EXPECT_EQ(e->Text(), "Cherry");
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
    QTest::keyClick(w.Editor(), Qt::Key_Up);
    QTest::keyClick(w.Editor(), Qt::Key_Up);
    EXPECT_EQ(e->Text(), "Apple");
    EXPECT_EQ(w.grid->Row(), 2);

    // Esc closes the list; neither the editor nor the grid sees it (the
    // edit is not undone, the editor stays).
    QTest::keyClick(w.Editor(), Qt::Key_Escape);
    EXPECT_FALSE(e->ListBox()->Visible());
    EXPECT_TRUE(w.EditorShowing());
    EXPECT_EQ(e->Text(), "Apple");

    // A right click on an item neither chooses nor copies it, nor closes
    // the list; a left click on an item copies it and closes the list.
    w.ClickArrow(w.Editor()->width() - 2);
    ASSERT_TRUE(e->ListBox()->Visible());
    QTest::mouseClick(w.List()->viewport(), Qt::RightButton, {},
                      w.List()->visualItemRect(w.List()->item(2)).center());
    EXPECT_TRUE(e->ListBox()->Visible());
    EXPECT_EQ(e->ListBox()->ItemIndex(), 0);
    EXPECT_EQ(e->Text(), "Apple");
    EXPECT_EQ(w.clicks.size(), 3u);  // the choices made with Down and Up
    const QRect item = w.List()->visualItemRect(w.List()->item(1));
    QTest::mouseClick(w.List()->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(e->Text(), "banana");
    EXPECT_FALSE(e->ListBox()->Visible());

    // Written back when the cell is left.
    w.grid->SetRow(3);
    EXPECT_EQ(w.grid->Cells(1, 2), "banana");

    // In a text column Down moves the current cell as usual.
    w.EditCell(2, 3);
    ASSERT_TRUE(w.EditorShowing());
    QTest::keyClick(w.Editor(), Qt::Key_Down);
    EXPECT_EQ(w.grid->Row(), 4);
}

TEST(ComboGridEditor, ShownOnlyInEditableTextColumnsWithTheirMaskAndLimit) {
    EditWindow w;
    TComboGrid* g = w.grid;
    // A button column never shows the editor, even always-shown.
    g->SetOptions(g->Options() | goAlwaysShowEditor);
    g->SetCol(2);
    g->ShowEditor();
    ASSERT_TRUE(w.EditorShowing());
    g->SetCol(3);
    EXPECT_FALSE(w.EditorShowing());
    EXPECT_FALSE(g->EditorMode());
    // Not editable: neither.
    g->GetCellKind(2)->SetEditable(false);
    g->SetCol(2);
    g->ShowEditor();
    EXPECT_FALSE(w.EditorShowing());
    g->GetCellKind(2)->SetEditable(true);

    // Item 0 of a text column is the mask, EditLimit the limit.
    g->GetCellKind(2)->Items()->Add("!0000/99/99;1;_");
    g->SetRow(3);
    g->ShowEditor();
    ASSERT_TRUE(w.EditorShowing());
    EXPECT_EQ(w.grid->ComboEdit()->EditMask(), "!0000/99/99;1;_");
    g->GetCellKind(2)->Items()->SetStrings(0, "");
    g->GetCellKind(2)->SetEditLimit(4);
    std::string asked;
    g->OnGetEditMask.Bind([&](TObject*, int, int, std::string& mask) {
        asked = "asked";
        mask = "";
    });
    g->SetRow(4);
    EXPECT_EQ(asked, "asked");  // with item 0 empty the event decides
    EXPECT_EQ(w.grid->ComboEdit()->EditMask(), "");
    EXPECT_EQ(w.grid->ComboEdit()->MaxLength(), 4);
    // The editor publishes its cell kind (a copy of the column's), mask and
    // limit.
    TComboInplaceEdit* e = w.grid->ComboEdit();
    EXPECT_EQ(GetPropInfo(e, "CellKind").get(e), TPropValue(static_cast<TObject*>(e->CellKind())));
    EXPECT_NE(e->CellKind(), g->GetCellKind(2));
    EXPECT_EQ(e->CellKind()->EditLimit(), 4);
    EXPECT_EQ(GetPropInfo(e, "MaxLength").get(e), TPropValue(int64_t{4}));
    EXPECT_EQ(GetPropInfo(e, "EditMask").get(e), TPropValue(std::string()));
    // The drop-down column has no limit.
    g->GetCellKind(1)->SetEditLimit(4);
    g->SetCol(1);
    EXPECT_EQ(w.grid->ComboEdit()->MaxLength(), 0);
}

TEST(ComboGridEditor, TheArrowButtonIsDrawnAtTheRightEdge) {
    EditWindow w;
    TComboInplaceEdit* e = w.EditCell(1, 1);
    ASSERT_TRUE(w.EditorShowing());
    QImage image = w.Editor()->grab().toImage();
    const int W = image.width();
    const int H = image.height();
    const int cx = W - ArrowWidth() / 2;
    const int cy = H / 2;
    // The arrow's widest line is 7 pixels of button text; the face beside.
    for (int x = cx - 4; x < cx + 3; ++x) EXPECT_LT(qGray(image.pixel(x, cy - 2)), 80) << x;
    EXPECT_GT(qGray(image.pixel(cx - 6, cy - 2)), 150);
    EXPECT_LT(qGray(image.pixel(cx - 1, cy + 1)), 80);  // the tip, under the middle
    EXPECT_GT(qGray(image.pixel(cx, cy + 1)), 150);      // one pixel only
    EXPECT_GT(qGray(image.pixel(cx - 2, cy + 1)), 150);
    // A text column's editor has none.
    w.EditCell(2, 1);
    ASSERT_TRUE(w.EditorShowing());
    EXPECT_EQ(e, w.grid->ComboEdit());  // the same editor serves every column
    image = w.Editor()->grab().toImage();
    EXPECT_GT(qGray(image.pixel(cx, cy - 2)), 150);
}

TEST(ComboGridEditor, ScrollingAndPressesElsewhereEndTheEditorOrTheList) {
    EditWindow w;
    TComboGrid* g = w.grid;
    g->SetRowCount(60);
    TComboInplaceEdit* e = w.EditCell(2, 2);
    ASSERT_TRUE(w.EditorShowing());
    // Scrolled out of view: editor mode ends and the editor hides; scrolled
    // back it stays hidden, the grid being no longer in editor mode.
    g->SetTopRow(30);
    EXPECT_FALSE(w.EditorShowing());
    EXPECT_FALSE(g->EditorMode());
    g->SetTopRow(1);
    EXPECT_FALSE(w.EditorShowing());
    // With goAlwaysShowEditor the editor-show test allows it again.
    g->SetOptions(g->Options() | goAlwaysShowEditor);
    g->SetTopRow(30);
    EXPECT_FALSE(w.EditorShowing());
    g->SetTopRow(1);
    EXPECT_TRUE(w.EditorShowing());
    g->SetOptions(g->Options() & ~goAlwaysShowEditor);

    // A press on the arrow released outside the editor leaves the list as
    // it was and the arrow raised.
    w.EditCell(1, 2);
    ASSERT_TRUE(w.EditorShowing());
    const QPoint arrow(w.Editor()->width() - 2, w.Editor()->height() / 2);
    QTest::mousePress(w.Editor(), Qt::LeftButton, {}, arrow);
    EXPECT_EQ(e->ArrowDownX(), arrow.x());
    QTest::mouseRelease(w.Editor(), Qt::LeftButton, {}, QPoint(-20, arrow.y()));
    EXPECT_EQ(e->ArrowDownX(), -1);
    EXPECT_FALSE(e->ListBox()->Visible());

    // A press on another control of the window closes an open list.
    auto* other = new TListBox(w.form.get());
    other->SetParent(w.form.get());
    other->SetBounds(420, 200, 60, 30);
    w.ClickArrow(w.Editor()->width() - 2);
    ASSERT_TRUE(e->ListBox()->Visible());
    QTest::mouseClick(other->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(e->ListBox()->Visible());
}
