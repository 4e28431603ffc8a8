#include "settings/ini_value.h"

#include "platform/cp932.h"
#include "settings/ini_lex.h"

namespace {

bool IsControl(unsigned char b) { return b < 0x20 || b == 0x7F; }

// The bytes the reader keeps inside a word (the word's first byte aside).
bool StartsWord(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b >= 0x80;
}

}  // namespace

bool ReadsBackBare(std::string_view text) {
    if (text.empty()) return true;
    if (!StartsWord(static_cast<unsigned char>(text[0]))) return false;
    // As the reader walks a word: the byte after a lead byte belongs to its
    // character whatever it is, so a lead byte at the end would take the
    // line end with it.
    bool secondByteNext = false;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsControl(b)) return false;  // also as a second byte: the reader stops at some
        if (secondByteNext) {
            secondByteNext = false;
            continue;
        }
        if (i > 0 && !IsIniWordByte(b)) return false;
        secondByteNext = platform::IsCp932LeadByte(b);
    }
    return !secondByteNext;
}

bool CanStoreValue(std::string_view text) {
    for (char c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        if (IsControl(b) && b != '\t') return false;
    }
    return true;
}

void AppendValue(std::string& out, std::string_view text) {
    if (ReadsBackBare(text)) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        if (IsControl(b) && b != '\t') continue;
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}
