// Where a text of the system (cp932 bytes) meets Qt (UTF-16).
//
// - ToQt is for showing: bytes without a character show as U+FFFD.  Its
//   result is not meant to come back.
// - ToEditQt is for texts the user edits: every byte without a character
//   is carried as a lone low surrogate U+DC00 + byte, so that an untouched
//   text converts back to exactly the bytes it came from.
// - FromQt takes a text back: the escapes of ToEditQt become their bytes
//   again; a character without a cp932 form gives nullopt, and the caller
//   refuses the text instead of mangling it.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

QString ToQt(std::string_view cp932);

QString ToEditQt(std::string_view cp932);

std::optional<std::string> FromQt(const QString& text);

// Whether FromQt takes the text.
bool HasCp932Form(const QString& text);

// For names that came from Qt (font families): '?' for what cp932 lacks.
// Not for user data.
std::string FromQtName(const QString& text);

}  // namespace ui
