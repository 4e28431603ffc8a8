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

// A double-byte character (lead * 256 + trail) with an upper-case letter
// taken to lower case; the result keeps the lead byte's range.
unsigned FoldDoubleByte(unsigned c) {
    if (c >= 0x8260 && c <= 0x8279) return c + 0x21;  // full-width A-Z
    if (c >= 0x839F && c <= 0x83B6) return c + 0x20;  // Greek capitals
    if (c >= 0x8440 && c <= 0x844E) return c + 0x30;  // Cyrillic capitals up to the 0x847F gap
    if (c >= 0x844F && c <= 0x8460) return c + 0x31;  // the rest, past the gap
    return c;
}

// One character as a number (a double-byte one as lead * 256 + trail),
// with its upper-case letters taken to lower case.
unsigned FoldedChar(std::string_view text, size_t at, size_t n) {
    const unsigned lead = static_cast<unsigned char>(text[at]);
    if (n == 1) return lead >= 'A' && lead <= 'Z' ? lead + 0x20 : lead;
    return FoldDoubleByte(lead << 8 | static_cast<unsigned char>(text[at + 1]));
}

// A folded character that an upper-case one folds to.
bool IsLowerCaseLetter(unsigned c) {
    return (c >= 'a' && c <= 'z') || (c >= 0x8281 && c <= 0x829A) || (c >= 0x83BF && c <= 0x83D6) ||
           (c >= 0x8470 && c <= 0x847E) || (c >= 0x8480 && c <= 0x8491);
}

// The upper-case letter that folds to `c`, or `c` itself.
unsigned UpperCaseOf(unsigned c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0x8281 && c <= 0x829A) return c - 0x21;
    if (c >= 0x83BF && c <= 0x83D6) return c - 0x20;
    if (c >= 0x8470 && c <= 0x847E) return c - 0x30;
    if (c >= 0x8480 && c <= 0x8491) return c - 0x31;
    return c;
}

std::string CharText(unsigned c, size_t n) {
    if (n == 1) return std::string(1, static_cast<char>(c));
    return std::string{static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
}

// Folds `text` into `out` (resized to the same length).
void FoldInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out[i++] = static_cast<char>(b >= 'A' && b <= 'Z' ? b + 0x20 : b);
            continue;
        }
        if (i + 1 < n && platform::IsCp932LeadByte(b) && IsCp932TrailByte(static_cast<unsigned char>(text[i + 1]))) {
            const unsigned c = FoldDoubleByte(unsigned{b} << 8 | static_cast<unsigned char>(text[i + 1]));
            out[i] = static_cast<char>(c >> 8);
            out[i + 1] = static_cast<char>(c & 0xFF);
            i += 2;
            continue;
        }
        out[i++] = static_cast<char>(b);
    }
}

}  // namespace

std::string FoldCaseCp932(std::string_view text) {
    std::string out;
    FoldInto(text, out);
    return out;
}

Cp932Finder::Cp932Finder(std::string_view text) : folded_(FoldCaseCp932(text)) {
    if (!folded_.empty()) {
        const size_t n = Cp932CharLength(folded_, 0);
        first_ = folded_.substr(0, n);
        firstOtherCase_ = CharText(UpperCaseOf(FoldedChar(folded_, 0, n)), n);
    }
    for (size_t i = 0; i < folded_.size();) {
        const size_t n = Cp932CharLength(folded_, i);
        if (IsLowerCaseLetter(FoldedChar(folded_, i, n))) needsFolding_ = true;
        i += n;
    }
}

bool Cp932Finder::FoundIn(std::string_view text) const {
    if (folded_.empty() || text.size() < folded_.size()) return false;
    std::string_view searched = text;
    if (needsFolding_) {
        if (text.find(first_) == std::string_view::npos && text.find(firstOtherCase_) == std::string_view::npos) return false;
        FoldInto(text, scratch_);
        searched = scratch_;
    }
    // Character starts are those of `text`; folding keeps them.
    size_t boundary = 0;
    for (size_t at = searched.find(folded_); at != std::string_view::npos; at = searched.find(folded_, at + 1)) {
        while (boundary < at) boundary += Cp932CharLength(text, boundary);
        if (boundary != at) continue;
        size_t end = boundary;
        while (end < at + folded_.size()) end += Cp932CharLength(text, end);
        if (end == at + folded_.size()) return true;
    }
    return false;
}

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
