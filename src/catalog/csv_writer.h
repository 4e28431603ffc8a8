// The catalog writer: lines of fields joined by commas, CR LF after every
// line, the bytes of each field unchanged (no quoting: a field holding a
// comma reads back as two fields).
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// Hands the writer the fields of row `row`; `fields` is empty on entry and
// its views need only last until the next call.
using CsvRowFields = std::function<void(size_t row, std::vector<std::string_view>& fields)>;

// Writes rows 0 .. rowCount - 1 to `fileName`: 0 written, 1 failed.  The new
// content goes to a temporary file beside the target, which takes the
// target's place only once every byte of it is on the disk; on any failure
// the temporary file is removed and the old file is left as it was.
int WriteCsvFile(const char* fileName, size_t rowCount, const CsvRowFields& fieldsOfRow);
