#include "platform/file_stamp.h"

#include "platform/os_path.h"

#include <sys/stat.h>

namespace platform {

std::optional<FileStamp> StampOf(const OsPath& path) {
    struct stat st;
    if (::stat(path.CStr(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return FileStamp{static_cast<int64_t>(st.st_size),
                     static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace platform
