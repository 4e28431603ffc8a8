// Helpers for tests that touch files: a private temporary folder that is
// made current for the test's lifetime, and whole-file read and write.
#pragma once

#include <string>

namespace testsupport {

class TempFolder {
public:
    // Creates an empty folder under the system's temporary folder and, when
    // `enter` is set, makes it the current folder until destruction.
    explicit TempFolder(bool enter = true);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }  // OS path, no "/" at the end
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::string previous_;
};

std::string ReadBytes(const std::string& osPath);
void WriteBytes(const std::string& osPath, const std::string& bytes);
bool Exists(const std::string& osPath);

// The source tree (TANSU_SOURCE_DIR when set, else the tree the tests were
// built from), for committed test data.
std::string SourceDir();

}  // namespace testsupport
