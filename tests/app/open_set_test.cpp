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

// One line per start of the stand-in viewer: its working folder, then each
// argument in angle brackets.
std::vector<std::string> Lines(const std::string& osPath) {
    std::vector<std::string> lines;
    std::istringstream in(ReadBytes(osPath));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The viewer runs on its own: wait until it has written `count` lines.
std::vector<std::string> WaitForLines(const std::string& log, size_t count) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (Lines(log).size() < count && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return Lines(log);
}

// Writes the stand-in viewer: an executable script that appends its line
// to `log` in one write.
void WriteViewer(const std::string& osPath, const std::string& log) {
    WriteBytes(osPath, "#!/bin/sh\n"
                       "line=\"$(pwd -P)\"\n"
                       "for a in \"$@\"; do line=\"$line <$a>\"; done\n"
                       "printf '%s\\n' \"$line\" >> '" + log + "'\n");
    ::chmod(osPath.c_str(), 0755);
}

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

TEST(OpeningASet, AbsolutePathsEmptyCellsAndAnEmptyWorkingFolder) {
    TempFolder dir;
    const std::string log = dir.file("viewer.log");
    const std::string viewer = dir.file("bin/kissview");
    std::filesystem::create_directory(dir.file("bin"));
    WriteViewer(viewer, log);
    WriteBytes(dir.file("cat.csv"), CatalogFile({"DOLL,SET01.LZH,,,,,", ",,Empty,,,,"}));
    WriteBytes(dir.file("Tansu.ini"), "[FilePaths]\r\nDefaultCSV = cat.csv\r\n");
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    // As the settings dialog stores them; "KISSDIR" ends in a backslash.
    const std::string kissDir = SystemPath(dir.path() + "/kiss") + "\\";
    SetPath("KISSDIR", kissDir);
    SetPath("KISSEXE", SystemPath(viewer));
    SetPath("TMPDIR", "");
    const std::string home = RealPath(dir.path());
    const auto before = platform::GetCurrentFolder();

    // Empty "TMPDIR": the viewer runs in the program's own folder.
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(script.Records().back().text, Question("DOLL\\SET01.LZH"));
    auto expected = platform::ToOsPath(kissDir + "DOLL\\SET01.LZH");
    ASSERT_TRUE(expected);
    EXPECT_EQ(WaitForLines(log, 1), std::vector<std::string>{home + " <" + *expected + ">"});

    // Empty cells: the archive path is a lone backslash, still started.
    QTest::mouseClick(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 3, 2));
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(script.Records().back().text, Question("\\"));
    expected = platform::ToOsPath(kissDir + "\\");
    ASSERT_TRUE(expected);
    auto lines = WaitForLines(log, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], home + " <" + *expected + ">");

    // A "TMPDIR" that does not exist: the viewer starts here, and here the
    // program stays.
    SetPath("TMPDIR", SystemPath(dir.path() + "/gone"));
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    lines = WaitForLines(log, 3);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], home + " <" + *expected + ">");
    EXPECT_EQ(platform::GetCurrentFolder(), before);

    // A viewer that does not exist: no message, nothing changes, and the
    // program goes on as before.
    SetPath("TMPDIR", SystemPath(dir.path() + "/bin"));
    SetPath("KISSEXE", "no-such-viewer.exe");
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(script.Records().size(), 4u);
    EXPECT_EQ(platform::GetCurrentFolder(), before);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(main.SortColumn, 0);
    EXPECT_FALSE(main.Modified);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(Lines(log).size(), 3u);
    // The relative settings file still resolves where it did.
    EXPECT_TRUE(windows.Close());
    EXPECT_NE(ReadBytes(dir.file("Tansu.ini")).find("KISSEXE = no-such-viewer.exe"), std::string::npos);
}
