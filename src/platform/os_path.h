// System path texts (cp932, "\" as folder separator) and OS paths (UTF-8, "/").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// cp932 path -> OS path.  Only a single-byte "\" is a separator: the second
// byte of a double-byte character (as in "ソ", 0x83 0x5C) is left alone.
// nullopt when the text has no UTF-8 form.
std::optional<std::string> ToOsPath(std::string_view systemPath);

// OS path -> cp932 path with "\" separators; nullopt when a character of the
// name has no cp932 form.
std::optional<std::string> FromOsPath(std::string_view osPath);

}  // namespace platform
