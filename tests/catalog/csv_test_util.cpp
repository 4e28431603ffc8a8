#include "csv_test_util.h"

#include "catalog/csv_reader.h"
#include "support/test_files.h"

#include <algorithm>
#include <filesystem>

namespace csvtest {

std::vector<Line> Lines(const CsvTable& table) {
    std::vector<Line> lines;
    for (uint32_t i = 0; i < table.LineCount(); ++i) {
        Line line;
        for (uint32_t j = 0; j < table.FieldCount(i); ++j) {
            auto field = table.Field(i, j);
            line.push_back(field ? std::string(*field) : std::string("<absent>"));
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<Line> ReadBytes(const std::string& bytes, int* result) {
    testsupport::WriteBytes("in.csv", bytes);
    CsvTable table;
    int r = ReadCsvFile(table, "in.csv");
    if (result) *result = r;
    return Lines(table);
}

std::string MakeCatalog(size_t records) {
    std::string out = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
    for (size_t i = 0; i < records; ++i) {
        std::string n = std::to_string(i);
        out += "kiss\\" + std::to_string(i % 97) + ",SET" + n + ".LZH,";
        out += "着せ替え　第" + n + "号,作者" + std::to_string(i % 13) + ",GHB0" + n + ",97/05/12,";
        out += std::to_string(10000 + i * 7) + "\r\n";
    }
    return out;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace csvtest
