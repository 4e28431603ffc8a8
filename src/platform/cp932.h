// Conversion between code page 932 (Shift-JIS) byte strings and UTF-8.
//
// Every text of the system is a cp932 byte string; UTF-8 appears only where a
// text meets the toolkit or the operating system.  A text that has no form in
// the other encoding is an error the caller sees, never a silent '?'.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Strict conversions: nullopt when some byte sequence has no counterpart.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// For display only: bytes without a Unicode form become U+FFFD.  Never use
// the result to write a text back.
std::string Cp932ToUtf8ForDisplay(std::string_view cp932);

// True for a byte that starts a double-byte character in cp932.
constexpr bool IsCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace platform
