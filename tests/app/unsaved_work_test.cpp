// Unsaved work as the user meets it: another catalog opened over a changed
// one (File > open, the settings dialog's browse) asks the close question
// first, and a row moved by hand is a change of its own.
#include "app_test_support.h"

#include "editor/record_form.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/ui_test_support.h"
#include "settings/settings_keys.h"
#include "settings/setup_form.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

// Ctrl+M on the current row, a new title typed, OK.
void EditTitle(StrictScript& script, TForm1& main, const QString& title) {
    WhileActiveModal(script, [&] {
        auto* field = static_cast<QLineEdit*>(Form3->ArMaskEdit1->ArryCntrl(3)->Widget());
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        ui::testing::TypeInto(field, title);
        Press(Form3->BB_OK);
    });
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_M, Qt::ControlModifier);
}

void CtrlO(TForm1& main) { QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_O, Qt::ControlModifier); }

std::string DefaultCsv() {
    const char* text = Settings.Item(Settings.FirstItem(settings_keys::FilePaths) + settings_keys::DefaultCSV).text;
    return text ? text : "";
}

// Chooses an item of the Sort menu.
void ChooseSort(TForm1& main, TMenuItem* item) {
    QMenu& menu = *main.MenuSort->Action()->menu();
    menu.popup(QPoint(0, 0));
    item->Action()->trigger();
    menu.hide();
}

// The settings dialog's catalog field.
std::string CatalogField() { return Form2->ArEdit1->ArryCntrl(0)->Text(); }

// Drags a row by its number cell.
void DragRow(TForm1& main, int from, int to) {
    TComboGrid& grid = *main.ComboGrid1;
    QTest::mousePress(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 0, from));
    QTest::mouseMove(&Cells(main), CellCenter(grid, 0, to));
    QTest::mouseRelease(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 0, to));
}

}  // namespace

TEST(UnsavedWork, OpeningAnotherCatalogOverChangesAsksTheCloseQuestion) {
    TempFolder dir;
    const std::string first = CatalogFile({"A,A.LZH,First,U,ABC01234,1997/05/12,100"});
    const std::string other = CatalogFile({"B,B.LZH,Other,V,,,"});
    WriteBytes(dir.file("cat.csv"), first);
    WriteBytes(dir.file("other.csv"), other);
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    EditTitle(script, main, QStringLiteral("Edited"));
    ASSERT_EQ(main.Caption(), "cat.csv(更新) - TANSU メイン画面");

    // Cancel: everything stays, the next start's catalog too.
    script.ChooseFile("other.csv").AnswerMessage(IDCANCEL);
    CtrlO(main);
    const ui::ModalRecord& question = script.Records().back();
    EXPECT_EQ(question.caption, "保存確認");
    EXPECT_EQ(question.text, "データが更新されています。\n保存してから別のCSVファイルを開きますか？");
    EXPECT_EQ(question.flags, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(main.ComboGrid1->Cells(3, 1), "Edited");
    EXPECT_EQ(main.Caption(), "cat.csv(更新) - TANSU メイン画面");
    EXPECT_EQ(DefaultCsv(), "cat.csv");

    // Yes whose save is cancelled (the row-order question): nothing opens.
    ChooseSort(main, main.MenuSortTitle);
    script.ChooseFile("other.csv").AnswerMessage(IDYES).AnswerMessage(IDCANCEL);
    CtrlO(main);
    EXPECT_EQ(main.CsvFileName, "cat.csv");
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), first);

    // Yes: saved first, then the other catalog.
    script.ChooseFile("other.csv").AnswerMessage(IDYES).AnswerMessage(IDYES);
    CtrlO(main);
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), CatalogFile({"A,A.LZH,Edited,U,ABC01234,1997/05/12,100"}));
    EXPECT_EQ(main.CsvFileName, "other.csv");
    EXPECT_EQ(main.Caption(), "other.csv - TANSU メイン画面");
    EXPECT_EQ(DefaultCsv(), "other.csv");

    // Unchanged: no question.
    script.ChooseFile("cat.csv");
    CtrlO(main);
    EXPECT_EQ(main.CsvFileName, "cat.csv");

    // No: the other catalog without saving.
    EditTitle(script, main, QStringLiteral("Dropped"));
    script.ChooseFile("other.csv").AnswerMessage(IDNO);
    CtrlO(main);
    EXPECT_EQ(main.ComboGrid1->Cells(3, 1), "Other");
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), CatalogFile({"A,A.LZH,Edited,U,ABC01234,1997/05/12,100"}));

    // The settings dialog's catalog browse asks the same; Cancel leaves the
    // grid and the dialog's fields as they were.
    EditTitle(script, main, QStringLiteral("Kept"));
    std::string fieldBefore, fieldAfterCancel, asked;
    WhileActiveModal(script, [&] {
        fieldBefore = CatalogField();
        script.ChooseFile("cat.csv").AnswerMessage(IDCANCEL);
        Press(Form2->ArButton1->ArryCntrl(0));
        asked = script.Records().back().text;
        fieldAfterCancel = CatalogField();
        EXPECT_EQ(main.ComboGrid1->Cells(3, 1), "Kept");
        // No: the chosen catalog replaces the changed one.
        script.ChooseFile("cat.csv").AnswerMessage(IDNO);
        Press(Form2->ArButton1->ArryCntrl(0));
        Press(Form2->BitBtn_CANCEL);
    });
    main.MenuSetUp->Click();
    EXPECT_EQ(fieldAfterCancel, fieldBefore);
    EXPECT_EQ(asked, "データが更新されています。\n保存してから別のCSVファイルを開きますか？");
    EXPECT_EQ(main.CsvFileName, "cat.csv");
    EXPECT_EQ(main.ComboGrid1->Cells(3, 1), "Edited");
    EXPECT_EQ(ReadBytes(dir.file("other.csv")), other);
}

TEST(UnsavedWork, ARowMovedByHandIsAChangeASortIsNot) {
    TempFolder dir;
    const std::string file = CatalogFile({"A,1.LZH,c,,,,", "B,2.LZH,a,,,,", "C,3.LZH,b,,,,"});
    WriteBytes(dir.file("cat.csv"), file);
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));

    // A sort: no change; the window closes without a question.
    ChooseSort(main, main.MenuSortTitle);
    EXPECT_EQ(main.Caption(), "cat.csv - TANSU メイン画面");
    EXPECT_TRUE(main.CloseQuery());
    EXPECT_EQ(script.Records().size(), 0u);

    // A drag: the caption says so and closing asks.
    DragRow(main, 1, 3);
    EXPECT_EQ(main.Caption(), "cat.csv(更新) - TANSU メイン画面");
    script.AnswerMessage(IDCANCEL);
    EXPECT_FALSE(windows.Close());
    EXPECT_EQ(script.Record(0).caption, "保存確認");
    // Yes, and Yes to the order shown: the file keeps the dragged order.
    script.AnswerMessage(IDYES).AnswerMessage(IDYES);
    EXPECT_TRUE(windows.Close());
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), CatalogFile({"C,3.LZH,b,,,,", "A,1.LZH,c,,,,", "B,2.LZH,a,,,,"}));
}
