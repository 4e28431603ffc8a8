// The control-array editor on a real form's arrays: the window as its
// stored form lays it out, and the user taking elements out, adding and
// reordering them, then OK or Cancel.
#include "arredit.h"
#include "sample_arrays.h"

#include "controls/ArryCtrlForm.h"
#include "controls/StdArr.h"
#include "controls/system_controls.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/ui_test_support.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

QWidget& CellArea(TComboGrid& grid) { return *static_cast<QAbstractScrollArea*>(grid.Widget())->viewport(); }

QPoint CellCenter(TComboGrid& grid, int col, int row) {
    const TRect r = grid.CellRect(col, row);
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A click on a button cell: a press and a release in the middle of the
// cell.  A row that is not there has an empty rectangle, so the click lands
// on the heading, which never presses.
void ClickButtonCell(TComboGrid& grid, int col, int row) {
    QTest::mousePress(&CellArea(grid), Qt::LeftButton, {}, CellCenter(grid, col, row));
    QTest::mouseRelease(&CellArea(grid), Qt::LeftButton, {}, CellCenter(grid, col, row));
}

// Drags a row of the element list by its index cell, as the user does.
void DragRow(TComboGrid& grid, int from, int to) {
    QTest::mousePress(&CellArea(grid), Qt::LeftButton, {}, CellCenter(grid, 0, from));
    QTest::mouseMove(&CellArea(grid), CellCenter(grid, 0, to));
    QTest::mouseRelease(&CellArea(grid), Qt::LeftButton, {}, CellCenter(grid, 0, to));
}

// The texts of a column below the heading row.
Names Column(TComboGrid& grid, int col) {
    Names texts;
    for (int r = grid.FixedRows(); r < grid.RowCount(); ++r) texts.push_back(grid.Cells(col, r));
    return texts;
}

Names ElementNames(const TArCntrl& array) {
    Names names;
    for (int32_t i = 0; i < array.NumOfArry(); ++i) {
        TControl* c = array.ArryCntrl(i);
        names.push_back(c ? c->Name() : std::string("-"));
    }
    return names;
}

class ArrayEditor : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application->Initialize();
        RegisterSystemControls();
    }
    void SetUp() override {
        sample.reset(new TSampleArrays(nullptr));
        sample->Show();
        editor.reset(new TArryCtrlForm(nullptr));
        labels = ObjectCast<TArLabel>(sample->FindComponent("ArLabel1"));
        edits = ObjectCast<TArEdit>(sample->FindComponent("ArEdit1"));
        ASSERT_TRUE(labels && edits);
    }
    TControl* Control(const char* name) { return ObjectCast<TControl>(sample->FindComponent(name)); }

    // Opens the editor on `array` modally; `action` is what the user does
    // in it, ending with OK or Cancel.
    bool EditWith(TArCntrl* array, std::function<void()> action) {
        ui::testing::CheckedScript script;
        script.WhileModal([&](QWidget&) { action(); });
        return editor->Edit(array);
    }
    void PressOk() { QTest::mouseClick(editor->BitBtn1->Widget(), Qt::LeftButton); }

    TOwned<TSampleArrays> sample;
    TOwned<TArryCtrlForm> editor;
    TArLabel* labels = nullptr;
    TArEdit* edits = nullptr;
};

}  // namespace

TEST_F(ArrayEditor, TheWindowIsLaidOutAsItsStoredFormSays) {
    TArryCtrlForm& f = *editor;
    EXPECT_EQ(f.Name(), "ArryCtrlForm");
    EXPECT_EQ(f.Caption(), "コントロール配列エディター");
    EXPECT_EQ(f.BorderStyle(), TFormBorderStyle::bsSizeable);
    EXPECT_EQ(std::vector<int>({f.Left(), f.Top(), f.Width(), f.Height()}), std::vector<int>({277, 286, 743, 358}));
    EXPECT_EQ(f.Font()->Name(), "ＭＳ ゴシック");
    EXPECT_EQ(f.Font()->Height(), -16);
    EXPECT_EQ(f.Font()->Color(), clBlack);

    const int cw = f.ClientWidth(), ch = f.ClientHeight();
    // The bottom panel with OK and Cancel, the headings panel on top, the
    // two lists side by side between them.
    EXPECT_EQ(f.Panel1->Align(), TAlign::alBottom);
    EXPECT_EQ(std::vector<int>({f.Panel1->Left(), f.Panel1->Top(), f.Panel1->Width(), f.Panel1->Height()}),
              std::vector<int>({0, ch - 43, cw, 43}));
    EXPECT_EQ(f.Panel1->BevelInner(), TPanelBevel::bvLowered);
    EXPECT_EQ(f.BitBtn1->Parent(), f.Panel1);
    EXPECT_EQ(std::vector<int>({f.BitBtn1->Left(), f.BitBtn1->Top(), f.BitBtn1->Width(), f.BitBtn1->Height()}),
              std::vector<int>({552, 9, 81, 25}));
    EXPECT_EQ(f.BitBtn1->Kind(), TBitBtnKind::bkOK);
    EXPECT_EQ(f.BitBtn1->ModalResult(), mrOk);
    EXPECT_EQ(std::vector<int>({f.BitBtn2->Left(), f.BitBtn2->Top(), f.BitBtn2->Width(), f.BitBtn2->Height()}),
              std::vector<int>({640, 9, 81, 25}));
    EXPECT_EQ(f.BitBtn2->Kind(), TBitBtnKind::bkCancel);
    EXPECT_EQ(f.BitBtn2->ModalResult(), mrCancel);

    EXPECT_EQ(f.Panel2->Align(), TAlign::alTop);
    EXPECT_EQ(std::vector<int>({f.Panel2->Top(), f.Panel2->Width(), f.Panel2->Height()}), std::vector<int>({0, cw, 25}));
    EXPECT_EQ(f.Label1->Parent(), f.Panel2);
    EXPECT_EQ(f.Label1->Caption(), "配列組み込み済みオブジェクト");
    EXPECT_EQ(std::vector<int>({f.Label1->Left(), f.Label1->Top()}), std::vector<int>({88, 5}));
    EXPECT_EQ(f.Label2->Caption(), "組み込み可能オブジェクト");
    EXPECT_EQ(std::vector<int>({f.Label2->Left(), f.Label2->Top()}), std::vector<int>({456, 5}));

    EXPECT_EQ(f.Panel3->Align(), TAlign::alLeft);
    EXPECT_EQ(std::vector<int>({f.Panel3->Left(), f.Panel3->Top(), f.Panel3->Width(), f.Panel3->Height()}),
              std::vector<int>({0, 25, 385, ch - 25 - 43}));
    EXPECT_EQ(f.Panel3->BorderWidth(), 5);
    EXPECT_EQ(f.Panel4->Align(), TAlign::alClient);
    EXPECT_EQ(std::vector<int>({f.Panel4->Left(), f.Panel4->Top(), f.Panel4->Width(), f.Panel4->Height()}),
              std::vector<int>({385, 25, cw - 385, ch - 25 - 43}));
    EXPECT_EQ(f.Panel4->BorderWidth(), 5);

    // Each list fills its panel inside the bevel (1) and the border (5).
    for (auto [grid, panel] : {std::pair{f.ComboGrid1, f.Panel3}, std::pair{f.ComboGrid2, f.Panel4}}) {
        EXPECT_EQ(grid->Parent(), panel);
        EXPECT_EQ(grid->Align(), TAlign::alClient);
        EXPECT_EQ(std::vector<int>({grid->Left(), grid->Top(), grid->Width(), grid->Height()}),
                  std::vector<int>({6, 6, panel->Width() - 12, panel->Height() - 12}));
        EXPECT_EQ(grid->FixedRows(), 1);
        EXPECT_EQ(grid->DefaultRowHeight(), 24);
        EXPECT_EQ(grid->RowHeights(1), 24);
    }

    TComboGrid& g1 = *f.ComboGrid1;
    ASSERT_EQ(g1.ColCount(), 3);
    EXPECT_EQ(std::vector<int>({g1.ColWidths(0), g1.ColWidths(1), g1.ColWidths(2)}), std::vector<int>({40, 248, 64}));
    EXPECT_EQ(Names({g1.Cells(0, 0), g1.Cells(1, 0), g1.Cells(2, 0)}), Names({"↓↑", "オブジェクト名", "削除"}));
    EXPECT_EQ(g1.Options(), goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goRowMoving);
    EXPECT_TRUE(g1.OnDrawCell.Assigned());
    EXPECT_TRUE(g1.OnGridBtnClick.Assigned());
    TComboGrid& g2 = *f.ComboGrid2;
    ASSERT_EQ(g2.ColCount(), 2);
    EXPECT_EQ(std::vector<int>({g2.ColWidths(0), g2.ColWidths(1)}), std::vector<int>({64, 254}));
    EXPECT_EQ(Names({g2.Cells(0, 0), g2.Cells(1, 0)}), Names({"追加", "オブジェクト名"}));
    EXPECT_EQ(g2.Options(), TGridOptions(ui::kDefaultGridOptions));
    EXPECT_TRUE(g2.OnGridBtnClick.Assigned());

    // Headings centred, data left and in the middle, margin 2; the button
    // columns captioned with the arrows.
    struct Expected {
        TComboGrid* grid;
        int col;
        uint8_t kind;
        std::string caption;
    };
    for (const Expected& e : {Expected{&g1, 0, ckText, ""}, Expected{&g1, 1, ckText, ""}, Expected{&g1, 2, ckButton, "→"},
                              Expected{&g2, 0, ckButton, "←"}, Expected{&g2, 1, ckText, ""}}) {
        TCellKind* k = e.grid->GetCellKind(e.col);
        EXPECT_EQ(k->Kind(), e.kind) << e.col;
        EXPECT_EQ(k->FixedAlign(), caCenter | caMiddle) << e.col;
        EXPECT_EQ(k->CellAlign(), caLeft | caMiddle) << e.col;
        EXPECT_EQ(k->Margin(), 2) << e.col;
        if (e.kind == ckButton) {
            ASSERT_EQ(k->Items()->Count(), 1);
            EXPECT_EQ(k->Items()->Strings(0), e.caption);
        }
    }
}

TEST_F(ArrayEditor, RemovingAddingAndDraggingEditTheListsOnlyUntilOk) {
    TArryCtrlForm& f = *editor;
    f.SetArray(labels);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({"ArLabel1_1", "ArLabel1_2", "ArLabel1_3"}));
    EXPECT_EQ(Column(*f.ComboGrid1, 0), Names({"0", "1", "2"}));
    // Only the labels the array does not hold: no edits, no buttons.
    EXPECT_EQ(Column(*f.ComboGrid2, 1), Names({"Label4"}));

    // "→" on the second element: it leaves the list and becomes a
    // candidate again, in its place on the form.
    ClickButtonCell(*f.ComboGrid1, 2, 2);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({"ArLabel1_1", "ArLabel1_3"}));
    EXPECT_EQ(Column(*f.ComboGrid1, 0), Names({"0", "1"}));
    EXPECT_EQ(Column(*f.ComboGrid2, 1), Names({"ArLabel1_2", "Label4"}));

    // "←" on Label4 appends it.
    ClickButtonCell(*f.ComboGrid2, 0, 2);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({"ArLabel1_1", "ArLabel1_3", "Label4"}));
    EXPECT_EQ(Column(*f.ComboGrid1, 0), Names({"0", "1", "2"}));
    EXPECT_EQ(Column(*f.ComboGrid2, 1), Names({"ArLabel1_2"}));

    // Dragging the last row to the top moves the element; the indexes
    // stay in order.
    DragRow(*f.ComboGrid1, 3, 1);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({"Label4", "ArLabel1_1", "ArLabel1_3"}));
    EXPECT_EQ(Column(*f.ComboGrid1, 0), Names({"0", "1", "2"}));
    EXPECT_EQ(f.Elements(), (std::vector<TControl*>{Control("Label4"), Control("ArLabel1_1"), Control("ArLabel1_3")}));

    // A click on the button of a row that is not there, or on another
    // column, changes nothing.
    ClickButtonCell(*f.ComboGrid2, 0, 5);
    ClickButtonCell(*f.ComboGrid1, 1, 1);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({"Label4", "ArLabel1_1", "ArLabel1_3"}));

    // The array itself is untouched so far.
    EXPECT_EQ(ElementNames(*labels), Names({"ArLabel1_1", "ArLabel1_2", "ArLabel1_3"}));
}

TEST_F(ArrayEditor, OkWritesTheListIntoTheArrayWithItsEventsRouted) {
    std::vector<std::pair<std::string, int>> clicks;
    labels->OnClick.Bind([&](TObject* sender, int32_t index) {
        clicks.emplace_back(ObjectCast<TComponent>(sender)->Name(), index);
    });
    const bool applied = EditWith(labels, [&] {
        ClickButtonCell(*editor->ComboGrid1, 2, 1);  // ArLabel1_1 out
        ClickButtonCell(*editor->ComboGrid2, 0, 2);  // Label4 in (after ArLabel1_1)
        DragRow(*editor->ComboGrid1, 3, 2);          // Label4 between the others
        PressOk();
    });
    EXPECT_TRUE(applied);
    EXPECT_EQ(ElementNames(*labels), Names({"ArLabel1_2", "Label4", "ArLabel1_3"}));
    EXPECT_EQ(labels->NumOfArry(), 3);
    EXPECT_EQ(labels->Collection()->Count(), 3);

    // The elements report with their new indexes; the one taken out no
    // longer reaches the array.
    for (const char* name : {"ArLabel1_3", "Label4", "ArLabel1_1", "ArLabel1_2"})
        QTest::mouseClick(Control(name)->Widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, (std::vector<std::pair<std::string, int>>{{"ArLabel1_3", 2}, {"Label4", 1}, {"ArLabel1_2", 0}}));
    EXPECT_FALSE(Control("ArLabel1_1")->OnClick.Assigned());

    // Opened again, the editor shows the array as it now is.
    editor->SetArray(labels);
    EXPECT_EQ(Column(*editor->ComboGrid1, 1), Names({"ArLabel1_2", "Label4", "ArLabel1_3"}));
    EXPECT_EQ(Column(*editor->ComboGrid2, 1), Names({"ArLabel1_1"}));
}

TEST_F(ArrayEditor, CancelAndEscapeLeaveTheArrayAsItWas) {
    bool applied = EditWith(edits, [&] {
        ClickButtonCell(*editor->ComboGrid2, 0, 1);  // Edit3 in
        ClickButtonCell(*editor->ComboGrid1, 2, 1);  // ArEdit1_1 out
        QTest::mouseClick(editor->BitBtn2->Widget(), Qt::LeftButton);
    });
    EXPECT_FALSE(applied);
    EXPECT_EQ(ElementNames(*edits), Names({"ArEdit1_1", "ArEdit1_2"}));
    EXPECT_EQ(edits->Collection()->Count(), 2);
    // The window shows the array again, not the discarded edit.
    EXPECT_EQ(Column(*editor->ComboGrid1, 1), Names({"ArEdit1_1", "ArEdit1_2"}));
    EXPECT_EQ(Column(*editor->ComboGrid2, 1), Names({"Edit3"}));

    applied = EditWith(edits, [&] {
        DragRow(*editor->ComboGrid1, 2, 1);
        QTest::keyClick(editor->ComboGrid1->Widget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(applied);
    EXPECT_EQ(ElementNames(*edits), Names({"ArEdit1_1", "ArEdit1_2"}));
}

TEST_F(ArrayEditor, KeysWorkAButtonCellOnceAndAHeldButtonLooksHeld) {
    Names afterEnter, afterHeldSpace, candidatesAfterRelease;
    TModalResult resultAfterEnter = -1;
    QRgb raised = 0, held = 0;
    const bool applied = EditWith(labels, [&] {
        TComboGrid& g1 = *editor->ComboGrid1;
        QWidget* keys = g1.Widget();
        // The user clicks a name, then Right onto its "→".
        QTest::mouseClick(&CellArea(g1), Qt::LeftButton, {}, CellCenter(g1, 1, 1));
        QTest::keyClick(keys, Qt::Key_Right);
        // Enter there is the cell's click, not the default OK button.
        QTest::keyClick(keys, Qt::Key_Return);
        afterEnter = Column(g1, 1);
        resultAfterEnter = editor->ModalResult();
        // Space held down and repeating takes one element out, not one per
        // repeat.
        ui::testing::HoldKey(keys, Qt::Key_Space, QStringLiteral(" "), 5);
        afterHeldSpace = Column(g1, 1);
        // "←" stands in the fixed column of the candidates: held down it
        // looks pressed; released elsewhere it adds nothing.
        TComboGrid& g2 = *editor->ComboGrid2;
        auto corner = [&] {
            const TRect r = g2.CellRect(0, 1);
            return CellArea(g2).grab().toImage().pixel(r.left + 1, r.top + 1);
        };
        raised = corner();
        QTest::mousePress(&CellArea(g2), Qt::LeftButton, {}, CellCenter(g2, 0, 1));
        held = corner();
        QTest::mouseRelease(&CellArea(g2), Qt::LeftButton, {}, CellCenter(g2, 1, 1));
        candidatesAfterRelease = Column(g2, 1);
        PressOk();
    });
    EXPECT_EQ(afterEnter, Names({"ArLabel1_2", "ArLabel1_3"}));
    EXPECT_EQ(resultAfterEnter, mrNone);
    EXPECT_EQ(afterHeldSpace, Names({"ArLabel1_3"}));
    EXPECT_EQ(raised, ui::ToQColor(ui::colors::ButtonFace).rgb());
    EXPECT_EQ(held, ui::ToQColor(ui::colors::ButtonShadow).rgb());
    EXPECT_EQ(candidatesAfterRelease, Names({"ArLabel1_1", "ArLabel1_2", "Label4"}));
    EXPECT_TRUE(applied);
    EXPECT_EQ(ElementNames(*labels), Names({"ArLabel1_3"}));
}

// The colour of the list's cell (col, row) a few pixels in from its right
// edge, where no text is.
QRgb PixelIn(TComboGrid& grid, int col, int row) {
    const QImage image = CellArea(grid).grab().toImage();
    const TRect r = grid.CellRect(col, row);
    return image.pixel(r.right - 4, (r.top + r.bottom) / 2);
}

TEST_F(ArrayEditor, EmptyListsAndControlsThatGoWhileEditing) {
    TArryCtrlForm& f = *editor;
    f.SetArray(labels);
    const QRgb dataCell = PixelIn(*f.ComboGrid1, 1, 2);
    const QRgb fixedCell = PixelIn(*f.ComboGrid1, 0, 2);
    const QRgb currentCell = PixelIn(*f.ComboGrid1, 1, 1);
    ASSERT_NE(dataCell, fixedCell);
    ASSERT_NE(dataCell, currentCell);
    // Everything out: the element list keeps one empty row with nothing to
    // remove or drag.
    for (int i = 0; i < 3; ++i) ClickButtonCell(*f.ComboGrid1, 2, 1);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({""}));
    EXPECT_EQ(Column(*f.ComboGrid1, 0), Names({""}));
    ClickButtonCell(*f.ComboGrid1, 2, 1);
    EXPECT_TRUE(f.Elements().empty());
    // The empty row is painted over: no current cell, nothing to press.
    EXPECT_EQ(PixelIn(*f.ComboGrid1, 1, 1), dataCell);
    EXPECT_EQ(PixelIn(*f.ComboGrid1, 2, 1), dataCell);
    EXPECT_EQ(PixelIn(*f.ComboGrid1, 0, 1), fixedCell);
    EXPECT_EQ(Column(*f.ComboGrid2, 1), Names({"ArLabel1_1", "ArLabel1_2", "ArLabel1_3", "Label4"}));

    // A listed control destroyed meanwhile leaves the lists; OK then works
    // with what remains.
    ClickButtonCell(*f.ComboGrid2, 0, 4);  // Label4
    ClickButtonCell(*f.ComboGrid2, 0, 1);  // ArLabel1_1
    Control("Label4")->Free();
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({"ArLabel1_1"}));
    EXPECT_EQ(Column(*f.ComboGrid2, 1), Names({"ArLabel1_2", "ArLabel1_3"}));
    f.Apply();
    EXPECT_EQ(ElementNames(*labels), Names({"ArLabel1_1"}));

    // The array itself goes: both lists empty, OK changes nothing.
    labels->Free();
    labels = nullptr;
    EXPECT_EQ(f.Array(), nullptr);
    EXPECT_EQ(Column(*f.ComboGrid1, 1), Names({""}));
    EXPECT_EQ(Column(*f.ComboGrid2, 1), Names({""}));
    f.Apply();
}

TEST_F(ArrayEditor, TheToolEditsTheSettingsDialogsArraysOrTheSample) {
    TOwned<TForm> form(FormToEdit(nullptr));
    const std::vector<TArCntrl*> arrays = ArraysOf(*form);
    ASSERT_FALSE(arrays.empty());
    // Whatever the form, every array can be opened and shows its elements.
    for (TArCntrl* array : arrays) {
        editor->SetArray(array);
        Names expected = ElementNames(*array);
        if (expected.empty()) expected.push_back("");
        EXPECT_EQ(Column(*editor->ComboGrid1, 1), expected) << array->Name();
    }
    EXPECT_EQ(DescribeArray(*labels), "ArLabel1: ArLabel1_1, ArLabel1_2, ArLabel1_3");
    EXPECT_EQ(ArraysOf(*sample), (std::vector<TArCntrl*>{labels, edits, ObjectCast<TArCntrl>(sample->FindComponent("ArButton1"))}));
}
