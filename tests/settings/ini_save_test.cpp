#include "ini_files.h"

#include "platform/os_file.h"
#include "settings/ini_value.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace settings_test;
using namespace settings_keys;
using testsupport::TempFolder;

namespace {

int FilesIn(const std::string& folder) {
    int n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder)) ++n;
    return n;
}

}  // namespace

TEST(IniSave, DefaultsGiveTheElevenLineFile) {
    TempFolder dir;
    INI ini;
    testing::internal::CaptureStdout();
    ini.Load("Tansu.ini", SettingsSections, SettingsKeys);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(ini.Save("Tansu.ini"), 0);
    EXPECT_EQ(testsupport::ReadBytes(dir.file("Tansu.ini")), kDefaultFile);
    // Saving again over it gives the same bytes; loading it changes nothing.
    EXPECT_EQ(LoadText(ini, kDefaultFile), 0);
    EXPECT_EQ(SavedText(ini), kDefaultFile);
    EXPECT_EQ(ini.ItemCount(), 8);
}

TEST(IniSave, HeadersBlankLinesAndItemOrder) {
    TempFolder dir;
    INI ini;
    LoadText(ini,
             "zero = 0\r\n[ColWidths]\r\nc1 = 40\r\n[FormPosition]\r\nTop = 5\r\n"
             "[Extra]\r\ne = 'A'\r\n[FilePaths]\r\nKISSDIR = C:\\KISS\\\r\nmore\r\n");
    EXPECT_EQ(SavedText(ini),
              "zero = 0\r\n"
              "[FilePaths]\r\n"  // no empty line before the first section
              "DefaultCSV = Tansu.CSV\r\nKISSDIR = C:\\KISS\\\r\nKISSEXE = tansu-kiss\r\nTMPDIR = \r\n"
              "more = \r\n"
              "\r\n[FormPosition]\r\nTop = 5\r\nLeft = 0\r\nWidth = 534\r\nHeight = 450\r\n"
              "\r\n[ColWidths]\r\nc1 = 40\r\n"
              "\r\n[Extra]\r\ne = \r\n");

    // Items appended after a load are not sorted in: their section's header
    // is written again where they stand (section 1 without an empty line).
    ini.SetText(FilePaths, "Later", "x");
    ini.SetTextValue(FormPosition, "Top", "-4", -4);
    ini.SetTextValue(FormPosition, "Depth", "7", 7);
    std::string saved = SavedText(ini);
    EXPECT_NE(saved.find("\r\n[Extra]\r\ne = \r\n[FilePaths]\r\nLater = x\r\n\r\n[FormPosition]\r\nDepth = 7\r\n"),
              std::string::npos)
        << saved;
    // A text the reader would drop bare is quoted.
    EXPECT_NE(saved.find("[FormPosition]\r\nTop = \"-4\"\r\n"), std::string::npos);
}

TEST(IniSave, RoundTripOfTextsAndNumbers) {
    TempFolder dir;
    INI ini;
    LoadText(ini, "");
    const char* kissDir = "D:\\\x83\x5C\x83\x74\x83\x67\\";  // a folder name with 0x5C second bytes
    ini.SetText(FilePaths, "KISSDIR", kissDir);
    ini.SetText(FilePaths, "TMPDIR", "");
    ini.SetText(FilePaths, "DefaultCSV", "C:\\x\\cat.csv");
    ini.SetTextValue(FormPosition, "Top", "120", 120);
    ini.SetTextValue(FormPosition, "Width", "2147483647", 2147483647);
    ini.SetTextValue(FormPosition, "Height", "12h", 18);
    ini.SetText(ColWidths, "c3", "256");
    ASSERT_EQ(ini.Save("Tansu.ini"), 0);

    INI again;
    ASSERT_EQ(again.Load("Tansu.ini", SettingsSections, SettingsKeys), 0);
    EXPECT_EQ(KeyText(again, FilePaths, KISSDIR), kissDir);
    EXPECT_EQ(KeyText(again, FilePaths, TMPDIR), "");
    EXPECT_EQ(KeyText(again, FilePaths, DefaultCSV), "C:\\x\\cat.csv");
    EXPECT_EQ(KeyValue(again, FormPosition, Top), 120);
    EXPECT_EQ(KeyValue(again, FormPosition, Width), 2147483647);
    EXPECT_EQ(KeyValue(again, FormPosition, Height), 18);
    EXPECT_EQ(KeyText(again, FormPosition, Height), "12h");
    EXPECT_EQ(KeyValue(again, ColWidths, 0), 256);
    EXPECT_EQ(SavedText(again), testsupport::ReadBytes(dir.file("Tansu.ini")));
}

TEST(IniSave, FailuresLeaveTheOldFileAndNoLeftovers) {
    TempFolder dir;
    INI ini;
    LoadText(ini, "");
    ini.SetText(FilePaths, "KISSDIR", "C:\\NEW\\");

    EXPECT_EQ(ini.Save("no\\such\\folder\\Tansu.ini"), 1);
    EXPECT_EQ(ini.Save(nullptr), 1);
    EXPECT_EQ(ini.Save(""), 1);

    testsupport::WriteBytes(dir.file("Tansu.ini"), "old content");
    int files = FilesIn(dir.path());

    // Held open by another reader.
    BUFFILE other;
    ASSERT_TRUE(other.OpenRead("Tansu.ini"));
    EXPECT_EQ(ini.Save("Tansu.ini"), 1);
    other.Close();
    EXPECT_EQ(testsupport::ReadBytes(dir.file("Tansu.ini")), "old content");

    // A full disk.
    platform::faults::FailWritesAfterBytes(20);
    EXPECT_EQ(ini.Save("Tansu.ini"), 1);
    platform::faults::ClearFailures();
    EXPECT_EQ(testsupport::ReadBytes(dir.file("Tansu.ini")), "old content");

    platform::faults::FailCreates(true);
    EXPECT_EQ(ini.Save("Tansu.ini"), 1);
    EXPECT_EQ(ini.Save("Fresh.ini"), 1);
    platform::faults::ClearFailures();
    EXPECT_EQ(testsupport::ReadBytes(dir.file("Tansu.ini")), "old content");
    EXPECT_EQ(FilesIn(dir.path()), files);  // no temporary file, no empty new file

    // A failing write of a file that did not exist leaves no file behind.
    platform::faults::FailWritesAfterBytes(0);
    EXPECT_EQ(ini.Save("Fresh.ini"), 1);
    platform::faults::ClearFailures();
    EXPECT_FALSE(testsupport::Exists(dir.file("Fresh.ini")));

    // When the folder refuses the swap, the save fails and the old file
    // stays whole.
    platform::faults::FailReplace(true);
    EXPECT_EQ(ini.Save("Tansu.ini"), 1);
    platform::faults::ClearFailures();
    EXPECT_EQ(FilesIn(dir.path()), files);
    EXPECT_EQ(testsupport::ReadBytes(dir.file("Tansu.ini")), "old content");
    EXPECT_EQ(ini.Save("Tansu.ini"), 0);
    INI again;
    ASSERT_EQ(again.Load("Tansu.ini", SettingsSections, SettingsKeys), 0);
    EXPECT_EQ(KeyText(again, FilePaths, KISSDIR), "C:\\NEW\\");
}

TEST(IniSave, PermissionsOfOldAndNewFiles) {
    TempFolder dir;
    INI ini;
    LoadText(ini, "");
    chmod(dir.file("Tansu.ini").c_str(), 0640);
    ASSERT_EQ(ini.Save("Tansu.ini"), 0);
    struct stat st;
    ASSERT_EQ(stat(dir.file("Tansu.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A new file gets the permissions of any newly created file.
    mode_t mask = umask(022);
    ASSERT_EQ(ini.Save("New.ini"), 0);
    umask(mask);
    ASSERT_EQ(stat(dir.file("New.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(IniSave, ReadOnlyFileIsNotWritten) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
    TempFolder dir;
    INI ini;
    LoadText(ini, "");
    ini.Save("Tansu.ini");
    chmod(dir.file("Tansu.ini").c_str(), 0444);
    ini.SetText(FilePaths, "TMPDIR", "T");
    std::string before = testsupport::ReadBytes(dir.file("Tansu.ini"));
    EXPECT_EQ(ini.Save("Tansu.ini"), 1);
    EXPECT_EQ(testsupport::ReadBytes(dir.file("Tansu.ini")), before);
}

TEST(IniSave, AValueThatWouldNotReadBackBareIsQuotedAndReadsBackExactly) {
    TempFolder dir;
    struct Case {
        const char* text;
        const char* written;  // as it stands after "KISSDIR = "
    };
    const Case cases[] = {
        {"Z:\\home\\me\\kiss\\", "Z:\\home\\me\\kiss\\"},  // bare, as always
        {"12h", "12h"},
        {"\x83\x5B\x83\x8B", "\x83\x5B\x83\x8B"},  // a "[" as a second byte stays bare
        {"Z:\\home\\me\\My Sets\\", "\"Z:\\home\\me\\My Sets\\\""},
        {"a=b", "\"a=b\""},
        {"a[1]", "\"a[1]\""},
        {";old", "\";old\""},
        {"\\kiss\\", "\"\\kiss\\\""},
        {".\\work", "\".\\work\""},
        {"~/kiss/", "\"~/kiss/\""},
        {"-4", "\"-4\""},
        {"'A'", "\"'A'\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {" lead and trail ", "\" lead and trail \""},
        {"tab\there", "\"tab\there\""},
        {"ends in a lead byte \x83", "\"ends in a lead byte \x83\""},
        {"x\x83", "\"x\x83\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        INI ini;
        LoadText(ini, "");
        ini.SetText(FilePaths, "KISSDIR", c.text);
        ini.SetText(FilePaths, "TMPDIR", "after");
        ASSERT_EQ(ini.Save("Tansu.ini"), 0);
        std::string file = testsupport::ReadBytes("Tansu.ini");
        EXPECT_NE(file.find(std::string("\r\nKISSDIR = ") + c.written + "\r\n"), std::string::npos) << file;
        INI again;
        ASSERT_EQ(LoadText(again, file), 0);
        EXPECT_EQ(KeyText(again, FilePaths, KISSDIR), c.text);
        EXPECT_EQ(KeyText(again, FilePaths, TMPDIR), "after");
        EXPECT_EQ(SavedText(again), file);
    }
}

TEST(IniSave, QuotesMeanSomethingOnlyAtTheStartOfAValue) {
    TempFolder dir;
    INI ini;
    // Inside a word, after "=" a second time, or left open, a quote reads
    // as it always did; a key or a section is never quoted.
    LoadText(ini, "[FilePaths]\r\nKISSDIR = a\"b c\"\r\nKISSEXE = \"open\r\nTMPDIR = = \"x\"\r\n"
                  "\"DefaultCSV\" = y\r\n[FormPosition]\r\nTop \"12\" more\r\nLeft = \"\"\r\n");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "a\"b");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSEXE), "tansu-kiss");
    EXPECT_EQ(KeyText(ini, FilePaths, TMPDIR), "");
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "Tansu.CSV");
    EXPECT_EQ(KeyText(ini, FormPosition, Top), "12");  // no "=" needed; the rest of the line is ignored
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 0);     // a quoted text is no number
    EXPECT_EQ(KeyText(ini, FormPosition, Left), "");
}

TEST(IniSave, OnlyLineEndsAndControlCharactersCannotBeStored) {
    EXPECT_TRUE(CanStoreValue("Z:\\My Sets\\ [1] = ;\"x\"\t"));
    EXPECT_TRUE(CanStoreValue(""));
    for (const char* bad : {"a\nb", "a\rb", "a\x1A", "\x01", "a\x7F"}) EXPECT_FALSE(CanStoreValue(bad)) << bad;
}
