#include "app/unpack_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kissviewer {

std::string UnpackFolder::StemOf(const std::string& archivePath) {
    std::string stem = std::filesystem::path(archivePath).stem().string();
    // Short enough for any file system, cut between UTF-8 characters.
    constexpr size_t kMaxStem = 100;
    if (stem.size() > kMaxStem) {
        size_t cut = kMaxStem;
        while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
        stem.resize(cut);
    }
    return stem.empty() || stem[0] == '.' ? "kiss" + stem : stem;
}

std::unique_ptr<UnpackFolder> UnpackFolder::Create(const std::string& stem, std::string& error) {
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (ec) {
        error = ec.message();
        return nullptr;
    }
    const std::string pattern = stem + "-XXXXXX";
    std::string name = pattern;
    // mkdtemp makes a folder of a name that did not exist, or fails.
    if (!::mkdtemp(name.data())) {
        error = (here / pattern).string() + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<UnpackFolder>(new UnpackFolder((here / name).string(), name));
}

UnpackFolder::~UnpackFolder() {
    if (kept_) return;
    // Links inside are removed, never followed.
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

}  // namespace kissviewer
