// The catalog between file and grid: what a load shows, what a save
// writes, and that a save which cannot be done loses nothing.
#include "app_test_support.h"
#include "app/column_widths.h"

#include "framework/stream.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/value_writer.h"
#include "platform/os_file.h"

#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

TEST(CatalogFile, LoadNumbersTheRecordsAndSaveWritesThemBack) {
    TempFolder dir;
    // Blank lines, comma-only lines and a line of 21 commas take no number;
    // a short record gets empty cells; the last line has no line end.
    std::string file = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n"
                       "SAKURA,A.LZH,\x8D\xF7\x82\xCC\x90\x6C\x8C\x60,X,ABC01234,1997/05/12,48213\r\n"  // 桜の人形
                       "\r\n"
                       ",,,,\r\n"
                       ",,,,,,,,,,,,,,,,,,,,,\r\n"
                       "NATSU,B.LZH,Summer\r\n"
                       "FUYU,C.LZH,Winter,Y,,2001/01/01,9";
    WriteBytes(dir.file("cat.csv"), file);
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    script.AnswerMessage(IDOK);  // the short records are said
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"1", "SAKURA", "A.LZH", "\x8D\xF7\x82\xCC\x90\x6C\x8C\x60", "X",
                                                       "ABC01234", "1997/05/12", "48213"}));
    EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"2", "NATSU", "B.LZH", "Summer", "", "", "", ""}));
    EXPECT_EQ(Row(grid, 3), (std::vector<std::string>{"3", "FUYU", "C.LZH", "Winter", "Y", "", "2001/01/01", "9"}));
    EXPECT_EQ(main.SortColumn, 0);
    EXPECT_FALSE(main.Modified);

    // A menu save writes the grid in its order and shows the file again,
    // numbered anew; a cell holding a comma splits on the way.
    grid.SetCell(0, 2, "77");
    grid.SetCell(4, 2, "A,B");
    main.Modified = true;
    script.AnswerMessage(IDYES);  // over a file that was read only in part
    main.MenuFileSaveClick(main.MenuFileSave);
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")),
              CatalogFile({"SAKURA,A.LZH,\x8D\xF7\x82\xCC\x90\x6C\x8C\x60,X,ABC01234,1997/05/12,48213",
                           "NATSU,B.LZH,Summer,A,B,,,", "FUYU,C.LZH,Winter,Y,,2001/01/01,9"}));
    EXPECT_FALSE(main.Modified);
    EXPECT_EQ(grid.Cells(0, 2), "2");
    EXPECT_EQ(grid.Cells(4, 2), "A");
    EXPECT_EQ(grid.Cells(5, 2), "B");
    EXPECT_EQ(main.Caption(), "cat.csv - TANSU メイン画面");

    // A file without records: two rows, row 1 empty.
    WriteBytes(dir.file("empty.csv"), CatalogFile({}));
    main.LoadCsv("empty.csv");
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(Row(grid, 1), std::vector<std::string>(8));
    // An all-empty row is written as six commas and is no record next time.
    main.Modified = true;
    EXPECT_EQ(main.SaveCsv("empty.csv"), 0);
    EXPECT_EQ(ReadBytes(dir.file("empty.csv")), CatalogFile({",,,,,,"}));
}

TEST(CatalogFile, AFailedSaveKeepsTheOldFileTellsTheUserAndKeepsTheWindowOpen) {
    TempFolder dir;
    const std::string original = CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100"});
    WriteBytes(dir.file("cat.csv"), original);
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.ComboGrid1->SetCell(3, 1, "Edited");
    main.Modified = true;

    // The disk fills up: the close question's Yes keeps the window open.
    platform::faults::FailWritesAfterBytes(10);
    script.AnswerMessage(IDYES).AnswerMessage(IDOK);
    EXPECT_FALSE(main.CloseQuery());
    platform::faults::ClearFailures();
    const ui::ModalRecord& error = script.Records().back();
    EXPECT_EQ(error.caption, "エラー");
    EXPECT_EQ(error.flags, unsigned(MB_OK | MB_ICONHAND));
    EXPECT_NE(error.text.find("cat.csv"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), original);
    EXPECT_EQ(testsupport::ReadBytes(dir.file("cat.csv")).size(), original.size());

    // The file cannot be created: a menu save does not reload, the edit stays.
    platform::faults::FailCreates(true);
    script.AnswerMessage(IDOK);
    main.MenuFileSaveClick(main.MenuFileSave);
    platform::faults::ClearFailures();
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), original);
    EXPECT_EQ(main.ComboGrid1->Cells(3, 1), "Edited");
    EXPECT_TRUE(main.Modified);

    // Held open by someone else.
    platform::FileHandle held = platform::OpenExistingForRead(*platform::OsPath::FromSystem("cat.csv"));
    ASSERT_TRUE(held.IsOpen());
    script.AnswerMessage(IDOK);
    EXPECT_EQ(main.SaveCsv("cat.csv"), 1);
    platform::CloseFile(held);
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), original);

    // No catalog was ever loaded: Yes asks for a name; cancelling that
    // dialog saves nothing and keeps the window open.
    main.CsvFileName.clear();
    script.AnswerMessage(IDYES).CancelFile();
    EXPECT_FALSE(main.CloseQuery());
    EXPECT_TRUE(script.Records().back().dialog.save);
    EXPECT_TRUE(main.Modified);
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), original);

    // Writable again: Yes saves and lets the window close.
    main.CsvFileName = "cat.csv";
    script.AnswerMessage(IDYES);
    EXPECT_TRUE(main.CloseQuery());
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), CatalogFile({"D,A.LZH,Edited,U,ABC01234,1997/05/12,100"}));
}

TEST(CatalogFile, NumberOrderRestoresTheFileOrderAfterRowMoves) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({"A,1.LZH,,,,,", "B,2.LZH,,,,,", "C,3.LZH,,,,,", "D,4.LZH,,,,,"}));
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    grid.MoveRow(4, 1);  // as a drag does; the grid tells the window
    EXPECT_EQ(grid.Cells(1, 1), "D");
    EXPECT_EQ(main.SortColumn, -1);
    // Yes keeps the order shown.
    script.AnswerMessage(IDYES);
    EXPECT_EQ(main.SaveCsv("shown.csv"), 0);
    EXPECT_EQ(ReadBytes(dir.file("shown.csv")), CatalogFile({"D,4.LZH,,,,,", "A,1.LZH,,,,,", "B,2.LZH,,,,,", "C,3.LZH,,,,,"}));
    // No puts the records back in number order first.
    script.AnswerMessage(IDNO);
    EXPECT_EQ(main.SaveCsv("numbered.csv"), 0);
    EXPECT_EQ(ReadBytes(dir.file("numbered.csv")), ReadBytes(dir.file("cat.csv")));
    EXPECT_EQ(main.SortColumn, 0);
    EXPECT_EQ(grid.Cells(0, 4), "4");
    // Now in number order: no question.
    EXPECT_EQ(main.SaveCsv("again.csv"), 0);
}

TEST(CatalogFile, AHundredThousandRecordsLoadAndSaveBackByteForByte) {
    TempFolder dir;
    std::vector<std::string> records;
    records.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
        std::string n = std::to_string(i);
        records.push_back("SET" + n + ",S" + n + ".LZH,\x83\x5C\x83\x74\x83\x67 " + n + ",\x8D\xEC\x8E\xD2,ABC" +
                          std::to_string(10000 + i % 90000) + ",1998/01/01," + std::to_string(i * 7));
    }
    const std::string file = CatalogFile(records);
    WriteBytes(dir.file("big.csv"), file);
    WriteBytes(dir.file("Tansu.ini"), IniFor("big.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    ASSERT_EQ(main.ComboGrid1->RowCount(), 100001);
    EXPECT_EQ(main.ComboGrid1->Cells(0, 100000), "100000");
    EXPECT_EQ(main.ComboGrid1->Cells(1, 100000), "SET99999");
    EXPECT_EQ(main.SaveCsv("big.csv"), 0);
    EXPECT_TRUE(ReadBytes(dir.file("big.csv")) == file);
}

TEST(CatalogFile, TheGridsStoredCellKindIsTheCatalogsTable) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniFor(""));
    StrictScript script;
    TansuWindows windows;
    TComboGrid& grid = *windows.main().ComboGrid1;
    TMemoryStream stream;
    TWriter writer(stream);
    grid.WriteCellKind(writer);
    // Per column: kind 0, fixed cells centred (18), data cells right (20)
    // for "#", "DATE" and "BYTE", left (17) for the others, two empty
    // items, list width 0, margin 2, no edit limit, editable.
    std::string expected = "\x01";
    for (int column = 0; column < 8; ++column) {
        char align = (column == 0 || column >= 6) ? 20 : 17;
        expected += std::string("\x02\x00\x02\x12\x02", 5) + align + std::string("\x02\x02\x06\x00\x06\x00\x02\x00\x02\x02\x02\x00\x09", 13);
    }
    expected += '\x00';
    EXPECT_EQ(stream.Bytes(), expected);
    EXPECT_EQ(grid.ColCount(), 8);
    // The stored widths, shown widened alike for the font at hand.
    const int widths[] = {40, 45, 95, 256, 72, 65, 64, 52};
    const double scale = ColumnWidthScale(grid);
    for (int c = 0; c < 8; ++c) {
        // DIR may be widened further to hold an eight-character folder.
        if (c == 1) EXPECT_GE(grid.ColWidths(c), static_cast<int>(std::ceil(widths[c] * scale)));
        else EXPECT_EQ(grid.ColWidths(c), static_cast<int>(std::ceil(widths[c] * scale))) << c;
    }
    EXPECT_EQ(grid.Cells(0, 0), "#");
    EXPECT_EQ(grid.Cells(7, 0), "BYTE");
}

TEST(CatalogFile, AFileReadOnlyInPartIsSaidAfterTheLoadAndNotOverwrittenWithoutAsking) {
    TempFolder dir;
    // Not a catalog: 4,000 random bytes.
    std::string noise;
    for (unsigned i = 0, x = 12345; i < 4000; ++i) {
        x = x * 1103515245u + 12345u;
        noise += static_cast<char>(x >> 23);
    }
    WriteBytes(dir.file("noise.csv"), noise);
    // A hand-edited catalog: a record with three fields and one whose
    // author holds a comma (eight fields).
    const std::string edited = CatalogFile({"A,A.LZH,T,U,ABC01234,1997/05/12,100", "B,B.LZH,Short",
                                            "C,C.LZH,T,Author,Comma,ABC01234,1997/05/12,100"});
    WriteBytes(dir.file("edited.csv"), edited);
    WriteBytes(dir.file("Tansu.ini"), IniFor("edited.csv"));
    StrictScript script;
    script.AnswerMessage(IDOK);
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    // At start: what was changed, with its lines; the grid shows the rest.
    ASSERT_EQ(script.Records().size(), 1u);
    const ui::ModalRecord& notice = script.Record(0);
    EXPECT_EQ(notice.caption, "読み込みの注意");
    EXPECT_EQ(notice.flags, unsigned(MB_OK | MB_ICONWARNING));
    EXPECT_NE(notice.text.find("edited.csv"), std::string::npos);
    EXPECT_NE(notice.text.find("項目の数が 7 でない行: 2行（3行目ほか）"), std::string::npos) << notice.text;
    EXPECT_EQ(main.ComboGrid1->Cells(3, 2), "Short");

    // Ctrl+O of the random bytes: said after the load.
    script.ChooseFile("noise.csv").AnswerMessage(IDOK);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(script.Records().size(), 3u);
    EXPECT_EQ(main.CsvFileName, "noise.csv");
    EXPECT_NE(script.Record(2).text.find("Shift-JIS の文字でないバイトのある行"), std::string::npos) << script.Record(2).text;

    // Ctrl+S asks before writing over it; No keeps the file.
    script.AnswerMessage(IDNO);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script.Records().size(), 4u);
    EXPECT_EQ(script.Record(3).caption, "上書き確認");
    EXPECT_EQ(script.Record(3).flags, unsigned(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_NE(script.Record(3).text.find("上書き保存しますか？"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("noise.csv")), noise);
    // Closing after an edit: the close question's Yes asks again, and its
    // No keeps both the file and the window.
    main.Modified = true;
    script.AnswerMessage(IDYES).AnswerMessage(IDNO);
    EXPECT_FALSE(windows.Close());
    EXPECT_EQ(ReadBytes(dir.file("noise.csv")), noise);

    // Yes writes it; the catalog the file now holds is read without a word,
    // and the next save asks nothing.
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(ReadBytes(dir.file("noise.csv")), noise);
    const size_t asked = script.Records().size();
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(script.Records().size(), asked);

    // A file with nothing readable says so.
    WriteBytes(dir.file("text.csv"), "Just a note, not a catalog.");
    script.ChooseFile("text.csv").AnswerMessage(IDOK);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_NE(script.Records().back().text.find("レコードが一つも読み込めませんでした"), std::string::npos);
}

namespace {

// A catalog with a short record (read only in part, which is said at the
// start), shown in the main window; Ctrl+Shift+S saves it under a name.
struct PartlyReadCatalog {
    TempFolder dir;
    const std::string edited = CatalogFile({"A,A.LZH,T,U,ABC01234,1997/05/12,100", "B,B.LZH,Short"});
    StrictScript script;
    std::optional<TansuWindows> windows;
    TForm1* main = nullptr;

    PartlyReadCatalog() {
        WriteBytes(dir.file("edited.csv"), edited);
        WriteBytes(dir.file("Tansu.ini"), IniFor("edited.csv"));
        script.AnswerMessage(IDOK);  // the short record is said
        windows.emplace();
        main = &windows->main();
        main->Show();
    }
    void Press(Qt::KeyboardModifiers modifiers) { QTest::keyClick(main->ComboGrid1->Widget(), Qt::Key_S, modifiers); }
    void SaveAs() { Press(Qt::ControlModifier | Qt::ShiftModifier); }
    void Save() { Press(Qt::ControlModifier); }
};

}  // namespace

// Ctrl+Shift+S writes the catalog under a new name, which it is from then
// on (and at the next start); the file it came from stays as it was, so a
// file read only in part need not be overwritten to keep the edits.
TEST(CatalogFile, SaveAsWritesANewFileAndLeavesTheOldOne) {
    PartlyReadCatalog c;
    TForm1& main = *c.main;
    StrictScript& script = c.script;

    // Cancelled: nothing written, nothing renamed.  The dialog offered the
    // catalog's own name.
    script.CancelFile();
    c.SaveAs();
    EXPECT_EQ(script.Records().back().dialog.fileName, "edited.csv");
    EXPECT_EQ(main.CsvFileName, "edited.csv");
    EXPECT_FALSE(testsupport::Exists(c.dir.file("copy.csv")));

    // Chosen: no question about the partly read file, which stays as it was.
    main.ComboGrid1->SetCell(3, 1, "Renamed");
    main.Modified = true;
    const size_t asked = script.Records().size();
    script.ChooseFile("copy.csv");
    c.SaveAs();
    EXPECT_EQ(script.Records().size(), asked + 1) << script.Records().back().text;  // the dialog only
    EXPECT_EQ(ReadBytes(c.dir.file("edited.csv")), c.edited);
    EXPECT_EQ(ReadBytes(c.dir.file("copy.csv")),
              CatalogFile({"A,A.LZH,Renamed,U,ABC01234,1997/05/12,100", "B,B.LZH,Short,,,,"}));
    EXPECT_EQ(main.CsvFileName, "copy.csv");
    EXPECT_EQ(main.Caption(), "copy.csv - TANSU メイン画面");
    // The next Ctrl+S writes the new file without a question.
    main.ComboGrid1->SetCell(3, 2, "Again");
    c.Save();
    EXPECT_EQ(script.Records().size(), asked + 1);
    EXPECT_NE(ReadBytes(c.dir.file("copy.csv")).find("Again"), std::string::npos);
    EXPECT_TRUE(c.windows->Close());
    EXPECT_NE(ReadBytes(c.dir.file("Tansu.ini")).find("DefaultCSV = copy.csv\r\n"), std::string::npos);
}

// The file read only in part keeps what could not be read until a save
// writes over it, whatever name the save gives it: the dialog's full name
// for a catalog the settings name relatively, or its name again after the
// catalog was saved under another one.  Each time the question comes first.
TEST(CatalogFile, SaveAsOverThePartlyReadFileAsksByWhicheverName) {
    PartlyReadCatalog c;
    TForm1& main = *c.main;
    StrictScript& script = c.script;
    main.ComboGrid1->SetCell(3, 1, "Renamed");
    main.Modified = true;
    auto saveAsAnsweringNo = [&](auto choose) {
        const size_t before = script.Records().size();
        choose();
        script.AnswerMessage(IDNO);
        c.SaveAs();
        ASSERT_EQ(script.Records().size(), before + 2);
        EXPECT_EQ(script.Records().back().caption, "上書き確認");
        EXPECT_EQ(ReadBytes(c.dir.file("edited.csv")), c.edited);
    };

    // The full name the dialog gives.
    saveAsAnsweringNo([&] { script.ChooseOsFile(c.dir.file("edited.csv")); });
    EXPECT_EQ(main.CsvFileName, "edited.csv");
    EXPECT_TRUE(main.Modified);

    // Saved elsewhere, then back by its own name.
    script.ChooseFile("copy.csv");
    c.SaveAs();
    ASSERT_EQ(main.CsvFileName, "copy.csv");
    saveAsAnsweringNo([&] { script.ChooseFile("edited.csv"); });
    EXPECT_EQ(main.CsvFileName, "copy.csv");

    // Yes writes it; from then on it holds what is shown.
    script.ChooseFile("edited.csv").AnswerMessage(IDYES);
    c.SaveAs();
    EXPECT_EQ(ReadBytes(c.dir.file("edited.csv")), ReadBytes(c.dir.file("copy.csv")));
    EXPECT_EQ(main.CsvFileName, "edited.csv");
    const size_t asked = script.Records().size();
    c.Save();
    EXPECT_EQ(script.Records().size(), asked);
}
