// The entries of a folder, for finding files the system did not name.
#pragma once

#include "platform/os_path.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FolderEntry {
    // The name in cp932.  When the OS name has no faithful cp932 form
    // (`faithful` false) this is only a picture of it for the user, with
    // "?" for what cp932 lacks: no file can be reached by it.
    std::string name;
    bool faithful = true;
    bool isFolder = false;
    bool isFile = false;     // a regular file (after following a link)
    int64_t size = 0;        // bytes, for a file
    int64_t modified = 0;    // seconds since 1970, for a file
};

// The entries of the folder `path` (an empty path: the current folder),
// without "." and ".."; nullopt when the folder cannot be read.  The order
// is the OS's.
std::optional<std::vector<FolderEntry>> ListFolder(const OsPath& path);

// A time as the local date "YYYY/MM/DD".
std::string LocalDateText(int64_t secondsSince1970);

}  // namespace platform
