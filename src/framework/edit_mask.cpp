#include "framework/edit_mask.h"

#include <algorithm>

#include "platform/cp932.h"

namespace ui {
namespace {

unsigned char Byte(std::string_view ch, size_t i) { return static_cast<unsigned char>(ch[i]); }

// A well-formed, printable cp932 character (no control characters, no bytes
// that stand for nothing).
bool IsPrintable(std::string_view ch) {
    if (ch.size() == 2) return platform::IsCp932LeadByte(Byte(ch, 0)) && IsCp932TrailByte(Byte(ch, 1));
    if (ch.size() != 1) return false;
    unsigned char b = Byte(ch, 0);
    return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
}

bool IsSpace(std::string_view ch) { return ch == " "; }

bool IsDigit(std::string_view ch) { return ch.size() == 1 && Byte(ch, 0) >= '0' && Byte(ch, 0) <= '9'; }

// Full-width digits 0x824F..0x8258.
bool IsWideDigit(std::string_view ch) {
    return ch.size() == 2 && Byte(ch, 0) == 0x82 && Byte(ch, 1) >= 0x4F && Byte(ch, 1) <= 0x58;
}

bool InRange(unsigned char b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }

// Letters: ASCII letters, half-width katakana, and the double-byte letters
// (full-width Latin, kana with their marks, Greek, Cyrillic, kanji).
bool IsLetter(std::string_view ch) {
    if (ch.size() == 1) {
        unsigned char b = Byte(ch, 0);
        return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || InRange(b, 0xA6, 0xDF);
    }
    if (!IsPrintable(ch)) return false;
    unsigned char lead = Byte(ch, 0), trail = Byte(ch, 1);
    switch (lead) {
    case 0x81:  // kana iteration marks, the kanji repeat mark, the long-vowel mark
        return InRange(trail, 0x52, 0x55) || trail == 0x58 || trail == 0x5B;
    case 0x82:  // full-width Latin letters, hiragana
        return InRange(trail, 0x60, 0x79) || InRange(trail, 0x81, 0x9A) || InRange(trail, 0x9F, 0xF1);
    case 0x83:  // katakana, Greek
        return InRange(trail, 0x40, 0x96) || InRange(trail, 0x9F, 0xB6) || InRange(trail, 0xBF, 0xD6);
    case 0x84:  // Cyrillic
        return InRange(trail, 0x40, 0x60) || InRange(trail, 0x70, 0x91);
    case 0x88:
        return trail >= 0x9F;
    case 0xFA:  // IBM extension: kanji after the numerals and symbols
        return trail >= 0x5C;
    default:
        return InRange(lead, 0x89, 0x9F) || InRange(lead, 0xE0, 0xEA) || InRange(lead, 0xED, 0xEE) ||
               InRange(lead, 0xFB, 0xFC);
    }
}

std::string ToCase(std::string_view ch, EditMask::Case c) {
    std::string out(ch);
    if (c == EditMask::Case::Keep) return out;
    bool upper = c == EditMask::Case::Upper;
    if (out.size() == 1) {
        unsigned char b = Byte(out, 0);
        if (upper && b >= 'a' && b <= 'z') out[0] = static_cast<char>(b - 'a' + 'A');
        if (!upper && b >= 'A' && b <= 'Z') out[0] = static_cast<char>(b - 'A' + 'a');
    } else if (out.size() == 2 && Byte(out, 0) == 0x82) {
        unsigned char t = Byte(out, 1);
        // Full-width A-Z are 0x8260..0x8279, a-z 0x8281..0x829A.
        if (upper && InRange(t, 0x81, 0x9A)) out[1] = static_cast<char>(t - 0x21);
        if (!upper && InRange(t, 0x60, 0x79)) out[1] = static_cast<char>(t + 0x21);
    }
    return out;
}

// Splits the mask text at ";" that are not escaped by "\".
std::vector<std::string> SplitFields(std::string_view text) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < text.size();) {
        size_t n = Cp932CharLength(text, i);
        if (n == 1 && text[i] == '\\' && i + 1 < text.size()) {
            size_t m = Cp932CharLength(text, i + 1);
            fields.back().append(text.substr(i, 1 + m));
            i += 1 + m;
            continue;
        }
        if (n == 1 && text[i] == ';') {
            fields.emplace_back();
        } else {
            fields.back().append(text.substr(i, n));
        }
        i += n;
    }
    return fields;
}

}  // namespace

// ---------------------------------------------------------------- EditMask

EditMask::EditMask(std::string_view maskText) : maskText_(maskText) {
    std::vector<std::string> fields = SplitFields(maskText);
    std::string mask = fields[0];
    if (fields.size() >= 3) {
        // Extra ";" belong to the mask; the last two fields are the options.
        for (size_t i = 1; i + 2 < fields.size(); ++i) {
            mask.push_back(';');
            mask += fields[i];
        }
        std::string blank = fields.back();
        if (!blank.empty()) blank_ = blank.substr(0, Cp932CharLength(blank, 0));
        if (!IsPrintable(blank_)) blank_.assign(1, '_');
        saveLiterals_ = fields[fields.size() - 2] != "0";
    } else if (fields.size() == 2) {
        saveLiterals_ = fields[1] != "0";
    }

    Case letterCase = Case::Keep;
    for (size_t i = 0; i < mask.size();) {
        size_t n = Cp932CharLength(mask, i);
        std::string ch = mask.substr(i, n);
        i += n;
        Position p;
        p.letterCase = letterCase;
        if (n == 1) {
            switch (ch[0]) {
            case '!': leadingBlanks_ = true; continue;
            case '>': letterCase = Case::Upper; continue;
            case '<':
                if (i < mask.size() && mask[i] == '>') {
                    ++i;
                    letterCase = Case::Keep;
                } else {
                    letterCase = Case::Lower;
                }
                continue;
            case '\\':
                if (i < mask.size()) {
                    size_t m = Cp932CharLength(mask, i);
                    ch = mask.substr(i, m);
                    i += m;
                }
                p.literal = ch;
                break;
            case '_': p.literal.assign(1, ' '); positions_.push_back(p); continue;
            case '0': p.kind = Kind::Digit; p.required = true; break;
            case '9': p.kind = Kind::Digit; break;
            case '#': p.kind = Kind::DigitOrSign; break;
            case 'L': p.kind = Kind::Letter; p.required = true; break;
            case 'l': p.kind = Kind::Letter; break;
            case 'A': p.kind = Kind::AlphaNum; p.required = true; break;
            case 'a': p.kind = Kind::AlphaNum; break;
            case 'C': p.kind = Kind::AnyChar; p.required = true; break;
            case 'c': p.kind = Kind::AnyChar; break;
            default: p.literal = ch; break;
            }
        } else {
            p.literal = ch;
        }
        // A lead byte without its second byte would join whatever follows
        // it in the field's text; it stands for nothing, so it shows as "?".
        if (p.kind == Kind::Literal && p.literal.size() == 1 && platform::IsCp932LeadByte(Byte(p.literal, 0)))
            p.literal.assign(1, '?');
        positions_.push_back(p);
    }
}

bool EditMask::IsEditable(size_t pos) const {
    return pos < positions_.size() && positions_[pos].kind != Kind::Literal;
}

size_t EditMask::NextEditable(size_t pos) const {
    while (pos < positions_.size() && !IsEditable(pos)) ++pos;
    return std::min(pos, positions_.size());
}

std::optional<size_t> EditMask::PrevEditable(size_t pos) const {
    pos = std::min(pos, positions_.size());
    while (pos > 0) {
        --pos;
        if (IsEditable(pos)) return pos;
    }
    return std::nullopt;
}

size_t EditMask::GroupEnd(size_t pos) const {
    while (IsEditable(pos)) ++pos;
    return pos;
}

bool EditMask::Accepts(size_t pos, std::string_view ch) const {
    if (!IsEditable(pos) || !IsPrintable(ch)) return false;
    switch (positions_[pos].kind) {
    case Kind::Digit: return IsDigit(ch);
    case Kind::DigitOrSign: return IsDigit(ch) || ch == "+" || ch == "-";
    case Kind::Letter: return IsLetter(ch);
    case Kind::AlphaNum: return IsLetter(ch) || IsDigit(ch) || IsWideDigit(ch);
    case Kind::AnyChar: return true;
    case Kind::Literal: break;
    }
    return false;
}

std::string EditMask::Convert(size_t pos, std::string_view ch) const {
    if (pos >= positions_.size()) return std::string(ch);
    return ToCase(ch, positions_[pos].letterCase);
}

// -------------------------------------------------------------- MaskedText

MaskedText::MaskedText(EditMask mask) : mask_(std::move(mask)), cells_(mask_.Length()) {
    for (size_t i = 0; i < cells_.size(); ++i)
        if (!mask_.IsEditable(i)) cells_[i] = mask_.At(i).literal;
}

void MaskedText::Place(size_t pos, const std::string& ch) {
    cells_[pos] = (!IsSpace(ch) && mask_.Accepts(pos, ch)) ? mask_.Convert(pos, ch) : std::string();
}

void MaskedText::SetText(std::string_view text) {
    if (mask_.Empty()) {
        plain_ = std::string(text);
        return;
    }
    for (size_t i = 0; i < cells_.size(); ++i)
        if (mask_.IsEditable(i)) cells_[i].clear();

    std::vector<std::string> chars = SplitCp932(text);
    if (chars.size() == cells_.size()) {
        bool literalsInPlace = true;
        for (size_t i = 0; i < cells_.size() && literalsInPlace; ++i)
            if (!mask_.IsEditable(i) && chars[i] != cells_[i]) literalsInPlace = false;
        if (literalsInPlace) {
            for (size_t i = 0; i < cells_.size(); ++i)
                if (mask_.IsEditable(i)) Place(i, chars[i]);
            return;
        }
    }
    if (!mask_.SaveLiterals()) {
        size_t editable = 0;
        for (size_t i = 0; i < cells_.size(); ++i) editable += mask_.IsEditable(i) ? 1 : 0;
        if (chars.size() == editable) {
            for (size_t i = 0, k = 0; i < cells_.size(); ++i)
                if (mask_.IsEditable(i)) Place(i, chars[k++]);
            return;
        }
    }
    FitByGroups(chars);
}

// Each run of editable positions takes the input up to the literal that
// follows it in the mask (when the input holds that literal), or else as
// many characters as it has positions.  A run keeps the first characters of
// its part left-aligned, or with "!" the last ones right-aligned.
void MaskedText::FitByGroups(const std::vector<std::string>& chars) {
    const bool literalsInInput = mask_.SaveLiterals();
    size_t in = 0;
    for (size_t pos = 0; pos < cells_.size();) {
        if (!mask_.IsEditable(pos)) {
            if (literalsInInput && in < chars.size() && chars[in] == cells_[pos]) ++in;
            ++pos;
            continue;
        }
        size_t end = mask_.GroupEnd(pos);
        size_t width = end - pos;
        size_t partEnd = chars.size();
        bool bounded = false;
        if (literalsInInput && end < cells_.size()) {
            auto it = std::find(chars.begin() + static_cast<std::ptrdiff_t>(in), chars.end(), cells_[end]);
            if (it != chars.end()) {
                partEnd = static_cast<size_t>(it - chars.begin());
                bounded = true;
            }
        }
        if (!bounded && end < cells_.size()) partEnd = std::min(chars.size(), in + width);
        size_t partLen = partEnd - in;
        size_t take = std::min(width, partLen);
        size_t from = mask_.LeadingBlanks() ? partEnd - take : in;
        size_t to = mask_.LeadingBlanks() ? end - take : pos;
        for (size_t k = 0; k < take; ++k) Place(to + k, chars[from + k]);
        in = partEnd;
        pos = end;
    }
}

std::string MaskedText::EditText() const {
    if (mask_.Empty()) return plain_;
    std::string out;
    for (const std::string& c : cells_) out += c.empty() ? std::string(" ") : c;
    return out;
}

std::string MaskedText::Text() const {
    if (mask_.Empty() || mask_.SaveLiterals()) return EditText();
    std::string out;
    for (size_t i = 0; i < cells_.size(); ++i)
        if (mask_.IsEditable(i)) out += cells_[i].empty() ? std::string(" ") : cells_[i];
    return out;
}

std::string MaskedText::DisplayText() const {
    if (mask_.Empty()) return plain_;
    std::string out;
    for (size_t i = 0; i < cells_.size(); ++i)
        out += (mask_.IsEditable(i) && cells_[i].empty()) ? mask_.Blank() : cells_[i];
    return out;
}

std::optional<size_t> MaskedText::Type(size_t pos, std::string_view ch) {
    size_t p = mask_.NextEditable(pos);
    // Typing a literal steps over it: at the caret, or at the end of the
    // group the caret is in (so "5/" moves on to the next part of a date).
    for (size_t q = pos; q < p; ++q)
        if (cells_[q] == ch) return mask_.NextEditable(q + 1);
    if (p >= cells_.size()) return std::nullopt;
    if (!Overwrite(p, ch)) {
        size_t end = mask_.GroupEnd(p);
        if (end < cells_.size() && cells_[end] == ch) return mask_.NextEditable(end + 1);
        return std::nullopt;
    }
    return mask_.NextEditable(p + 1);
}

bool MaskedText::Overwrite(size_t pos, std::string_view ch) {
    if (IsSpace(ch) && mask_.IsEditable(pos)) {
        cells_[pos].clear();
        return true;
    }
    if (!mask_.Accepts(pos, ch)) return false;
    cells_[pos] = mask_.Convert(pos, ch);
    return true;
}

// The cells after moving the characters of [first, last] one place right
// (the last one drops out, `first` becomes blank) or left (the first one
// drops out, `last` becomes blank); false when one would not fit.
bool MaskedText::Shifted(size_t first, size_t last, bool right, std::vector<std::string>& out) const {
    out = cells_;
    for (size_t i = first; i <= last; ++i) {
        bool edge = right ? i == first : i == last;
        if (edge) {
            out[i].clear();
            continue;
        }
        const std::string& c = right ? cells_[i - 1] : cells_[i + 1];
        if (!c.empty() && !mask_.Accepts(i, c)) return false;
        out[i] = c.empty() ? c : mask_.Convert(i, c);
    }
    return true;
}

bool MaskedText::Insert(size_t pos, std::string_view ch) {
    bool blank = IsSpace(ch);
    if (!(blank ? mask_.IsEditable(pos) : mask_.Accepts(pos, ch))) return false;
    size_t last = mask_.GroupEnd(pos) - 1;
    if (!cells_[last].empty()) return false;
    std::vector<std::string> moved;
    if (!Shifted(pos, last, true, moved)) return false;
    moved[pos] = blank ? std::string() : mask_.Convert(pos, ch);
    cells_ = std::move(moved);
    return true;
}

bool MaskedText::Delete(size_t pos) {
    if (!mask_.IsEditable(pos)) return false;
    size_t last = mask_.GroupEnd(pos) - 1;
    std::vector<std::string> moved;
    if (!Shifted(pos, last, false, moved)) return false;
    cells_ = std::move(moved);
    return true;
}

void MaskedText::Clear(size_t from, size_t to) {
    to = std::min(to, cells_.size());
    for (size_t i = from; i < to; ++i)
        if (mask_.IsEditable(i)) cells_[i].clear();
}

std::optional<size_t> MaskedText::FirstInvalid() const {
    for (size_t i = 0; i < cells_.size(); ++i)
        if (mask_.IsEditable(i) && mask_.At(i).required && cells_[i].empty()) return i;
    return std::nullopt;
}

}  // namespace ui
