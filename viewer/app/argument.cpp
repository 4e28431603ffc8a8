#include "app/argument.h"

#include "platform/cp932.h"

#include <sys/stat.h>

namespace kissviewer {
namespace {

bool Exists(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

bool ValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int follow = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (follow < 0 || i + follow >= s.size() + (follow == 0)) return false;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += static_cast<size_t>(follow) + 1;
    }
    return true;
}

}  // namespace

std::string ArgumentToOsPath(const std::string& argument) {
    if (argument.empty() || Exists(argument)) return argument;
    std::string p = argument;
    if (!ValidUtf8(p)) {
        if (auto utf8 = platform::Cp932ToUtf8(p)) p = *utf8;
    }
    for (char& c : p)
        if (c == '\\') c = '/';
    // The drive the launcher's paths use for the root folder.
    if (p.size() >= 2 && (p[0] == 'Z' || p[0] == 'z') && p[1] == ':') p = p.substr(2);
    return p;
}

}  // namespace kissviewer
