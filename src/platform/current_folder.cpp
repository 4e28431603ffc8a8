#include "platform/current_folder.h"

#include "platform/os_path.h"

#include <unistd.h>
#include <vector>

namespace platform {

std::optional<std::string> GetCurrentFolder() {
    std::vector<char> buf(4096);
    while (::getcwd(buf.data(), buf.size()) == nullptr) {
        if (buf.size() > (1u << 20)) return std::nullopt;
        buf.resize(buf.size() * 2);
    }
    return FromOsPath(buf.data());
}

bool SetCurrentFolder(std::string_view systemPath) {
    auto os = ToOsPath(systemPath);
    if (!os || os->empty()) return false;
    return ::chdir(os->c_str()) == 0;
}

}  // namespace platform
