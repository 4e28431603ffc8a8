#include "platform/os_path.h"

#include "platform/cp932.h"

namespace platform {

std::optional<std::string> ToOsPath(std::string_view systemPath) {
    std::string slashed(systemPath);
    for (size_t i = 0; i < slashed.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(slashed[i]);
        if (IsCp932LeadByte(b)) {
            ++i;  // keep the trail byte whatever it is
        } else if (b == '\\') {
            slashed[i] = '/';
        }
    }
    return Cp932ToUtf8(slashed);
}

std::optional<std::string> FromOsPath(std::string_view osPath) {
    auto cp932 = Utf8ToCp932(osPath);
    if (!cp932) return std::nullopt;
    std::string& s = *cp932;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsCp932LeadByte(b)) {
            ++i;
        } else if (b == '/') {
            s[i] = '\\';
        }
    }
    return cp932;
}

}  // namespace platform
