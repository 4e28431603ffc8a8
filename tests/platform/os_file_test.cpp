#include "platform/current_folder.h"
#include "platform/os_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using testsupport::TempFolder;

namespace {
// The OS form of a system path the test knows to have one.
OsPath P(std::string_view systemPath) { return OsPath::FromSystem(systemPath).value(); }
}  // namespace

TEST(OsFile, OpenFilesAreNotShared) {
    TempFolder dir;
    testsupport::WriteBytes(dir.file("a.txt"), "hello");

    FileHandle r = OpenExistingForRead(P("a.txt"));
    ASSERT_TRUE(r.IsOpen());
    // A second open in this process, for reading or for writing, fails, and
    // the failed write open leaves the content alone.
    EXPECT_FALSE(OpenExistingForRead(P("a.txt")).IsOpen());
    EXPECT_FALSE(CreateForWrite(P("a.txt")).IsOpen());
    EXPECT_EQ(testsupport::ReadBytes(dir.file("a.txt")), "hello");

    // Another process cannot open it either.
    pid_t pid = fork();
    if (pid == 0) _exit(OpenExistingForRead(P("a.txt")).IsOpen() ? 1 : 0);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    char buf[16];
    EXPECT_EQ(ReadBlock(r, buf, sizeof buf), 5);
    EXPECT_EQ(ReadBlock(r, buf, sizeof buf), 0);
    EXPECT_TRUE(CloseFile(r));
    EXPECT_FALSE(r.IsOpen());
    EXPECT_TRUE(CloseFile(r));  // closing twice is harmless

    FileHandle w = CreateForWrite(P("a.txt"));
    ASSERT_TRUE(w.IsOpen());
    EXPECT_EQ(testsupport::ReadBytes(dir.file("a.txt")), "");  // emptied
    EXPECT_EQ(WriteBlock(w, "xyz", 3), 3);
    EXPECT_FALSE(OpenExistingForRead(P("a.txt")).IsOpen());
    EXPECT_TRUE(CloseFile(w));
    EXPECT_EQ(testsupport::ReadBytes(dir.file("a.txt")), "xyz");
}

TEST(OsFile, MissingFilesFoldersAndBadNamesFail) {
    TempFolder dir;
    EXPECT_FALSE(OpenExistingForRead(P("missing.txt")).IsOpen());
    EXPECT_FALSE(OpenExistingForRead(P("")).IsOpen());
    EXPECT_FALSE(OpenExistingForRead(P(".")).IsOpen());  // a folder is no file
    EXPECT_FALSE(CreateForWrite(P("no\\such\\folder.txt")).IsOpen());
    EXPECT_FALSE(OsPath::FromSystem("bad\x80.txt"));  // no OS form: nothing to open
    // A backslash path reaches the OS with slashes.
    mkdir(dir.file("sub").c_str(), 0777);
    FileHandle w = CreateForWrite(P("sub\\b.txt"));
    ASSERT_TRUE(w.IsOpen());
    CloseFile(w);
    EXPECT_TRUE(testsupport::Exists(dir.file("sub/b.txt")));
}

TEST(OsFile, TestSeamsMakeWritesAndCreatesFail) {
    TempFolder dir;
    FileHandle w = CreateForWrite(P("c.txt"));
    ASSERT_TRUE(w.IsOpen());
    faults::FailWritesAfterBytes(4);
    EXPECT_EQ(WriteBlock(w, "abc", 3), 3);
    EXPECT_EQ(WriteBlock(w, "def", 3), 1);  // short write: the disk is full
    EXPECT_EQ(WriteBlock(w, "g", 1), -1);
    faults::ClearFailures();
    CloseFile(w);
    EXPECT_EQ(testsupport::ReadBytes(dir.file("c.txt")), "abcd");

    faults::FailCreates(true);
    OsPath temp;
    EXPECT_FALSE(CreateForWrite(P("d.txt")).IsOpen());
    EXPECT_FALSE(CreateTempBeside(P("d.txt"), temp).IsOpen());
    faults::ClearFailures();
}

TEST(OsFile, TempBesideThenReplaceKeepsPermissions) {
    TempFolder dir;
    testsupport::WriteBytes(dir.file("cat.csv"), "old");
    chmod(dir.file("cat.csv").c_str(), 0640);
    OsPath temp;
    FileHandle t = CreateTempBeside(P("cat.csv"), temp);
    ASSERT_TRUE(t.IsOpen());
    EXPECT_NE(temp.Text(), "cat.csv");
    EXPECT_EQ(WriteBlock(t, "new", 3), 3);
    EXPECT_TRUE(CopyPermissions(P("cat.csv"), t));
    EXPECT_TRUE(SyncFile(t));
    EXPECT_TRUE(CloseFile(t));
    EXPECT_TRUE(ReplaceFile(temp, P("cat.csv")));
    EXPECT_EQ(testsupport::ReadBytes(dir.file("cat.csv")), "new");
    struct stat st;
    ASSERT_EQ(stat(dir.file("cat.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_FALSE(FileExists(temp));

    // Without an old file the new one gets the usual mode, not the
    // temporary file's private one.
    mode_t mask = umask(022);
    FileHandle fresh = CreateTempBeside(P("new.csv"), temp);
    ASSERT_TRUE(fresh.IsOpen());
    EXPECT_TRUE(CopyPermissions(P("new.csv"), fresh));
    CloseFile(fresh);
    EXPECT_TRUE(ReplaceFile(temp, P("new.csv")));
    ASSERT_EQ(stat(dir.file("new.csv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    umask(mask);
}

TEST(CurrentFolder, GetAndSetUseSystemPaths) {
    TempFolder dir;
    auto here = GetCurrentFolder();
    ASSERT_TRUE(here);
    EXPECT_EQ(here->find('/'), std::string::npos);
    mkdir(dir.file("sub").c_str(), 0777);
    EXPECT_TRUE(SetCurrentFolder(P("sub")));
    auto inside = GetCurrentFolder();
    ASSERT_TRUE(inside);
    EXPECT_EQ(*inside, *here + "\\sub");
    EXPECT_FALSE(SetCurrentFolder(P("no-such-folder")));
    EXPECT_EQ(*GetCurrentFolder(), *inside);
    EXPECT_TRUE(SetCurrentFolder(P(*here)));
}

TEST(OsFile, ANamedPipeIsRefusedAtOnceNotWaitedOn) {
    TempFolder dir;
    ASSERT_EQ(mkfifo(dir.file("Tansu.CSV").c_str(), 0666), 0);
    ASSERT_EQ(mkfifo(dir.file("Tansu.ini").c_str(), 0666), 0);
    // In a child with an alarm: an open that waits for a writer would hang
    // the test run; here it ends the child by the signal instead.
    pid_t pid = fork();
    if (pid == 0) {
        alarm(5);
        bool refused = !OpenExistingForRead(P("Tansu.CSV")).IsOpen() && !CreateForWrite(P("Tansu.ini")).IsOpen();
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_FALSE(WIFSIGNALED(status)) << "an open waited on the pipe";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a pipe was opened as a file";

    // With someone at the other end of the pipe it is still no file.
    int reader = ::open(dir.file("Tansu.ini").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(CreateForWrite(P("Tansu.ini")).IsOpen());
    ::close(reader);
    struct stat st;
    ASSERT_EQ(stat(dir.file("Tansu.ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    // Devices are no files either; a regular file opens in the ordinary
    // blocking mode.
    EXPECT_FALSE(OpenExistingForRead(P("/dev/null")).IsOpen());
    testsupport::WriteBytes(dir.file("plain.txt"), "data");
    FileHandle f = OpenExistingForRead(P("plain.txt"));
    ASSERT_TRUE(f.IsOpen());
    EXPECT_EQ(fcntl(f.fd, F_GETFL) & O_NONBLOCK, 0);
    char buf[8];
    EXPECT_EQ(ReadBlock(f, buf, sizeof buf), 4);
    CloseFile(f);
}
