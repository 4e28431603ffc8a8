#include "settings/path_setting.h"

#include "platform/cp932.h"
#include "platform/folders.h"
#include "platform/os_path.h"

namespace {

// Every single-byte "/" becomes "\" (no second byte of a double-byte
// character is a "/").
std::string Backslashed(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(out[i]);
        if (platform::IsCp932LeadByte(b)) ++i;
        else if (b == '/') out[i] = '\\';
    }
    return out;
}

}  // namespace

bool EndsWithSeparator(std::string_view path) {
    bool last = false;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(path[i]);
        if (platform::IsCp932LeadByte(b) && i + 1 < path.size()) {
            ++i;
            last = false;
            continue;
        }
        last = b == '\\' || b == ':';
    }
    return last;
}

std::string StoredPathForm(std::string_view typed, bool prefix) {
    std::string path = Backslashed(typed);
    // "~" alone or before a separator is the home folder.
    if (!path.empty() && path[0] == '~' && (path.size() == 1 || path[1] == '\\')) {
        if (auto home = platform::HomeFolder()) {
            std::string rest = path.substr(1);
            // The root's "Z:\" already ends in its separator.
            if (EndsWithSeparator(*home) && !rest.empty()) rest.erase(0, 1);
            path = *home + rest;
        }
    }
    // A path from the root of the drive (one "\", not a network name "\\").
    if (path.size() >= 1 && path[0] == '\\' && (path.size() == 1 || path[1] != '\\'))
        path = std::string{platform::kRootDrive, ':'} + path;
    if (prefix && !path.empty() && !EndsWithSeparator(path)) path += '\\';
    return path;
}
