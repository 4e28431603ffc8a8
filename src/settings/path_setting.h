// A path typed into the settings dialog, put in the form it is stored in:
// "\" between folders, "~" as the home folder and "/" as the OS root both
// on the drive Z:, relative paths kept relative, so that every path reads
// back from the settings file as the place the user meant.
//     "~/kiss/"        is "Z:\home\me\kiss\"
//     "/home/me/kiss"  is "Z:\home\me\kiss"
//     "\kiss\"         is "Z:\kiss\"
//     "../bin/viewer"  is "..\bin\viewer"
#pragma once

#include <string>
#include <string_view>

// The stored form of a typed path.  A folder that is used as the first part
// of other paths (`prefix`, the KiSS folder) also gets its closing "\".
std::string StoredPathForm(std::string_view typed, bool prefix);

// Whether a path ends in a folder separator or a drive ("\" as a second
// byte of a double-byte character does not count).
bool EndsWithSeparator(std::string_view path);
