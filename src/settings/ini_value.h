// How a value text is written into a settings file so that the reader gives
// back exactly that text.  A value that the reader takes as it is (a word
// beginning with a letter, a digit or a double-byte character, without
// blanks, "=", "[" or "]") is written bare, as it always was; any other is
// written between double quotes, a quote inside doubled:
//     KISSDIR = "Z:\home\me\My Sets\"
// A line end or another control character (a tab aside) cannot be stored.
#pragma once

#include <string>
#include <string_view>

// Whether the reader gives the bare text back unchanged.
bool ReadsBackBare(std::string_view text);

// Whether the text can be stored at all (bare or quoted).
bool CanStoreValue(std::string_view text);

// Appends the text as it is written after "key = "; the bytes a file cannot
// hold (line ends, control characters) are left out.
void AppendValue(std::string& out, std::string_view text);
