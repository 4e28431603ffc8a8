#include "platform/folder_list.h"

#include "platform/cp932.h"
#include "platform/os_path.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {
namespace {

// The byte length of the UTF-8 character that starts with `b` (1 for a
// byte that starts none).
size_t Utf8Length(unsigned char b) {
    if (b >= 0xF0 && b <= 0xF7) return 4;
    if (b >= 0xE0) return 3;
    if (b >= 0xC0) return 2;
    return 1;
}

// The cp932 picture of a name: each character without a form is a "?".
std::string NamePicture(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const size_t n = std::min(Utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        const std::string_view one = utf8.substr(i, n);
        auto converted = one == "\\" ? std::nullopt : Utf8ToCp932(one);
        out += converted ? *converted : std::string("?");
        i += n;
    }
    return out;
}

}  // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const OsPath& path) {
    DIR* dir = opendir(path.Empty() ? "." : path.CStr());
    if (!dir) return std::nullopt;
    std::vector<FolderEntry> entries;
    const int fd = dirfd(dir);
    while (const dirent* d = readdir(dir)) {
        const std::string_view osName = d->d_name;
        if (osName == "." || osName == "..") continue;
        FolderEntry e;
        if (std::optional<std::string> name = FromOsPath(osName)) {
            e.name = std::move(*name);
        } else {
            e.name = NamePicture(osName);
            e.faithful = false;
        }
        struct stat st;
        if (fstatat(fd, d->d_name, &st, 0) == 0) {
            e.isFolder = S_ISDIR(st.st_mode);
            e.isFile = S_ISREG(st.st_mode);
            e.size = static_cast<int64_t>(st.st_size);
            e.modified = static_cast<int64_t>(st.st_mtim.tv_sec);
        }
        entries.push_back(std::move(e));
    }
    closedir(dir);
    return entries;
}

std::string LocalDateText(int64_t secondsSince1970) {
    const time_t t = static_cast<time_t>(secondsSince1970);
    struct tm local {};
    if (!localtime_r(&t, &local)) return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return text;
}

}  // namespace platform
