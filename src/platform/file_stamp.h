// What tells one state of a file from another without reading it: its size
// and the time of its last change.  A file that was replaced or written to
// gets another stamp.
#pragma once

#include "platform/os_path.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

struct FileStamp {
    int64_t size = 0;
    int64_t changedNanoseconds = 0;  // since the epoch
    bool operator==(const FileStamp&) const = default;
};

// nullopt when the path names no regular file.
std::optional<FileStamp> StampOf(const OsPath& path);

}  // namespace platform
