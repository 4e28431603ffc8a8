#include "platform/process.h"

#include "platform/os_path.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> FindProgram(std::string_view osName) {
    std::string name(osName);
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string::npos) {
        if (IsExecutableFile(name)) return name;
        return std::nullopt;
    }
    if (IsExecutableFile("./" + name)) return "./" + name;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            std::string candidate = folder + "/" + name;
            if (IsExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < commandLine.size()) {
        while (i < commandLine.size() && commandLine[i] == ' ') ++i;
        size_t start = i;
        while (i < commandLine.size() && commandLine[i] != ' ') ++i;
        if (i > start) {
            auto os = ToOsPath(commandLine.substr(start, i - start));
            if (!os) return std::nullopt;
            words.push_back(*os);
        }
    }
    return words;
}

bool StartProcess(std::string_view commandLine) {
    auto words = SplitCommandLine(commandLine);
    if (!words || words->empty()) return false;
    auto program = FindProgram(words->front());
    if (!program) return false;

    // Everything the children need is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<char*> argv;
    for (auto& w : *words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const char* file = program->c_str();

    // The grandchild reports a failed exec through this pipe; a successful
    // exec closes it (close-on-exec) with nothing written.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return false;

    pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(file, argv.data());
            int err = errno;
            (void)!::write(report[1], &err, sizeof err);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    int err = 0;
    long n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    return forked && n == 0;
}

}  // namespace platform
