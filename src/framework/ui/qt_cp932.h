// Where a cp932 text of the system meets Qt.
//
// Two directions with different promises:
// - ToDisplayQString is for painting: bytes without a character show as
//   U+FFFD.  Its result is never turned back into bytes.
// - ToEditQString / FromEditQString are for texts the user edits: every byte
//   that has no character is carried as a lone low surrogate U+DC00 + byte,
//   so an untouched text converts back to exactly the bytes it came from.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace ui {

QString ToDisplayQString(std::string_view cp932);

QString ToEditQString(std::string_view cp932);

// nullopt when some character has no cp932 form.
std::optional<std::string> FromEditQString(const QString& text);

// For names and texts that came from Qt (font families): strict, with '?'
// for what cp932 lacks.  Not for user data.
std::string FromQtName(const QString& text);

}  // namespace ui
