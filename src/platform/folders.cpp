#include "platform/folders.h"

#include "platform/os_path.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

std::optional<std::string> AbsoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return std::nullopt;
    std::string os(value);
    while (os.size() > 1 && os.back() == '/') os.pop_back();
    return os;
}

bool StatFolder(const OsPath& path, struct stat& st) {
    return !path.Empty() && ::stat(path.CStr(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::optional<std::string> HomeFolder() {
    auto home = AbsoluteFromEnvironment("HOME");
    if (!home) return std::nullopt;
    return FromOsPath(*home);
}

std::optional<std::string> CacheFolder() {
    if (auto cache = AbsoluteFromEnvironment("XDG_CACHE_HOME")) return FromOsPath(*cache);
    auto home = AbsoluteFromEnvironment("HOME");
    if (!home) return std::nullopt;
    return FromOsPath(*home == "/" ? std::string("/.cache") : *home + "/.cache");
}

std::optional<std::string> ProgramFolder() {
    std::vector<char> buf(4096);
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || static_cast<size_t>(n) >= buf.size()) return std::nullopt;
    std::string path(buf.data(), static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::nullopt;
    return FromOsPath(slash == 0 ? std::string("/") : path.substr(0, slash));
}

bool FolderExists(const OsPath& path) {
    struct stat st;
    return StatFolder(path, st);
}

bool RegularFileExists(const OsPath& path) {
    struct stat st;
    return !path.Empty() && ::stat(path.CStr(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SameFolder(const OsPath& a, const OsPath& b) {
    struct stat sa, sb;
    return StatFolder(a, sa) && StatFolder(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool SameFile(const OsPath& a, const OsPath& b) {
    struct stat sa, sb;
    return !a.Empty() && !b.Empty() && ::stat(a.CStr(), &sa) == 0 && S_ISREG(sa.st_mode) && ::stat(b.CStr(), &sb) == 0 &&
           S_ISREG(sb.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool MakeFolders(const OsPath& path) {
    if (path.Empty()) return false;
    const std::string& os = path.Text();
    for (size_t i = 1; i <= os.size(); ++i) {
        if (i < os.size() && os[i] != '/') continue;
        std::string upTo = os.substr(0, i);
        if (::mkdir(upTo.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return FolderExists(path);
}

}  // namespace platform
