// Shared helpers of the catalog tests.
#pragma once

#include "catalog/csv_table.h"

#include <string>
#include <vector>

namespace csvtest {

// One line as fields; an absent field shows as "<absent>".
using Line = std::vector<std::string>;

// The table's lines, each with its fields up to the last non-empty one.
std::vector<Line> Lines(const CsvTable& table);

// Writes `bytes` to `name` in the current folder, reads it and returns the
// lines; the reader's result goes to `result`.
std::vector<Line> ReadBytes(const std::string& bytes, int* result = nullptr);

// A catalog of `records` records after a heading line, in Shift-JIS, CR LF.
std::string MakeCatalog(size_t records);

// The names in the folder, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

}  // namespace csvtest
