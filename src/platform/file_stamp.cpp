#include "platform/file_stamp.h"

#include "platform/os_path.h"

#include <sys/stat.h>

namespace platform {

std::optional<FileStamp> StampOf(std::string_view systemPath) {
    auto os = ToOsPath(systemPath);
    struct stat st;
    if (!os || ::stat(os->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return FileStamp{static_cast<int64_t>(st.st_size),
                     static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

}  // namespace platform
