// Opening a set: a double-click or Enter on a record asks, then starts the
// viewer with the archive's full path in the working folder "TMPDIR".  A
// stand-in viewer, a shell script, writes down what it received.
#include "app_test_support.h"

#include "framework/ui/modal/message_box_flags.h"
#include "platform/current_folder.h"
#include "platform/os_path.h"
#include "settings/settings_keys.h"

#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

std::string RealPath(const std::string& osPath) { return std::filesystem::canonical(osPath).string(); }

std::string SystemPath(const std::string& osPath) {
    auto path = platform::FromOsPath(osPath);
    EXPECT_TRUE(path) << osPath;
    return path ? *path : std::string();
}

void SetPath(const char* key, const std::string& text) { Settings.SetText(settings_keys::FilePaths, key, text.c_str()); }

const std::string kQuestionCaption = "展開ファイルの確認";
std::string Question(const std::string& archive) {
    return "次のファイルを展開します。\n　　　" + archive + "\nよろしいですか。";
}

}  // namespace

TEST(OpeningASet, YesStartsTheViewerWithTheFullArchivePathInTheWorkingFolder) {
    TempFolder dir;
    const std::string log = dir.file("viewer.log");
    std::filesystem::create_directory(dir.file("work"));
    // A bare viewer name is found in the working folder first.
    WriteViewer(dir.file("work/kissview"), log);
    // Relative folders: the archive path is relative to the viewer's
    // working folder, "TMPDIR" to the program's.
    WriteBytes(dir.file("Tansu.ini"), "[FilePaths]\r\nDefaultCSV = cat.csv\r\nKISSDIR = kiss\\\r\n"
                                      "KISSEXE = kissview\r\nTMPDIR = work\r\n");
    WriteBytes(dir.file("cat.csv"), CatalogFile({"DOLL,SET01.LZH,T,U,,,1", "NEKO,SET02.LZH,T,U,,,2"}));
    std::filesystem::create_directories(dir.file("work/kiss/DOLL"));
    std::filesystem::create_directories(dir.file("work/kiss/NEKO"));
    WriteBytes(dir.file("work/kiss/DOLL/SET01.LZH"), "lzh");
    WriteBytes(dir.file("work/kiss/NEKO/SET02.LZH"), "lzh");
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    const auto before = platform::GetCurrentFolder();
    ASSERT_TRUE(before);

    // A double-click on the first record.
    script.AnswerMessage(IDYES);
    QTest::mouseClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, 1));
    QTest::mouseDClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, 1));
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_EQ(script.Record(0).text, Question("DOLL\\SET01.LZH"));
    // The path stands on its own line behind three ideographic spaces.
    EXPECT_NE(script.Record(0).text.find("\n\x81\x40\x81\x40\x81\x40" "DOLL\\SET01.LZH\n"), std::string::npos);
    EXPECT_EQ(script.Record(0).caption, kQuestionCaption);
    EXPECT_EQ(script.Record(0).flags, unsigned(MB_YESNOCANCEL | MB_ICONINFORMATION));
    const std::string work = RealPath(dir.file("work"));
    EXPECT_EQ(WaitForLines(log, 1), std::vector<std::string>{work + " <kiss/DOLL/SET01.LZH>"});
    EXPECT_EQ(platform::GetCurrentFolder(), before);

    // No and Cancel start nothing; Enter on the second record asks the same.
    QTest::mouseClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, 2));
    script.AnswerMessage(IDNO).AnswerMessage(IDCANCEL).AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(platform::GetCurrentFolder(), before);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    ASSERT_EQ(script.Records().size(), 4u);
    for (size_t i = 1; i < 4; ++i) EXPECT_EQ(script.Record(i).text, Question("NEKO\\SET02.LZH")) << i;
    const auto lines = WaitForLines(log, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], work + " <kiss/NEKO/SET02.LZH>");
    EXPECT_EQ(platform::GetCurrentFolder(), before);

    // A double-click on the headings uses the selected record.
    script.AnswerMessage(IDNO);
    QTest::mouseDClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, 0));
    EXPECT_EQ(script.Records().back().text, Question("NEKO\\SET02.LZH"));

    // Nothing of the window changed.
    EXPECT_EQ(main.SortColumn, 0);
    EXPECT_FALSE(main.Modified);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(main.Caption(), "cat.csv - TANSU メイン画面");
}

// The viewer unpacks in its working folder: never in TANSU's own, where
// Tansu.ini and the catalog are.
TEST(OpeningASet, TheViewerStartsOnlyInAWorkingFolderOfItsOwn) {
    TempFolder dir;
    const std::string log = dir.file("viewer.log");
    const std::string viewer = dir.file("bin/kissview");
    std::filesystem::create_directories(dir.file("bin"));
    std::filesystem::create_directories(dir.file("cats"));
    std::filesystem::create_directories(dir.file("kiss/DOLL"));
    std::filesystem::create_directories(dir.file("work"));
    WriteViewer(viewer, log);
    WriteBytes(dir.file("kiss/DOLL/SET01.LZH"), "lzh");
    WriteBytes(dir.file("cats/cat.csv"), CatalogFile({"DOLL,SET01.LZH,,,,,"}));
    WriteBytes(dir.file("Tansu.ini"), "[FilePaths]\r\nDefaultCSV = cats\\cat.csv\r\n");
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    SetPath("KISSDIR", SystemPath(dir.path() + "/kiss") + "\\");
    SetPath("KISSEXE", SystemPath(viewer));
    const auto before = platform::GetCurrentFolder();

    struct Case {
        std::string workFolder;
        std::string said;  // the beginning of the message
    };
    const Case refused[] = {
        {"", "作業フォルダーが決まっていないので、ビューアーを起動しませんでした。\n"},
        {SystemPath(dir.path()), "作業フォルダーが TANSU の設定ファイル・カタログと同じフォルダー"},
        {".", "作業フォルダーが TANSU の設定ファイル・カタログと同じフォルダー"},
        {"cats\\", "作業フォルダーが TANSU の設定ファイル・カタログと同じフォルダー"},
        {SystemPath(dir.path() + "/gone"), "作業フォルダーがないので"},
        {"C:\\TEMP", "作業フォルダーに移れないので"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.workFolder);
        SetPath("TMPDIR", c.workFolder);
        script.AnswerMessage(IDYES).AnswerMessage(IDOK);
        QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
        const ui::ModalRecord& told = script.Records().back();
        EXPECT_EQ(told.caption, "エラー");
        EXPECT_EQ(told.flags, unsigned(MB_OK | MB_ICONHAND));
        EXPECT_EQ(told.text.rfind(c.said, 0), 0u) << told.text;
        // The message names the setting and where to change it.
        EXPECT_NE(told.text.find("[ﾌｧｲﾙ(F)|各種設定(S)] の「実行ディレクトリ」(TMPDIR)"), std::string::npos);
        if (!c.workFolder.empty()) {
            EXPECT_NE(told.text.find("\n　　　" + c.workFolder + "\n"), std::string::npos);
        }
        EXPECT_EQ(platform::GetCurrentFolder(), before);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(LogLines(log).empty());  // nothing was started

    // A folder of its own: the viewer starts there.
    SetPath("TMPDIR", "work");
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(WaitForLines(log, 1),
              std::vector<std::string>{RealPath(dir.file("work")) + " <" + dir.path() + "/kiss/DOLL/SET01.LZH>"});
    EXPECT_EQ(platform::GetCurrentFolder(), before);
    EXPECT_FALSE(main.Modified);
}

// A double-click and Yes that start nothing say what and why, and which
// setting to look at.
TEST(OpeningASet, WhatKeepsTheViewerFromStartingIsSaid) {
    TempFolder dir;
    std::filesystem::create_directories(dir.file("work"));
    std::filesystem::create_directories(dir.file("kiss/DOLL"));
    WriteBytes(dir.file("kiss/DOLL/SET01.LZH"), "lzh");
    WriteBytes(dir.file("notes.txt"), "not a program");
    WriteBytes(dir.file("junk"), "\x01\x02 not a program either");
    ::chmod(dir.file("junk").c_str(), 0755);
    WriteBytes(dir.file("cat.csv"), CatalogFile({"DOLL,SET01.LZH,,,,,", "DOLL,GONE.LZH,,,,,", ",,Empty,,,,"}));
    WriteBytes(dir.file("Tansu.ini"), "[FilePaths]\r\nDefaultCSV = cat.csv\r\nTMPDIR = work\r\n");
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    const std::string kissDir = SystemPath(dir.path() + "/kiss") + "\\";
    SetPath("KISSDIR", kissDir);

    struct Case {
        int row;
        std::string viewer, kissDir;
        std::string thing;   // on its own line
        std::string why;     // a line of the message
        std::string field;   // the setting to look at
    };
    const std::string viewerField = "「WKISS実行ファイル」(KISSEXE)";
    const std::string kissField = "「KISS ディレクトリ」(KISSDIR)";
    const Case cases[] = {
        {1, "no-such-viewer", kissDir, "no-such-viewer", "このプログラムが見つかりません。", viewerField},
        {1, "WKISS32.EXE", kissDir, "WKISS32.EXE", "このプログラムが見つかりません。", viewerField},
        {1, SystemPath(dir.file("notes.txt")), kissDir, SystemPath(dir.file("notes.txt")),
         "実行できるファイルではありません（実行の許可がないか、フォルダーです）。", viewerField},
        {1, SystemPath(dir.file("work")), kissDir, SystemPath(dir.file("work")),
         "実行できるファイルではありません（実行の許可がないか、フォルダーです）。", viewerField},
        {1, SystemPath(dir.file("junk")), kissDir, SystemPath(dir.file("junk")),
         "実行できる形式のプログラムではありません。", viewerField},
        {1, "C:\\KISS\\WKISS32.EXE", kissDir, "C:\\KISS\\WKISS32.EXE",
         "このドライブはこの環境にはありません（/ から始まるパスは Z:\\ と書きます）。", viewerField},
        {1, "", kissDir, "（空）", "ビューアーが設定されていません。", viewerField},
        {2, "sh", kissDir, kissDir + "DOLL\\GONE.LZH", "このファイルは存在しません。", kissField},
        {3, "sh", kissDir, kissDir + "\\", "このファイルは存在しません。", kissField},
        {1, "sh", "C:\\KISS\\", "C:\\KISS\\DOLL\\SET01.LZH",
         "このドライブはこの環境にはありません（/ から始まるパスは Z:\\ と書きます）。", kissField},
        {1, "sh", "Z:\\bad\x81 \\", "Z:\\bad\x81 \\DOLL\\SET01.LZH",
         "パスに、この環境のファイル名に直せない文字（Shift-JIS の文字でないバイト）があります。", kissField},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thing);
        SetPath("KISSEXE", c.viewer);
        SetPath("KISSDIR", c.kissDir);
        QTest::mouseClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, c.row));
        script.AnswerMessage(IDYES).AnswerMessage(IDOK);
        QTest::mouseDClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, c.row));
        const ui::ModalRecord& told = script.Records().back();
        EXPECT_EQ(told.caption, "エラー");
        EXPECT_NE(told.text.find("\n　　　" + c.thing + "\n" + c.why + "\n"), std::string::npos) << told.text;
        EXPECT_NE(told.text.find("[ﾌｧｲﾙ(F)|各種設定(S)] の" + c.field), std::string::npos) << told.text;
    }
    EXPECT_EQ(script.Records().size(), 2 * std::size(cases));
}
