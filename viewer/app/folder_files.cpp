#include "app/folder_files.h"

#include "archive/extract.h"
#include "set/archive_files.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kissviewer {
FolderFiles::FolderFiles(const std::string& folder) : folder_(folder.empty() ? "." : folder) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder_, ec)) {
        if (!e.is_regular_file(ec)) continue;
        std::string name = e.path().filename().string();
        // An exact match wins over a case-folded one; otherwise the first.
        byLowerName_.emplace(LowerAscii(name), name);
    }
}

std::optional<std::string> FolderFiles::Read(const std::string& written) const {
    // A configuration written in Shift-JIS may name files so; the files
    // were unpacked under their UTF-8 names.
    const std::string name = StoredName(written);
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return std::nullopt;
    std::string onDisk = name;
    if (!std::filesystem::is_regular_file(folder_ + "/" + name)) {
        auto it = byLowerName_.find(LowerAscii(name));
        if (it == byLowerName_.end()) return std::nullopt;
        onDisk = it->second;
    }
    return ReadWholeFile(folder_ + "/" + onDisk);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    // A configuration may name anything in its folder: only a regular file
    // is read (a named pipe would keep the window waiting for ever), opened
    // without waiting, and no more of it than an archive's entry may hold.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat st;
    std::optional<std::string> all;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= kissarchive::kMaxEntryBytes) {
        all.emplace();
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 || static_cast<long long>(all->size()) + got > kissarchive::kMaxEntryBytes) {
                all.reset();  // failed, or grew past the limit while read
                break;
            }
            if (got == 0) break;
            all->append(buffer, static_cast<size_t>(got));
        }
    }
    ::close(fd);
    return all;
}

}  // namespace kissviewer
