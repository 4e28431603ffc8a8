#include "settings/path_text.h"

#include "platform/cp932.h"

namespace {

struct Separator {
    size_t at = std::string_view::npos;  // the last "\" or ":"; npos for none
    bool afterSeparator = false;         // a single-byte "\" or ":" stands right before it
};

Separator LastSeparator(std::string_view path) {
    Separator last;
    bool previousWasSeparator = false;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (platform::IsCp932LeadByte(b) && i + 1 < path.size()) {
            ++i;  // the trail byte belongs to the character
            previousWasSeparator = false;
            continue;
        }
        bool separator = b == '\\' || b == ':';
        if (separator) last = {i, previousWasSeparator};
        previousWasSeparator = separator;
    }
    return last;
}

}  // namespace

std::string FolderOfPath(std::string_view path) {
    Separator cut = LastSeparator(path);
    if (cut.at == std::string_view::npos) return {};
    if (path[cut.at] == ':') return std::string(path.substr(0, cut.at + 1));  // "Z:A.LZH": the drive "Z:"
    // A root keeps its "\": the path's first byte, or after a drive or another "\".
    bool keepSeparator = cut.at == 0 || cut.afterSeparator;
    return std::string(path.substr(0, keepSeparator ? cut.at + 1 : cut.at));
}

std::string NameOfPath(std::string_view path) {
    size_t cut = LastSeparator(path).at;
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}
