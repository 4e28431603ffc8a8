// The folder a set is unpacked into: made fresh inside the current folder
// under a name no file had, so that unpacking never replaces a file that
// was there before; removed with everything in it when the viewer is done
// with it, unless the user keeps it.
#pragma once

#include <memory>
#include <string>

namespace kissviewer {

class UnpackFolder {
public:
    // Makes "<stem>-XXXXXX" (six random letters) in the current folder;
    // nullptr with `error` set when it cannot.
    static std::unique_ptr<UnpackFolder> Create(const std::string& stem, std::string& error);
    ~UnpackFolder();
    UnpackFolder(const UnpackFolder&) = delete;
    UnpackFolder& operator=(const UnpackFolder&) = delete;

    const std::string& path() const { return path_; }  // absolute
    const std::string& name() const { return name_; }  // within its parent
    bool kept() const { return kept_; }
    void SetKept(bool kept) { kept_ = kept; }

    // The stem for an archive: its file name without the extension.
    static std::string StemOf(const std::string& archivePath);

private:
    UnpackFolder(std::string path, std::string name) : path_(std::move(path)), name_(std::move(name)) {}
    std::string path_;
    std::string name_;
    bool kept_ = false;
};

}  // namespace kissviewer
