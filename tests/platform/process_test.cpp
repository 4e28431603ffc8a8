#include "platform/current_folder.h"
#include "platform/process.h"
#include "support/test_files.h"

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

TEST(Process, StartsTheProgramDetachedWithItsArguments) {
    TempFolder dir;
    WriteScript(dir.file("viewer.sh"), "pwd > \"$1.out\"; echo \"$#:$1\" >> \"$1.out\"");
    mkdir(dir.file("sets").c_str(), 0777);
    // The archive path reaches the program in OS form, and the bare name is
    // found in the current folder before PATH.
    ASSERT_TRUE(StartProcess("viewer.sh sets\\one"));
    ASSERT_TRUE(WaitForFile(dir.file("sets/one.out")));
    std::string out = testsupport::ReadBytes(dir.file("sets/one.out"));
    EXPECT_NE(out.find("1:sets/one"), std::string::npos) << out;
    EXPECT_EQ(CountZombieChildren(), 0);
}

TEST(Process, ProgramLookupAndFailures) {
    TempFolder dir;
    EXPECT_FALSE(StartProcess(""));
    EXPECT_FALSE(StartProcess("   "));
    EXPECT_FALSE(StartProcess("no-such-viewer-here.exe arg"));
    EXPECT_TRUE(FindProgram("sh"));  // from PATH
    EXPECT_FALSE(FindProgram("./missing"));
    WriteScript(dir.file("sh"), "exit 0");
    EXPECT_EQ(*FindProgram("sh"), "./sh");  // the current folder comes first
    testsupport::WriteBytes(dir.file("plain.txt"), "x");
    EXPECT_FALSE(StartProcess("plain.txt"));  // not executable
    auto words = SplitCommandLine("  a  b\\c ");
    ASSERT_TRUE(words);
    EXPECT_EQ(*words, (std::vector<std::string>{"a", "b/c"}));
    EXPECT_EQ(CountZombieChildren(), 0);
}
