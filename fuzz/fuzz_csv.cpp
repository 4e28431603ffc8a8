// ReadCsvFile over any bytes, compared with a plain reading of the line and
// field rules: the data ends at the first 0x1A; LF ends a line, CR is
// dropped; a line counts when it holds a byte other than comma, and is no
// record when it has more commas than slots; its first slots hold its
// fields, an empty field absent.  The catalog check on the same bytes:
// taken in two pieces it notes what it notes taken whole, and a file it
// finds nothing in reads as the catalog the system writes.
#include "catalog/catalog_check.h"
#include "catalog/csv_reader.h"
#include "fuzz_input_file.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> Expected(std::string_view data, uint32_t maxFields) {
    data = data.substr(0, data.find('\x1A'));
    std::vector<Fields> lines;
    size_t start = 0;
    while (start <= data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string_view::npos) end = data.size();
        std::string line;
        for (char c : data.substr(start, end - start))
            if (c != '\r') line.push_back(c);
        start = end + 1;
        size_t commas = static_cast<size_t>(std::count(line.begin(), line.end(), ','));
        if (commas > maxFields || line.find_first_not_of(',') == std::string::npos) continue;
        Fields fields;
        size_t from = 0;
        for (uint32_t i = 0; i < maxFields && from <= line.size(); ++i) {
            size_t comma = std::min(line.find(',', from), line.size());
            fields.push_back(line.substr(from, comma - from));
            from = comma + 1;
        }
        while (!fields.empty() && fields.back().empty()) fields.pop_back();
        lines.push_back(fields);
    }
    return lines;
}

using fuzzcheck::Check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzzcheck::InputBytes(data, size);
    // The first byte also picks the table's shape now and then, so that
    // other slot counts and small minimum capacities are tried too.
    uint32_t maxFields = CsvTable::kCatalogMaxFields;
    uint32_t maxLines = CsvTable::kCatalogMaxLines;
    uint32_t poolSize = CsvTable::kCatalogPoolSize;
    if (size > 0 && data[0] >= 0xF0) {
        maxFields = data[0] - 0xF0;  // 0 .. 15
        maxLines = 1;
        poolSize = 0;
    }
    const std::string& name = fuzzinput::WriteInput(data, size);
    CsvTable table(maxLines, maxFields, poolSize);
    Check(ReadCsvFile(table, name.c_str()) == 0);

    const size_t lfs = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    Check(table.LineCount() <= lfs + 1);
    const std::vector<Fields> expected = Expected(bytes, maxFields);
    Check(table.LineCount() == expected.size());
    for (uint32_t i = 0; i < table.LineCount(); ++i) {
        Check(table.FieldCount(i) == expected[i].size());
        Check(table.FieldCount(i) <= maxFields);
        for (uint32_t j = 0; j <= maxFields; ++j) {
            auto field = table.Field(i, j);
            const std::string want = j < expected[i].size() ? expected[i][j] : std::string();
            Check(field.has_value() == !want.empty());
            if (!field) continue;
            Check(*field == want);
            Check(field->find_first_of(std::string_view(",\r\n\x1A", 4)) == std::string_view::npos);
        }
    }
    Check(!table.Field(table.LineCount(), 0));

    CatalogChecker whole;
    whole.Take(bytes);
    const CatalogFileNotes notes = whole.Finish();
    CatalogChecker halves;
    const size_t cut = size > 1 ? data[size - 1] % size : 0;
    halves.Take(bytes.substr(0, cut));
    halves.Take(bytes.substr(cut));
    const CatalogFileNotes again = halves.Finish();
    Check(again.Any() == notes.Any() && again.notText.lines == notes.notText.lines &&
          again.notText.first == notes.notText.first && again.wrongFieldCount.lines == notes.wrongFieldCount.lines &&
          again.headingMissing == notes.headingMissing && again.dataAfterEndMark == notes.dataAfterEndMark);
    if (!notes.Any() && maxFields == CsvTable::kCatalogMaxFields && !bytes.empty()) {
        Check(table.LineCount() >= 1);
        Check(table.FieldCount(0) == 7);
        for (uint32_t i = 1; i < table.LineCount(); ++i) Check(table.FieldCount(i) <= 7);
    }
    return 0;
}
