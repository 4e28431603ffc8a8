// The files of one folder, found by name without regard to case: a set's
// configuration names its files as its maker wrote them, on a system where
// "BODY.CEL" and "body.cel" are the same file.
#pragma once

#include "kiss/doll.h"

#include <map>
#include <string>

namespace kissviewer {

class FolderFiles {
public:
    explicit FolderFiles(const std::string& folder);

    // The bytes of the file `name` (ASCII, UTF-8 or Shift-JIS); nullopt when
    // there is none or the name holds a folder.
    std::optional<std::string> Read(const std::string& name) const;
    kiss::FileReader Reader() const {
        return [this](const std::string& name) { return Read(name); };
    }

private:
    std::string folder_;
    std::map<std::string, std::string> byLowerName_;  // lower-case name -> name on disk
};

// The bytes of a regular file of at most kissarchive::kMaxEntryBytes;
// nullopt for anything else (missing, a pipe, a device, too large).
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace kissviewer
