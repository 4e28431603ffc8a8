#include "settings/path_text.h"

#include "platform/cp932.h"

namespace {

// Where the last separator ("\" or ":") of the path stands; npos for none.
size_t LastSeparator(std::string_view path) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (platform::IsCp932LeadByte(b) && i + 1 < path.size()) {
            ++i;  // the trail byte belongs to the character
            continue;
        }
        if (b == '\\' || b == ':') last = i;
    }
    return last;
}

}  // namespace

std::string FolderOfPath(std::string_view path) {
    size_t cut = LastSeparator(path);
    if (cut == std::string_view::npos) return {};
    if (path[cut] == ':') return std::string(path.substr(0, cut + 1));  // "Z:A.LZH": the drive "Z:"
    bool keepSeparator = cut > 0 && (path[cut - 1] == ':' || path[cut - 1] == '\\');
    return std::string(path.substr(0, keepSeparator ? cut + 1 : cut));
}

std::string NameOfPath(std::string_view path) {
    size_t cut = LastSeparator(path);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}
