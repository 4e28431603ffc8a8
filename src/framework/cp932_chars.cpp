#include "framework/cp932_chars.h"

#include "platform/cp932.h"

namespace ui {

size_t Cp932CharLength(std::string_view text, size_t at) {
    if (at + 1 < text.size() && platform::IsCp932LeadByte(static_cast<unsigned char>(text[at])) &&
        IsCp932TrailByte(static_cast<unsigned char>(text[at + 1])))
        return 2;
    return 1;
}

std::vector<std::string> SplitCp932(std::string_view text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        size_t n = Cp932CharLength(text, i);
        chars.emplace_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

std::vector<std::string> SplitCp932At(std::string_view text, char separator) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size();) {
        size_t n = Cp932CharLength(text, i);
        if (n == 1 && text[i] == separator) {
            parts.emplace_back();
        } else {
            parts.back().append(text.substr(i, n));
        }
        i += n;
    }
    return parts;
}

std::string_view Cp932Prefix(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t n = Cp932CharLength(text, end);
        if (end + n > maxBytes) break;
        end += n;
    }
    return text.substr(0, end);
}

namespace {

// One character as a number (a double-byte one as lead * 256 + trail),
// with its upper-case letters taken to lower case.
unsigned FoldedChar(std::string_view text, size_t at, size_t n) {
    const unsigned lead = static_cast<unsigned char>(text[at]);
    if (n == 1) return lead >= 'A' && lead <= 'Z' ? lead + 0x20 : lead;
    const unsigned c = lead << 8 | static_cast<unsigned char>(text[at + 1]);
    if (c >= 0x8260 && c <= 0x8279) return c + 0x21;  // full-width A-Z
    if (c >= 0x839F && c <= 0x83B6) return c + 0x20;  // Greek capitals
    if (c >= 0x8440 && c <= 0x844E) return c + 0x30;  // Cyrillic capitals up to the 0x847F gap
    if (c >= 0x844F && c <= 0x8460) return c + 0x31;  // the rest, past the gap
    return c;
}

}  // namespace

int CompareTextCp932(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const size_t n = Cp932CharLength(a, i);
        const size_t m = Cp932CharLength(b, j);
        const unsigned ca = FoldedChar(a, i, n);
        const unsigned cb = FoldedChar(b, j, m);
        if (ca != cb) return ca < cb ? -1 : 1;
        i += n;
        j += m;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace ui
