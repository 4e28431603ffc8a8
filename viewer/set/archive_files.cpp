#include "set/archive_files.h"

#include "platform/cp932.h"

namespace kissviewer {

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string StoredName(const std::string& written) {
    for (unsigned char c : written) {
        if (c >= 0x80) {
            if (auto utf8 = platform::Cp932ToUtf8(written)) return *utf8;
            break;
        }
    }
    return written;
}

ArchiveFiles::ArchiveFiles(std::shared_ptr<const std::vector<kissarchive::Entry>> entries)
    : entries_(std::move(entries)) {
    for (size_t i = 0; i < entries_->size(); ++i) {
        const auto& e = (*entries_)[i];
        if (e.directory) continue;
        byPath_[e.path] = i;  // a later entry of the same name replaces an earlier one, as on disk
        byLowerPath_.emplace(LowerAscii(e.path), i);
    }
}

std::optional<std::string> ArchiveFiles::Read(const std::string& folder, const std::string& written) const {
    const std::string name = StoredName(written);
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return std::nullopt;
    const std::string path = folder.empty() ? name : folder + "/" + name;
    auto exact = byPath_.find(path);
    if (exact != byPath_.end()) return (*entries_)[exact->second].data;
    auto folded = byLowerPath_.find(LowerAscii(path));
    if (folded == byLowerPath_.end()) return std::nullopt;
    return (*entries_)[byPath_.at((*entries_)[folded->second].path)].data;
}

kiss::FileReader ArchiveFiles::ReaderFor(const std::string& configPath) const {
    const size_t slash = configPath.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : configPath.substr(0, slash);
    return [this, folder](const std::string& name) { return Read(folder, name); };
}

}  // namespace kissviewer
