// The files of an archive held in memory, found the way a configuration
// names them: beside the configuration, without regard to case, Shift-JIS
// names matching their UTF-8 form.
#pragma once

#include "archive/extract.h"
#include "kiss/doll.h"

#include <map>
#include <memory>
#include <string>

namespace kissviewer {

class ArchiveFiles {
public:
    explicit ArchiveFiles(std::shared_ptr<const std::vector<kissarchive::Entry>> entries);

    // The bytes of `name` in the folder `folder` ("" for the top).
    std::optional<std::string> Read(const std::string& folder, const std::string& name) const;
    kiss::FileReader ReaderFor(const std::string& configPath) const;

private:
    std::shared_ptr<const std::vector<kissarchive::Entry>> entries_;
    std::map<std::string, size_t> byPath_;       // exact path -> entry
    std::map<std::string, size_t> byLowerPath_;  // lower-case path -> first such entry
};

// A name as written in a configuration, in the form files are stored
// under: Shift-JIS becomes UTF-8; ASCII stays.
std::string StoredName(const std::string& written);
std::string LowerAscii(std::string s);

}  // namespace kissviewer
