#include "platform/current_folder.h"

#include "platform/os_path.h"

#include <unistd.h>
#include <vector>

namespace platform {

std::optional<OsPath> GetCurrentOsFolder() {
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (buf.size() > (1u << 20)) return std::nullopt;
        buf.resize(buf.size() * 2);
    }
    return OsPath::FromOs(buf.data());
}

std::optional<std::string> GetCurrentFolder() {
    auto os = GetCurrentOsFolder();
    if (!os) return std::nullopt;
    return FromOsPath(os->Text());
}

bool SetCurrentFolder(const OsPath& path) {
    return !path.Empty() && ::chdir(path.CStr()) == 0;
}

}  // namespace platform
