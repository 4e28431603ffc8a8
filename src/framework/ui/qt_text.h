// Where a text of the system (cp932 bytes) meets Qt (UTF-16).
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// For showing: bytes without a Unicode form become U+FFFD.
QString ToQt(std::string_view cp932);

// Back to the system: nullopt when a character has no cp932 form (the caller
// refuses the text instead of mangling it).
std::optional<std::string> FromQt(const QString& text);

// Whether every character of `text` has a cp932 form.
bool HasCp932Form(const QString& text);

}  // namespace ui
