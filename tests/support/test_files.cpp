#include "support/test_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

TempFolder::TempFolder(bool enter) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tansu-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    if (enter) {
        previous_ = std::filesystem::current_path().string();
        std::filesystem::current_path(path_);
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::string& osPath) {
    std::ifstream in(osPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& osPath, const std::string& bytes) {
    std::ofstream out(osPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& osPath) { return std::filesystem::exists(osPath); }

std::string SourceDir() {
    const char* dir = std::getenv("TANSU_SOURCE_DIR");
    return dir ? dir : TANSU_SOURCE_TREE;
}

}  // namespace testsupport
