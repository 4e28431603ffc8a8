#include "platform/current_folder.h"
#include "platform/process.h"
#include "support/test_files.h"

#include <cerrno>
#include <chrono>
#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace platform;
using testsupport::TempFolder;

namespace {

void WriteScript(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    chmod(path.c_str(), 0755);
}

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        if (testsupport::Exists(path) && !testsupport::ReadBytes(path).empty()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Children of this process that have ended but were not reaped.
int CountZombieChildren() {
    int zombies = 0;
    DIR* proc = opendir("/proc");
    while (dirent* e = readdir(proc)) {
        std::ifstream stat(std::string("/proc/") + e->d_name + "/stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        auto close = line.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        int ppid = 0;
        sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid);
        if (ppid == getpid() && state == 'Z') ++zombies;
    }
    closedir(proc);
    return zombies;
}

}  // namespace

TEST(Process, StartsTheProgramDetachedWithEachArgumentWhole) {
    TempFolder dir;
    mkdir(dir.file("my sets").c_str(), 0777);
    mkdir(dir.file("my bin").c_str(), 0777);
    WriteScript(dir.file("my bin/view er"), "pwd > \"$1.out\"; echo \"$#:$1\" >> \"$1.out\"");
    // A program and an argument with blanks: one word each, in OS form.
    StartResult r = StartProgram("my bin\\view er", {"my sets\\one  two"});
    ASSERT_TRUE(r.Started());
    EXPECT_EQ(r.osProgram, "my bin/view er");
    ASSERT_TRUE(WaitForFile(dir.file("my sets/one  two.out")));
    std::string out = testsupport::ReadBytes(dir.file("my sets/one  two.out"));
    EXPECT_NE(out.find("1:my sets/one  two"), std::string::npos) << out;
    EXPECT_EQ(CountZombieChildren(), 0);
}

TEST(Process, ProgramLookupAndWhyAProgramDidNotStart) {
    TempFolder dir;
    EXPECT_EQ(StartProgram("", {}).failure, StartFailure::NoProgram);
    EXPECT_EQ(StartProgram("no-such-viewer-here.exe", {"arg"}).failure, StartFailure::NotFound);
    EXPECT_EQ(StartProgram("sub\\missing", {}).failure, StartFailure::NotFound);
    EXPECT_TRUE(FindProgram("sh").Started());  // from PATH
    WriteScript(dir.file("sh"), "exit 0");
    EXPECT_EQ(FindProgram("sh").osProgram, "./sh");  // the current folder comes first
    testsupport::WriteBytes(dir.file("plain.txt"), "x");
    EXPECT_EQ(StartProgram("plain.txt", {}).failure, StartFailure::NotExecutable);
    EXPECT_EQ(StartProgram(".\\plain.txt", {}).failure, StartFailure::NotExecutable);
    mkdir(dir.file("folder").c_str(), 0777);
    EXPECT_EQ(StartProgram(".\\folder", {}).failure, StartFailure::NotExecutable);
    // Executable, but no program: the system refuses it.
    testsupport::WriteBytes(dir.file("junk"), "\x01\x02\x03\x04 not a program");
    chmod(dir.file("junk").c_str(), 0755);
    StartResult junk = StartProgram(".\\junk", {});
    EXPECT_EQ(junk.failure, StartFailure::ExecFailed);
    EXPECT_EQ(junk.errorNumber, ENOEXEC);
    EXPECT_EQ(CountZombieChildren(), 0);
}
