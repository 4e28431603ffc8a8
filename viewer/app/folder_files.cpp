#include "app/folder_files.h"

#include "archive/extract.h"
#include "platform/os_file.h"
#include "set/archive_files.h"

#include <filesystem>

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
    // A configuration may name anything in its folder: the platform's open
    // takes only a regular file and never waits (a named pipe would keep the
    // window waiting for ever), and no more is read than an archive's entry
    // may hold.
    platform::FileHandle file = platform::OpenExistingForRead(platform::OsPath::FromOs(path));
    if (!file.IsOpen()) return std::nullopt;
    std::optional<std::string> all;
    if (platform::FileSize(file) <= kissarchive::kMaxEntryBytes) {
        all.emplace();
        char buffer[65536];
        for (long got; (got = platform::ReadBlock(file, buffer, sizeof buffer)) != 0;) {
            if (got < 0 || static_cast<long long>(all->size()) + got > kissarchive::kMaxEntryBytes) {
                all.reset();  // failed, or grew past the limit while read
                break;
            }
            all->append(buffer, static_cast<size_t>(got));
        }
    }
    platform::CloseFile(file);
    return all;
}

}  // namespace kissviewer
