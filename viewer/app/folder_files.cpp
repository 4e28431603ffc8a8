#include "app/folder_files.h"

#include "set/archive_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

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
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream all;
    all << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return all.str();
}

}  // namespace kissviewer
