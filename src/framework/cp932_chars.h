// Walking a cp932 text character by character: a double-byte character is
// one character, and its second byte (which may look like "\" or "|") is
// never taken for a character of its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

constexpr bool IsCp932TrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Byte length (1 or 2) of the character starting at `at`; a lead byte
// without a valid second byte counts as a broken one-byte character.
size_t Cp932CharLength(std::string_view text, size_t at);

// The characters of a text, one string (1 or 2 bytes) each.
std::vector<std::string> SplitCp932(std::string_view text);

// Splits at every single-byte `separator` character.
std::vector<std::string> SplitCp932At(std::string_view text, char separator);

// The longest start of `text` of at most `maxBytes` bytes that does not
// end in the middle of a double-byte character.
std::string_view Cp932Prefix(std::string_view text, size_t maxBytes);

// Compares two cp932 texts without regard to letter case, as a Japanese
// locale does: ASCII letters and the full-width Latin, Greek and Cyrillic
// letters match their other case.  The second byte of a double-byte
// character is never folded as an ASCII letter.  Negative, 0 or positive
// as `a` sorts before, equal to or after `b`.
int CompareTextCp932(std::string_view a, std::string_view b);
inline bool SameTextCp932(std::string_view a, std::string_view b) { return CompareTextCp932(a, b) == 0; }

// `text` with its letters folded as CompareTextCp932 folds them: every
// character keeps its byte length, so two texts are the same to
// SameTextCp932 exactly when their folded forms are equal byte for byte.
std::string FoldCaseCp932(std::string_view text);

// Looks for one text inside others as CompareTextCp932 compares: without
// regard to letter case, and only at whole characters (a match never
// starts or ends inside a double-byte character).  It keeps a scratch
// buffer, so one finder serves one thread.
class Cp932Finder {
public:
    explicit Cp932Finder(std::string_view text);
    bool Empty() const { return folded_.empty(); }
    // Whether `text` holds the finder's text.  An empty finder is in no text.
    bool FoundIn(std::string_view text) const;

private:
    std::string folded_;
    // Without a lower-case letter in the folded text, folding the other
    // text cannot make a match: the bytes are searched as they are.
    bool needsFolding_ = false;
    // The first character as folded and in its other case: a text that
    // holds neither is passed over unfolded.
    std::string first_;
    std::string firstOtherCase_;
    mutable std::string scratch_;
};

}  // namespace ui
