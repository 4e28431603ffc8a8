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

enum class FileKind { Missing, Executable, Other };

FileKind KindOf(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return FileKind::Missing;
    if (S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0) return FileKind::Executable;
    return FileKind::Other;
}

StartResult Failed(StartFailure failure, int errorNumber = 0) {
    StartResult r;
    r.failure = failure;
    r.errorNumber = errorNumber;
    return r;
}

StartResult Found(std::string path) {
    StartResult r;
    r.osProgram = std::move(path);
    return r;
}

// Forks twice so that the program is nobody's child here; true once the
// program runs, else `err` holds why exec failed.
bool RunDetached(const std::string& file, std::vector<std::string>& words, int& err) {
    // Everything the children need is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    // The grandchild reports a failed exec through this pipe; a successful
    // exec closes it (close-on-exec) with nothing written.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        err = errno;
        return false;
    }
    pid_t child = ::fork();
    if (child < 0) {
        err = errno;
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::execv(file.c_str(), argv.data());
            int e = errno;
            (void)!::write(report[1], &e, sizeof e);
            ::_exit(127);
        }
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    err = 0;
    long n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (!forked) {
        err = EAGAIN;
        return false;
    }
    return n == 0;
}

}  // namespace

StartResult FindProgram(std::string_view osName) {
    std::string name(osName);
    if (name.empty()) return Failed(StartFailure::NoProgram);
    if (name.find('/') != std::string::npos) {
        switch (KindOf(name)) {
        case FileKind::Executable: return Found(name);
        case FileKind::Other: return Failed(StartFailure::NotExecutable);
        case FileKind::Missing: return Failed(StartFailure::NotFound);
        }
    }
    bool seen = false;  // a file of that name that may not be run
    auto tryPath = [&](const std::string& candidate) {
        FileKind kind = KindOf(candidate);
        if (kind == FileKind::Other) seen = true;
        return kind == FileKind::Executable;
    };
    if (tryPath("./" + name)) return Found("./" + name);
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string folder = folders.substr(start, end - start);
        if (!folder.empty()) {
            std::string candidate = folder + "/" + name;
            if (tryPath(candidate)) return Found(candidate);
        }
        start = end + 1;
    }
    return Failed(seen ? StartFailure::NotExecutable : StartFailure::NotFound);
}

namespace {

// The program's OS name (in osProgram), or why it has none.
StartResult ProgramOsName(std::string_view program) {
    if (program.empty()) return Failed(StartFailure::NoProgram);
    auto os = ToOsPath(program);
    if (!os || os->empty()) return Failed(StartFailure::ProgramNoOsForm);
    return Found(std::move(*os));
}

// words[0] is the program's OS name as given, the rest its arguments.
StartResult FindAndRun(std::vector<std::string>& words) {
    StartResult found = FindProgram(words[0]);
    if (!found.Started()) return found;
    int err = 0;
    if (!RunDetached(found.osProgram, words, err)) {
        found.failure = StartFailure::ExecFailed;
        found.errorNumber = err;
    }
    return found;
}

}  // namespace

StartResult StartProgram(std::string_view program, const std::vector<std::string>& arguments) {
    StartResult name = ProgramOsName(program);
    if (!name.Started()) return name;
    std::vector<std::string> words{name.osProgram};
    for (const std::string& a : arguments) {
        auto os = ToOsPath(a);
        if (!os) return Failed(StartFailure::ArgumentNoOsForm);
        words.push_back(std::move(*os));
    }
    return FindAndRun(words);
}

StartResult StartProgramWithPaths(std::string_view program, const std::vector<OsPath>& arguments) {
    StartResult name = ProgramOsName(program);
    if (!name.Started()) return name;
    std::vector<std::string> words{name.osProgram};
    for (const OsPath& a : arguments) words.push_back(a.Text());
    return FindAndRun(words);
}

}  // namespace platform
