#include "ini_files.h"

#include <gtest/gtest.h>

using namespace settings_test;
using namespace settings_keys;
using testsupport::TempFolder;

namespace {

void ExpectDefaults(const INI& ini) {
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "Tansu.CSV");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSEXE), "tansu-kiss");
    EXPECT_EQ(KeyText(ini, FilePaths, TMPDIR), "");
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 0);
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 0);
    EXPECT_EQ(KeyValue(ini, FormPosition, Width), 534);
    EXPECT_EQ(KeyValue(ini, FormPosition, Height), 450);
    EXPECT_EQ(ini.ItemCount(), 8);
}

}  // namespace

TEST(IniLoad, MissingEmptyOrLockedFileGivesTheDefaults) {
    TempFolder dir;
    INI ini;
    EXPECT_EQ(ini.FirstItem(FilePaths), -1);  // nothing before the first load
    testing::internal::CaptureStdout();
    EXPECT_EQ(ini.Load("Tansu.ini", SettingsSections, SettingsKeys), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't open the file");
    ExpectDefaults(ini);
    EXPECT_EQ(ini.SectionCount(), 3);

    EXPECT_EQ(LoadText(ini, ""), 0);
    ExpectDefaults(ini);

    testsupport::WriteBytes("Tansu.ini", "[FormPosition]\nTop = 9\n");
    BUFFILE other;
    ASSERT_TRUE(other.OpenRead("Tansu.ini"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(ini.Load("Tansu.ini", SettingsSections, SettingsKeys), 1);
    testing::internal::GetCapturedStdout();
    ExpectDefaults(ini);
}

TEST(IniLoad, ValueForms) {
    TempFolder dir;
    INI ini;
    // With and without blanks and "=", the same text; a colon and a
    // backslash are word characters.
    for (const char* line : {"KISSDIR=C:\\KISS\\\r\n", "KISSDIR = C:\\KISS\\\r\n", "KISSDIR C:\\KISS\\\r\n"}) {
        ASSERT_EQ(LoadText(ini, std::string("[FilePaths]\r\n") + line), 0);
        EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "C:\\KISS\\") << line;
    }
    // A key alone, with only "=", or with "=" and a comment: the empty text.
    for (const char* line : {"DefaultCSV\r\n", "DefaultCSV =\r\n", "DefaultCSV = ;old path\r\n", "DefaultCSV ; x\n"}) {
        ASSERT_EQ(LoadText(ini, std::string("[FilePaths]\r\n") + line), 0);
        EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "") << line;
    }
    // A value ends at a blank, "=", "[" or "]"; the rest of the line is ignored.
    LoadText(ini,
             "[FilePaths]\r\nKISSEXE = C:\\Program Files\\KISS\r\nKISSDIR = a=b\r\n"
             "TMPDIR = x[y]\r\nDefaultCSV = \x83\x5B\x83\x8B.csv more\r\n");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSEXE), "C:\\Program");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "a");
    EXPECT_EQ(KeyText(ini, FilePaths, TMPDIR), "x");
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "\x83[\x83\x8B.csv");  // double-byte name kept whole
}

TEST(IniLoad, IgnoredValuesKeepTheKeysAsTheyWere) {
    TempFolder dir;
    INI ini;
    // Values that start with a sign, a backslash, a dot or a bracket; two
    // "=" signs.
    LoadText(ini,
             "[FormPosition]\r\nLeft = -4\r\nTop == 5\r\nWidth = .5\r\nHeight = [x]\r\n"
             "[FilePaths]\r\nKISSDIR = \\share\r\nKISSEXE = ~x\r\n");
    EXPECT_EQ(KeyText(ini, FormPosition, Left), "0");
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 0);
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 0);
    EXPECT_EQ(KeyValue(ini, FormPosition, Width), 534);
    EXPECT_EQ(KeyValue(ini, FormPosition, Height), 450);
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSEXE), "tansu-kiss");
    EXPECT_EQ(ini.ItemCount(), 8);
    // Numbers and characters where a key would begin are passed over, so a
    // word after them still starts a key line.
    LoadText(ini, "[FormPosition]\r\n12 = 4\r\n'x' 3\r\n= Top 5\r\n-Left = 1\r\n");
    EXPECT_EQ(ini.ItemCount(), 8);
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 5);
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 1);
}

TEST(IniLoad, NumbersSetTextAndValue) {
    TempFolder dir;
    INI ini;
    LoadText(ini, "[FormPosition]\r\nTop = 12h\r\nLeft = 1010b\r\nWidth = 17o\r\nHeight = 99t\r\n");
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 18);
    EXPECT_EQ(KeyText(ini, FormPosition, Top), "12h");
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 10);
    EXPECT_EQ(KeyValue(ini, FormPosition, Width), 15);
    EXPECT_EQ(KeyValue(ini, FormPosition, Height), 99);
    EXPECT_EQ(KeyText(ini, FormPosition, Height), "99t");

    // Plain words: the text changes, the number stays.
    LoadText(ini, "[FormPosition]\r\nWidth = 12x\r\nHeight = 2b\r\nTop = 4294967295\r\nLeft = 'AB'\r\n");
    EXPECT_EQ(KeyText(ini, FormPosition, Width), "12x");
    EXPECT_EQ(KeyValue(ini, FormPosition, Width), 534);
    EXPECT_EQ(KeyText(ini, FormPosition, Height), "2b");
    EXPECT_EQ(KeyValue(ini, FormPosition, Height), 450);
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), -1);  // wraps to 32 bits
    EXPECT_EQ(KeyText(ini, FormPosition, Top), "4294967295");
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 0x4142);  // a character constant has no text
    EXPECT_EQ(KeyText(ini, FormPosition, Left), "");
}

TEST(IniLoad, SectionsAreMatchedExactly) {
    TempFolder dir;
    INI ini;
    LoadText(ini, "[filepaths]\r\nDefaultCSV = a.csv\r\n[ FilePaths]\r\nKISSDIR = b\r\n[FilePaths\r\nTMPDIR = t\r\n");
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "Tansu.CSV");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "");
    EXPECT_EQ(KeyText(ini, FilePaths, TMPDIR), "t");  // a header without "]" still counts
    EXPECT_EQ(ini.SectionCount(), 5);
    EXPECT_EQ(ini.FindSection("filepaths"), 4);
    EXPECT_EQ(ini.FindSection(" FilePaths"), 5);
    EXPECT_STREQ(ini.Item(ini.FindItem(4, "DefaultCSV")).text, "a.csv");
    EXPECT_STREQ(ini.Item(ini.FindItem(5, "KISSDIR")).text, "b");
    // A table key under another section is a key of that section; FilePaths
    // keeps its own.
    LoadText(ini, "[FormPosition]\r\nKISSDIR = x\r\n");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "");
    EXPECT_EQ(ini.FindItem(FormPosition, "KISSDIR"), 8);
}

TEST(IniLoad, UnknownAndRepeatedKeys) {
    TempFolder dir;
    INI ini;
    LoadText(ini,
             "first = 1\r\nfirst = 2\r\n"               // before any header
             "[FilePaths]\r\nExtra = e\r\nDefaultCSV = a.csv\r\nDefaultCSV = b.csv\r\n"
             "[ColWidths]\r\nc1 = 40\r\n"
             "[New]\r\nn = 1\r\n");
    ASSERT_EQ(ini.ItemCount(), 13);
    // Section 0 first, each line its own item; then each section's table
    // keys in table order, followed by the keys the file added.
    const char* names[] = {"first", "first", "DefaultCSV", "KISSDIR", "KISSEXE", "TMPDIR", "Extra",
                           "Top",   "Left",  "Width",      "Height",  "c1",      "n"};
    const int sections[] = {0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 3, 4};
    for (int i = 0; i < 13; ++i) {
        EXPECT_STREQ(ini.Item(i).name, names[i]) << i;
        EXPECT_EQ(ini.Item(i).section, sections[i]) << i;
    }
    EXPECT_STREQ(ini.Item(0).text, "1");
    EXPECT_STREQ(ini.Item(1).text, "2");
    EXPECT_EQ(ini.FindItem(0, "first"), -1);  // section 0 is never searched
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "b.csv");  // the later line wins
    EXPECT_EQ(KeyValue(ini, ColWidths, 0), 40);
    EXPECT_STREQ(ini.SectionName(4), "New");
}

TEST(IniLoad, LineEndsCtrlZAndTheLastLine) {
    TempFolder dir;
    INI ini;
    // LF-only lines read like CR LF ones; a CR alone is dropped, so the next
    // byte continues the line.
    LoadText(ini, "[FormPosition]\nTop = 1\nLeft\r= 2\r\nWidth = 3\rHeight = 4\n");
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 1);
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 2);
    EXPECT_EQ(KeyValue(ini, FormPosition, Width), 3);
    EXPECT_EQ(KeyValue(ini, FormPosition, Height), 450);  // lost in Width's line rest

    // A Ctrl-Z ends the content, also in the middle of a line.
    LoadText(ini, "[FormPosition]\r\nTop = 12\x1A" "3\r\nLeft = 5\r\n");
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 12);
    EXPECT_EQ(KeyValue(ini, FormPosition, Left), 0);
    LoadText(ini, "[FormPosition]\r\n\x1ATop = 7\r\n");
    EXPECT_EQ(KeyValue(ini, FormPosition, Top), 0);

    // The last line needs no line end when it has a value; a key alone there
    // stores nothing, and neither does a key with "=".
    LoadText(ini, "[FilePaths]\r\nKISSEXE = v.exe\r\nDefaultCSV = x\r\nTMPDIR");
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "x");
    LoadText(ini, "[FilePaths]\r\nKISSEXE = v.exe\r\nDefaultCSV =");
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "Tansu.CSV");
    LoadText(ini, "[FilePaths]\r\nKISSEXE = v.exe\r\nDefaultCSV");
    EXPECT_EQ(KeyText(ini, FilePaths, DefaultCSV), "Tansu.CSV");
    EXPECT_EQ(KeyText(ini, FilePaths, KISSEXE), "v.exe");
}

TEST(IniLoad, PlainLoadTakesEveryLineAsItStands) {
    TempFolder dir;
    INI ini;
    testsupport::WriteBytes("plain.ini", "a = 1\r\n[S]\r\nx = 5\r\nx = w\r\n[T]\r\ny\r\n[S]\r\nz = 'A'\r\n");
    ASSERT_EQ(ini.LoadPlain("plain.ini"), 0);
    ASSERT_EQ(ini.SectionCount(), 3);  // "S" twice: no search
    EXPECT_STREQ(ini.SectionName(1), "S");
    EXPECT_STREQ(ini.SectionName(3), "S");
    ASSERT_EQ(ini.ItemCount(), 5);
    EXPECT_EQ(ini.Item(0).section, 0);
    EXPECT_STREQ(ini.Item(1).name, "x");
    EXPECT_EQ(ini.Item(1).value, 5);
    EXPECT_STREQ(ini.Item(2).text, "w");
    EXPECT_EQ(ini.Item(2).value, 0);  // a word leaves the number 0
    EXPECT_EQ(ini.Item(3).section, 2);
    EXPECT_STREQ(ini.Item(3).text, "");
    EXPECT_EQ(ini.Item(4).section, 3);
    EXPECT_EQ(ini.Item(4).value, 65);

    testing::internal::CaptureStdout();
    EXPECT_EQ(ini.LoadPlain("missing.ini"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't open the file");
    EXPECT_EQ(ini.ItemCount(), 0);
    EXPECT_EQ(ini.SectionCount(), 0);
}
