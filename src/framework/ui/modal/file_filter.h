// File-dialog filters of the form "description|pattern;pattern|...": the
// parsed list, and matching of names against its wildcard patterns the way
// the stored forms expect (case-insensitive, "*.*" matching every name).
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct FileFilterItem {
    std::string description;            // cp932
    std::vector<std::string> patterns;  // cp932, blanks trimmed
};

// Pairs of description and patterns; a description without patterns is
// dropped.  "|" and ";" count only as single-byte characters.
std::vector<FileFilterItem> ParseFileFilter(std::string_view filter);

// Whether `name` (one file name, no folder) matches the wildcard pattern:
// "*" any run of characters, "?" one character, letters in either case.
bool MatchesFilePattern(const QString& pattern, const QString& name);

// The suffix a default-extension text asks for: "*.CSV" and ".CSV" give
// "CSV"; of "*.ﾎｿｸ;*.hed" the first; wildcards give none.
std::string DefaultSuffix(std::string_view defaultExt);

}  // namespace ui
