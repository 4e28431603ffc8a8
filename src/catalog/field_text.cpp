#include "catalog/field_text.h"

namespace {

// The full-width comma in cp932.
constexpr std::string_view kFullWidthComma = "\x81\x43";

bool Unstorable(char c) {
    return c == ',' || c == '\r' || c == '\n' || c == '\x1a';
}

}  // namespace

size_t FirstUnstorableFieldByte(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (Unstorable(text[i])) return i;
    }
    return std::string_view::npos;
}

std::string StorableField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ',') {
            out += kFullWidthComma;
        } else if (Unstorable(c)) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}
