// Paths between the system's texts (cp932, drive "Z:" for the OS root, "\")
// and the OS (UTF-8, "/"), and the places where the program takes or hands
// them over: files, the current folder, the viewer's command line.
#include "platform/current_folder.h"
#include "platform/os_file.h"
#include "platform/os_path.h"
#include "platform/process.h"
#include "support/test_files.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace platform;
using testsupport::TempFolder;

namespace {

const std::string kSo = "\x83\x5C";      // ソ, second byte "\"
const std::string kHyo = "\x95\x5C";     // 表, second byte "\"
const std::string kKiss = "\x92\x85\x91\xD6";  // 着替
const char* U8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

}  // namespace

TEST(OsPath, TheRootDriveZStandsForTheOsRoot) {
    struct Case {
        std::string system;
        std::string os;
    };
    const Case both[] = {
        {"Z:\\home\\u\\kiss\\a.LZH", "/home/u/kiss/a.LZH"},
        {"Z:\\", "/"},
        {"Z:\\" + kSo + "\\" + kHyo + "\\x.csv", std::string("/") + U8(u8"ソ") + "/" + U8(u8"表") + "/x.csv"},
        {"Z:\\" + kKiss + "\\", std::string("/") + U8(u8"着替") + "/"},
        {"kiss\\a.LZH", "kiss/a.LZH"},  // relative stays relative
        {"Tansu.ini", "Tansu.ini"},
        {"..\\up", "../up"},
    };
    for (const Case& c : both) {
        auto os = ToOsPath(c.system);
        ASSERT_TRUE(os) << c.system;
        EXPECT_EQ(*os, c.os) << c.system;
        auto back = FromOsPath(c.os);
        ASSERT_TRUE(back) << c.os;
        EXPECT_EQ(*back, c.system) << c.os;
    }

    // Spellings that mean the same place reach the same OS path.
    EXPECT_EQ(*ToOsPath("z:\\home"), "/home");          // a lower-case drive
    EXPECT_EQ(*ToOsPath("Z:/home/u"), "/home/u");       // slashes typed after it
    EXPECT_EQ(*ToOsPath("Z:\\\\home"), "/home");        // a doubled separator
    EXPECT_EQ(*ToOsPath("\\home\\u"), "/home/u");       // the root of the current drive
    EXPECT_EQ(*ToOsPath("/home/u/kiss"), "/home/u/kiss");  // an OS path as a user types it
    EXPECT_EQ(*ToOsPath("Z:kiss\\a"), "kiss/a");        // the drive's current folder is ours
    EXPECT_EQ(*ToOsPath("Z:"), ".");
}

TEST(OsPath, PathsWithoutAnOsFormAreRefusedNotGuessed) {
    // Other drives and network names have no place in the OS tree.
    EXPECT_FALSE(ToOsPath("C:\\KISS\\a.LZH"));
    EXPECT_FALSE(ToOsPath("c:\\"));
    EXPECT_FALSE(ToOsPath("D:a.lzh"));
    EXPECT_FALSE(ToOsPath("\\\\server\\share\\a.lzh"));

    // OS names the system could not give back as they are: a "\" inside a
    // name would become a separator, the yen sign and the overline would
    // turn into "\" and "~", an emoji has no cp932 form.
    EXPECT_FALSE(FromOsPath("/home/u/a\\b.csv"));
    EXPECT_FALSE(FromOsPath(std::string("/home/") + U8(u8"¥") + ".csv"));
    EXPECT_FALSE(FromOsPath(std::string("/home/") + U8(u8"‾") + ".csv"));
    EXPECT_FALSE(FromOsPath("/home/\xF0\x9F\x98\x80"));
    EXPECT_EQ(*FromOsPath("/home/~u"), "Z:\\home\\~u");
}

TEST(OsPath, AnotherDriveIsAFileThatCannotBeOpened) {
    TempFolder dir;
    // Even where a folder named "C:" exists here, C:\ is no path to it.
    ASSERT_EQ(mkdir(dir.file("C:").c_str(), 0777), 0);
    testsupport::WriteBytes(dir.file("C:/a.txt"), "x");
    // No OS path names it, so no file operation can be asked for.
    EXPECT_FALSE(OsPath::FromSystem("C:\\a.txt"));
    EXPECT_FALSE(OsPath::FromSystem("C:\\"));
    EXPECT_EQ(StartProgram("C:\\bin\\sh", {}).failure, StartFailure::ProgramNoOsForm);
    EXPECT_EQ(StartProgram("sh", {"C:\\a.txt"}).failure, StartFailure::ArgumentNoOsForm);

    // The same file by its Z: name opens.
    auto here = GetCurrentFolder();
    ASSERT_TRUE(here);
    FileHandle f = OpenExistingForRead(*OsPath::FromSystem(*here + "\\C:\\a.txt"));
    EXPECT_TRUE(f.IsOpen());
    CloseFile(f);
}

TEST(OsPath, TheCurrentFolderIsOnTheRootDrive) {
    TempFolder dir;
    auto here = GetCurrentFolder();
    ASSERT_TRUE(here);
    EXPECT_EQ(here->rfind("Z:\\", 0), 0u) << *here;
    EXPECT_EQ(*ToOsPath(*here), dir.path());

    // A folder with "ソ", "表" and a Japanese name: in and out again.
    const std::string nested = kSo + kHyo + "\\" + kKiss;
    ASSERT_EQ(mkdir(dir.file(U8(u8"ソ表")).c_str(), 0777), 0);
    ASSERT_EQ(mkdir(dir.file(std::string(U8(u8"ソ表")) + "/" + U8(u8"着替")).c_str(), 0777), 0);
    EXPECT_TRUE(SetCurrentFolder(*OsPath::FromSystem(*here + "\\" + nested)));
    EXPECT_EQ(*GetCurrentFolder(), *here + "\\" + nested);
    EXPECT_TRUE(SetCurrentFolder(*OsPath::FromSystem("Z:\\")));
    EXPECT_EQ(*GetCurrentFolder(), "Z:\\");
    EXPECT_TRUE(SetCurrentFolder(*OsPath::FromSystem(*here)));
    EXPECT_EQ(*GetCurrentFolder(), *here);
}

TEST(OsPath, AViewerOnTheRootDriveGetsItsArgumentInOsForm) {
    TempFolder dir;
    auto here = GetCurrentFolder();
    ASSERT_TRUE(here);
    testsupport::WriteBytes(dir.file("viewer.sh"), "#!/bin/sh\necho \"$1\" > \"$1.out\"\n");
    chmod(dir.file("viewer.sh").c_str(), 0755);
    // The program and its argument both given in the Z: form.
    ASSERT_TRUE(StartProgram(*here + "\\viewer.sh", {*here + "\\set"}).Started());
    std::string out;
    for (int i = 0; i < 300 && out.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        out = testsupport::ReadBytes(dir.file("set.out"));
    }
    EXPECT_EQ(out, dir.path() + "/set\n");
}
