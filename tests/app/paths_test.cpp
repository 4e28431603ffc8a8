// The catalog's path as the user picks it, stored in Tansu.ini and found
// again at the next start; files that are no files.
#include "app_test_support.h"

#include "framework/ui/modal/message_box_flags.h"

#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

std::string IniNaming(const std::string& defaultCsv) {
    return "[FilePaths]\r\nDefaultCSV = " + defaultCsv +
           "\r\n\r\n[FormPosition]\r\nTop = 0\r\nLeft = 0\r\nWidth = 534\r\nHeight = 450\r\n";
}

struct Folder {
    const char* osName;      // UTF-8, as the OS has it
    const char* systemName;  // cp932, as the system shows and stores it
};

}  // namespace

TEST(CatalogPath, AFileOpenedInAnAbsoluteFolderIsTheCatalogOfTheNextStart) {
    const Folder folders[] = {
        {"kiss", "kiss"},
        // Both with "\" as their second byte.
        {reinterpret_cast<const char*>(u8"ソ表"), "ソ表"},
        {reinterpret_cast<const char*>(u8"着せ替え"), "着せ替え"},
    };
    for (const Folder& f : folders) {
        SCOPED_TRACE(f.osName);
        TempFolder program;       // the current folder, with Tansu.ini
        TempFolder sets(false);  // somewhere else on the disk
        const std::string osFolder = sets.file(f.osName);
        ASSERT_EQ(mkdir(osFolder.c_str(), 0777), 0);
        WriteBytes(osFolder + "/list.CSV", CatalogFile({"SAKURA,SAKURA01.LZH,桜,はな,ABC01234,1997/05/12,100"}));
        WriteBytes(program.file("Tansu.ini"), IniNaming("Tansu.CSV"));
        WriteBytes(program.file("Tansu.CSV"), CatalogFile({}));
        const std::string stored = SystemFormOf(sets.path()) + "\\" + f.systemName + "\\list.CSV";

        {
            StrictScript script;
            TansuWindows windows;
            TForm1& main = windows.main();
            main.Show();
            // File > open (Ctrl+O); the dialog gives the OS path.
            script.ChooseOsFile(osFolder + "/list.CSV");
            QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_O, Qt::ControlModifier);
            ASSERT_EQ(script.Records().size(), 1u);
            EXPECT_EQ(main.CsvFileName, stored);
            EXPECT_EQ(main.Caption(), stored + " - TANSU メイン画面");
            EXPECT_EQ(main.ComboGrid1->Cells(2, 1), "SAKURA01.LZH");
            EXPECT_TRUE(windows.Close());
        }
        const std::string line = "DefaultCSV = " + stored + "\r\n";
        EXPECT_NE(ReadBytes(program.file("Tansu.ini")).find(line), std::string::npos)
            << ReadBytes(program.file("Tansu.ini"));

        // The next start loads it (no message), and its close keeps it.
        {
            StrictScript script;
            TansuWindows windows;
            TForm1& main = windows.main();
            EXPECT_EQ(main.CsvFileName, stored);
            EXPECT_EQ(main.ComboGrid1->Cells(3, 1), "桜");
            EXPECT_EQ(script.Records().size(), 0u);
            EXPECT_TRUE(windows.Close());
        }
        EXPECT_NE(ReadBytes(program.file("Tansu.ini")).find(line), std::string::npos);
    }
}

TEST(CatalogPath, AnotherDriveIsACatalogThatCannotBeOpened) {
    TempFolder program;
    // Where a folder "C:" holds a catalog, C:\ still names no place here.
    ASSERT_EQ(mkdir(program.file("C:").c_str(), 0777), 0);
    WriteBytes(program.file("C:/list.CSV"), CatalogFile({"D,A.LZH,T,U,,,"}));
    WriteBytes(program.file("Tansu.ini"), IniNaming("C:\\list.CSV"));
    StrictScript script;
    script.AnswerMessage(IDOK);
    {
        TansuWindows windows;
        ASSERT_EQ(script.Records().size(), 1u);
        EXPECT_EQ(script.Record(0).text, "CSVファイルが読み込めません");
        EXPECT_TRUE(windows.main().CsvFileName.empty());
        EXPECT_TRUE(windows.Close());
    }
    // The user's setting is kept as it was.
    EXPECT_NE(ReadBytes(program.file("Tansu.ini")).find("DefaultCSV = C:\\list.CSV\r\n"), std::string::npos);
}

TEST(CatalogPath, NamedPipesForTheSettingsAndTheCatalogDoNotHoldUpTheStart) {
    TempFolder program;
    ASSERT_EQ(mkfifo(program.file("Tansu.ini").c_str(), 0666), 0);
    ASSERT_EQ(mkfifo(program.file("Tansu.CSV").c_str(), 0666), 0);
    StrictScript script;
    // A settings file that cannot be read is a first start; the catalog
    // cannot be read either.
    script.AnswerMessage(IDNO).AnswerMessage(IDOK);
    alarm(20);  // a start that waits on a pipe ends the test run here
    {
        TansuWindows windows;
        ASSERT_EQ(script.Records().size(), 2u);
        EXPECT_EQ(script.Record(0).caption, "初回立ち上げ");
        EXPECT_EQ(script.Record(1).text, "CSVファイルが読み込めません");
        EXPECT_TRUE(windows.Close());
    }
    alarm(0);
    // The pipe is no file to save into: it stays a pipe.
    struct stat st;
    ASSERT_EQ(stat(program.file("Tansu.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(CatalogPath, ANameTheSystemWouldReadOtherwiseIsRefusedAtTheDialog) {
    TempFolder program;
    WriteBytes(program.file("Tansu.ini"), IniNaming("Tansu.CSV"));
    WriteBytes(program.file("Tansu.CSV"), CatalogFile({}));
    // The yen sign would become "\" in cp932 and split the name in two; a
    // "\" in an OS name would do the same.
    const std::string yen = program.file(reinterpret_cast<const char*>(u8"a¥b.CSV"));
    const std::string backslash = program.file("c\\d.CSV");
    WriteBytes(yen, CatalogFile({}));
    WriteBytes(backslash, CatalogFile({}));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    script.ChooseOsFile(yen).AnswerMessage(IDOK).ChooseOsFile(backslash).AnswerMessage(IDOK).CancelFile();
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(script.Records().size(), 5u);
    EXPECT_EQ(script.Record(1).caption, "エラー");
    EXPECT_NE(script.Record(1).text.find("\\a?b.CSV\n"), std::string::npos) << script.Record(1).text;
    EXPECT_NE(script.Record(3).text.find("\\c?d.CSV\n"), std::string::npos) << script.Record(3).text;
    EXPECT_EQ(script.Record(4).kind, ui::ModalRecord::Kind::OpenFile);
    // Nothing was opened or stored.
    EXPECT_EQ(main.CsvFileName, "Tansu.CSV");
    EXPECT_TRUE(windows.Close());
    EXPECT_NE(ReadBytes(program.file("Tansu.ini")).find("DefaultCSV = Tansu.CSV\r\n"), std::string::npos);
}
