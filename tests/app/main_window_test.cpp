// The main window as the user meets it: the first start, the geometry kept
// in Tansu.ini, the caption, the close question, the menus.
#include "app_test_support.h"

#include "editor/record_form.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "settings/setup_form.h"
#include "settings/ini_files.h"
#include "settings/settings_keys.h"

#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

using settings_test::kDefaultFile;

std::string IniWith(const std::string& defaultCsv, int top, int left, int width, int height) {
    return "[FilePaths]\r\nDefaultCSV = " + defaultCsv + "\r\n\r\n[FormPosition]\r\nTop = " + std::to_string(top) +
           "\r\nLeft = " + std::to_string(left) + "\r\nWidth = " + std::to_string(width) +
           "\r\nHeight = " + std::to_string(height) + "\r\n";
}

}  // namespace

// A first start has no catalog yet: that is no error.  The defaults are
// this machine's: the viewer tansu-kiss and a working folder in the user's
// cache folder.
TEST(MainWindow, FirstStartAsksOnlyWhetherToSetUpAndWritesThisMachinesDefaults) {
    TempFolder dir;
    ScopedEnvironment cache("XDG_CACHE_HOME", dir.file("cache"));
    StrictScript script;
    script.AnswerMessage(IDNO);
    {
        TansuWindows windows;
        ASSERT_EQ(script.Records().size(), 1u);
        const ui::ModalRecord& question = script.Record(0);
        EXPECT_EQ(question.caption, "初回立ち上げ");
        EXPECT_EQ(question.flags, unsigned(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(question.text,
                  "本日は、TANSU の立ち上げ まことに有り難うございます。\nまず始めに、環境設定から行って下さい。\n\n"
                  "すぐに、環境設定を行いますか？\n（あとで、メニューから[ﾌｧｲﾙ(F)|各種設定(S)]してもかまいません。）\n");

        // An empty catalog under the default name, written at the first save.
        TForm1& main = windows.main();
        EXPECT_EQ(main.Caption(), "Tansu.CSV - TANSU メイン画面");
        EXPECT_EQ(main.Top(), 0);
        EXPECT_EQ(main.Left(), 0);
        EXPECT_EQ(main.Width(), 534);
        EXPECT_EQ(main.Height(), 450);
        EXPECT_FALSE(main.ShowSetupOnShow);
        EXPECT_EQ(main.CsvFileName, "Tansu.CSV");
        EXPECT_FALSE(main.Modified);
        EXPECT_EQ(main.ComboGrid1->RowCount(), 2);  // the heading and one empty row
        EXPECT_EQ(main.ComboGrid1->Cells(3, 0), "TITLE");
        EXPECT_FALSE(testsupport::Exists(dir.file("Tansu.ini")));
        EXPECT_FALSE(testsupport::Exists(dir.file("Tansu.CSV")));
        EXPECT_TRUE(windows.Close());
    }
    std::string expected = kDefaultFile;
    const std::string work = "TMPDIR = " + SystemFormOf(dir.file("cache")) + "\\tansu\r\n";
    expected.replace(expected.find("TMPDIR = \r\n"), 11, work);
    EXPECT_EQ(ReadBytes(dir.file("Tansu.ini")), expected);
    EXPECT_FALSE(testsupport::Exists(dir.file("Tansu.CSV")));

    // A catalog the user named is still missed when it is gone.
    WriteBytes(dir.file("Tansu.ini"), IniWith("mine.csv", 0, 0, 534, 450));
    script.AnswerMessage(IDOK);
    {
        TansuWindows windows;
        ASSERT_EQ(script.Records().size(), 2u);
        EXPECT_EQ(script.Record(1).text, "CSVファイルが読み込めません");
        EXPECT_TRUE(windows.Close());
    }
}

// Out of the box: set up at the first start with the dialog's defaults, a
// set opens in tansu-kiss (found on PATH) in the cache folder, made then.
TEST(MainWindow, OutOfTheBoxASetOpensInTansuKissInTheCacheFolder) {
    TempFolder dir;
    ScopedEnvironment cache("XDG_CACHE_HOME", dir.file("cache"));
    std::filesystem::create_directories(dir.file("bin"));
    WriteViewer(dir.file("bin/tansu-kiss"), dir.file("viewer.log"));
    ScopedEnvironment path("PATH", dir.file("bin") + ":" + std::getenv("PATH"));
    std::filesystem::create_directories(dir.file("DOLL"));
    WriteBytes(dir.file("DOLL/SET01.LZH"), "lzh");
    StrictScript script;
    script.AnswerMessage(IDYES);
    {
        TansuWindows windows;
        std::vector<std::string> shown;
        WhileActiveModal(script, [&] {
            for (int i = 0; i < 4; ++i) shown.push_back(Form2->ArEdit1->ArryCntrl(i)->Text());
            Press(Form2->BitBtn_OK);
        });
        windows.main().Show();
        EXPECT_EQ(shown, (std::vector<std::string>{"Tansu.CSV", SystemFormOf(dir.path()) + "\\", "tansu-kiss",
                                                   SystemFormOf(dir.file("cache")) + "\\tansu"}));
        EXPECT_TRUE(windows.Close());
    }
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({"DOLL,SET01.LZH,T,U,,,1"}));
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(WaitForLines(dir.file("viewer.log"), 1),
              std::vector<std::string>{std::filesystem::canonical(dir.file("cache/tansu")).string() + " <" +
                                       dir.path() + "/DOLL/SET01.LZH>"});
}

TEST(MainWindow, AYesAtTheFirstStartOpensTheSettingsWhenTheWindowFirstShows) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({}));
    StrictScript script;
    script.AnswerMessage(IDYES);
    TansuWindows windows;
    EXPECT_TRUE(windows.main().ShowSetupOnShow);
    std::string shown;
    script.WhileModal([&](QWidget&) {
        shown = Form2->Caption();
        Form2->SetModalResult(mrCancel);
    });
    windows.main().Show();
    EXPECT_EQ(shown, "TANSU 設定画面");
    EXPECT_EQ(windows.main().Caption(), "Tansu.CSV - TANSU メイン画面");
}

// The start-up the program's main runs names the desktop entry before any
// window shows.
TEST(MainWindow, StartUpTellsTheDesktopWhichEntryTheWindowsBelongTo) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("Tansu.CSV", 0, 0, 534, 450));
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({}));
    Application->SetDesktopFileName("");
    TansuWindows windows;
    EXPECT_FALSE(windows.main().Visible());
    EXPECT_EQ(Application->DesktopFileName(), "io.github.tansu.Tansu");
}

TEST(MainWindow, GeometryComesFromTheSettingsAndIsStoredAtEveryClose) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", 10, 20, 600, 400));
    StrictScript script;
    {
        TansuWindows windows;
        TForm1& main = windows.main();
        EXPECT_EQ(main.Top(), 10);
        EXPECT_EQ(main.Left(), 20);
        EXPECT_EQ(main.Width(), 600);
        EXPECT_EQ(main.Height(), 400);
        EXPECT_EQ(main.Caption(), "TANSU メイン画面");  // an empty DefaultCSV loads nothing
        main.SetBounds(33, 44, 640, 480);
        EXPECT_TRUE(windows.Close());
    }
    std::string ini = ReadBytes(dir.file("Tansu.ini"));
    EXPECT_NE(ini.find("DefaultCSV = \r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Top = 44\r\nLeft = 33\r\nWidth = 640\r\nHeight = 480\r\n"), std::string::npos) << ini;

    // Stored again although nothing moved.
    WriteBytes(dir.file("Tansu.ini"), IniWith("", 7, 8, 500, 300));
    {
        TansuWindows windows;
        EXPECT_TRUE(windows.Close());
    }
    EXPECT_NE(ReadBytes(dir.file("Tansu.ini")).find("Top = 7\r\nLeft = 8\r\nWidth = 500\r\nHeight = 300\r\n"),
              std::string::npos);
}

TEST(MainWindow, CaptionShowsTheCatalogAndWhetherItChanged) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100"}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", 0, 0, 534, 450));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    EXPECT_EQ(main.Caption(), "cat.csv - TANSU メイン画面");
    main.Modified = true;
    main.UpdateCaption();
    EXPECT_EQ(main.Caption(), "cat.csv(更新) - TANSU メイン画面");
    main.CsvFileName.clear();
    main.UpdateCaption();
    EXPECT_EQ(main.Caption(), "TANSU メイン画面");
}

TEST(MainWindow, TheCloseQuestionSavesClosesOrStays) {
    TempFolder dir;
    const std::string original = CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100", "E,B.LZH,S,V,,,"});
    WriteBytes(dir.file("cat.csv"), original);
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", 0, 0, 534, 450));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();

    // Unchanged: no question, also after a sort.
    main.SortByText(3);
    EXPECT_TRUE(main.CloseQuery());
    EXPECT_EQ(script.Records().size(), 0u);

    main.Modified = true;
    main.ComboGrid1->SetCell(3, 1, "New title");  // row 1 is "E" after the sort
    script.AnswerMessage(IDCANCEL);
    EXPECT_FALSE(main.CloseQuery());
    EXPECT_EQ(script.Record(0).caption, "保存確認");
    EXPECT_EQ(script.Record(0).text, "データが更新されています。\n保存してから終了しますか？");
    EXPECT_EQ(script.Record(0).flags, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));

    script.AnswerMessage(IDNO);
    EXPECT_TRUE(main.CloseQuery());
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), original);

    // Yes after a sort: the row-order question; its Cancel keeps the
    // window open and writes nothing.
    script.AnswerMessage(IDYES).AnswerMessage(IDCANCEL);
    EXPECT_FALSE(main.CloseQuery());
    EXPECT_EQ(script.Records().back().caption, "確認");
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), original);

    // Yes, and No to the row order: written in number order, then closed.
    script.AnswerMessage(IDYES).AnswerMessage(IDNO);
    EXPECT_TRUE(main.CloseQuery());
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")),
              CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100", "E,B.LZH,New title,V,,,"}));
    EXPECT_TRUE(main.Modified);  // a save at the end does not clear it
}

TEST(MainWindow, CtrlSWithoutACatalogAsksForANameOnlyWhenThereIsSomethingToSave) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", 0, 0, 534, 450));
    StrictScript script;  // any message box would fail the test
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(script.Records().size(), 0u);

    // A typed record without a catalog file: the save dialog; its Cancel
    // writes nothing.
    main.ComboGrid1->SetCell(3, 1, "T");
    main.Modified = true;
    script.CancelFile();
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_TRUE(script.Record(0).dialog.save);
    EXPECT_TRUE(main.Modified);
    EXPECT_TRUE(main.CsvFileName.empty());

    // With a catalog the same key saves it (the blank line goes) and shows
    // it again.
    WriteBytes(dir.file("cat.csv"), CatalogFile({"", "D,A.LZH,T,U,ABC01234,1997/05/12,100"}));
    main.LoadCsv("cat.csv");
    main.Modified = true;
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadBytes(dir.file("cat.csv")), CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100"}));
    EXPECT_FALSE(main.Modified);
}

TEST(MainWindow, AnOpenedFileThatFailsToLoadStillBecomesTheDefaultCatalog) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100"}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", 0, 0, 534, 450));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    script.ChooseFile("gone.csv").AnswerMessage(IDOK);
    main.MenuFileOpenClick(main.MenuFileOpen);
    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Record(0).dialog.title, "CSV ファイルを開く");
    EXPECT_EQ(script.Record(1).text, "CSVファイルが読み込めません");
    EXPECT_EQ(main.CsvFileName, "cat.csv");  // the shown catalog stays
    EXPECT_EQ(main.ComboGrid1->Cells(2, 1), "A.LZH");
    int first = Settings.FirstItem(settings_keys::FilePaths);
    EXPECT_STREQ(Settings.Item(first + settings_keys::DefaultCSV).text, "gone.csv");
}

TEST(MainWindow, MenusCarryTheirCaptionsAndShortcuts) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", 0, 0, 534, 450));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    struct Expected {
        TMenuItem* item;
        const char* caption;
        TShortCut shortCut;
    };
    const Expected items[] = {
        {main.F1, "ﾌｧｲﾙ(&F)", 0},
        {main.MenuFileOpen, "CSVを開く(&O)", scCtrl | 'O'},
        {main.MenuFileSave, "上書き保存(&S)", scCtrl | 'S'},
        {main.N2, "-", 0},
        {main.MenuSetUp, "各種設定(&S)...", 0},
        {main.N1, "-", 0},
        {main.FileExit, "終了(&X)", 0},
        {main.MenuSort, "ｿｰﾄ(&S)", 0},
        {main.MenuSortNum, "番号順(&N)", 0},
        {main.MenuSortDir, "ﾌｫﾙﾀﾞ順(&F)", 0},
        {main.MenuSortLZHFile, "LZHﾌｧｲﾙ名順(&L)", 0},
        {main.MenuSortTitle, "タイトル順(&T)", 0},
        {main.MenuSortAuthor, "作者順(&A)", 0},
        {main.MenuSortID, "ID順(&I)", 0},
        {main.MenuSortDate, "日付順(&D)", 0},
        {main.MenuSortSize, "サイズ順(&S)", 0},
        {main.R1, "ﾚｺｰﾄﾞ(&R)", 0},
        {main.MenuRecordEdit, "編集(&E)", scCtrl | 'M'},
        {main.MenuRecordAppend, "追加(&A)", scCtrl | 'A'},
        {main.MenuRecordBatchAdd, "KISSフォルダから一括追加(&I)...", scCtrl | 'I'},
        {main.N3, "-", 0},
        {main.MenuRecordFind, "検索(&F)...", scCtrl | 'F'},
        {main.MenuRecordFindNext, "次を検索", 0x72},  // F3
        {main.V1, "表示(&V)", 0},
        {main.MenuViewPreview, "プレビュー(&P)", scCtrl | 'P'},
        {main.H1, "ﾍﾙﾌﾟ(&H)", 0},
        {main.MenuAbout, "About (&A)...", 0},
    };
    for (const Expected& e : items) {
        ASSERT_NE(e.item, nullptr);
        EXPECT_EQ(e.item->Caption(), e.caption);
        EXPECT_EQ(e.item->ShortCut(), e.shortCut) << e.caption;
    }
    // The sort items stand in column order under their menu.
    ASSERT_EQ(main.MenuSort->Count(), 8);
    EXPECT_EQ(main.MenuSort->Items(7), main.MenuSortSize);
    EXPECT_EQ(main.MainMenu1->Items()->Count(), 5);
    EXPECT_EQ(main.MainMenu1->Items()->Items(3), main.V1);  // the View menu before Help

    // Ctrl+A and Ctrl+M open the record dialog in append and edit mode,
    // and Esc in the grid edits as well.
    main.Show();
    std::vector<bool> modes;
    auto noteMode = [&](QWidget&) {
        modes.push_back(Form3->AppendMode);
        Form3->SetModalResult(mrCancel);
    };
    script.WhileModal(noteMode).WhileModal(noteMode).WhileModal(noteMode);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Escape);
    EXPECT_EQ(modes, (std::vector<bool>{true, false, false}));

    script.AnswerMessage(IDOK);
    main.MenuAboutClick(main.MenuAbout);
    EXPECT_EQ(script.Records().back().caption, "About this Application");
    EXPECT_EQ(script.Records().back().text.rfind("Tansu #02\n", 0), 0u);
    EXPECT_NE(script.Records().back().text.find("MIT ライセンス"), std::string::npos);
    EXPECT_EQ(script.Records().back().flags, unsigned(MB_OK | MB_ICONINFORMATION));
}
