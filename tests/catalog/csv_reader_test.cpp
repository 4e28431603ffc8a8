#include "catalog/csv_reader.h"
#include "csv_test_util.h"
#include "files/buffile.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using csvtest::Line;
using csvtest::ReadBytes;
using testsupport::TempFolder;

namespace {
const std::string kAbsent = "<absent>";
}

TEST(CsvReader, LinesThatDoNotCountTakeNoNumber) {
    TempFolder dir;
    const std::string tooMany(21, ',');
    int result = -1;
    auto lines = ReadBytes(
        "H1,H2\r\n"
        "\r\n"                       // empty
        "a,b\r\n"
        ",,,,\r\n"                   // commas alone
        "\r\r\n"                     // CR alone
        "x" + tooMany + "y\r\n"      // 21 commas: not a record, its bytes dropped
        + tooMany + tooMany + "\n"   // 42 commas
        "\n"
        "c,d\r\n",
        &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(lines, (std::vector<Line>{{"H1", "H2"}, {"a", "b"}, {"c", "d"}}));
}

TEST(CsvReader, FirstCountingLineIsTheHeading) {
    TempFolder dir;
    // Without a heading the first record becomes line 0, which callers skip.
    EXPECT_EQ(ReadBytes("r1\r\nr2\r\n"), (std::vector<Line>{{"r1"}, {"r2"}}));
    // Lines before it that do not count do not take its place.
    EXPECT_EQ(ReadBytes("\r\n,,\r\nhead\r\nr1\r\n"), (std::vector<Line>{{"head"}, {"r1"}}));
    int result = -1;
    EXPECT_TRUE(ReadBytes("", &result).empty());
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes("DIR,LZH_FILE\r\n"), (std::vector<Line>{{"DIR", "LZH_FILE"}}));
}

TEST(CsvReader, LineEnds) {
    TempFolder dir;
    // The last line needs no line end and keeps its last byte.
    EXPECT_EQ(ReadBytes("h\r\nab,cd"), (std::vector<Line>{{"h"}, {"ab", "cd"}}));
    // LF alone ends a line; a lone CR is dropped and does not.
    EXPECT_EQ(ReadBytes("h\nab\rc,\rd\r\r\n"), (std::vector<Line>{{"h"}, {"abc", "d"}}));
    EXPECT_EQ(ReadBytes("h\r\nlast\r"), (std::vector<Line>{{"h"}, {"last"}}));
}

TEST(CsvReader, SubEndsTheData) {
    TempFolder dir;
    // The line it ends still counts; nothing after it is read.
    EXPECT_EQ(ReadBytes("h\r\na,b\x1A" "c,d\r\nx,y\r\n"), (std::vector<Line>{{"h"}, {"a", "b"}}));
    EXPECT_EQ(ReadBytes("h\r\n\x1A" "a\r\n"), (std::vector<Line>{{"h"}}));
    EXPECT_TRUE(ReadBytes("\x1A" "h\r\na\r\n").empty());
    // Also inside a line that has too many fields.
    EXPECT_EQ(ReadBytes("h\r\n" + std::string(25, ',') + "\x1A\nz\r\n"), (std::vector<Line>{{"h"}}));
}

TEST(CsvReader, Fields) {
    TempFolder dir;
    // Missing fields are absent; so are empty ones between commas.
    auto lines = ReadBytes("h\r\nA,B,C\r\n,x,,y,,\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], (Line{"A", "B", "C"}));
    EXPECT_EQ(lines[2], (Line{kAbsent, "x", kAbsent, "y"}));

    CsvTable table;
    testsupport::WriteBytes("f.csv", std::string("h\r\n \"q\" ,a\0b,\x83\x5C\r\n", 17));
    ASSERT_EQ(ReadCsvFile(table, "f.csv"), 0);
    EXPECT_EQ(table.FieldText(1, 0), " \"q\" ");  // no quoting, blanks belong to the field
    EXPECT_EQ(table.FieldText(1, 1), std::string_view("a\0b", 3));  // NUL does not cut the text
    EXPECT_EQ(table.FieldText(1, 2), "\x83\x5C");  // bytes unchanged
    EXPECT_FALSE(table.Field(1, 3));
    EXPECT_FALSE(table.Field(1, 100));
    EXPECT_FALSE(table.Field(2, 0));  // beyond the last line
    EXPECT_EQ(table.FieldText(7, 7), "");
    EXPECT_EQ(table.FieldCount(99), 0u);
}

TEST(CsvReader, TwentyCommasKeepTwentySlots) {
    TempFolder dir;
    std::string line;
    for (int i = 0; i < 21; ++i) line += (i ? "," : "") + std::to_string(i);
    auto lines = ReadBytes("h\r\n" + line + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 3u);
    // 21 fields, 20 slots: the last field has no slot and is dropped; the
    // line still counts and the next line is whole.
    ASSERT_EQ(lines[1].size(), 20u);
    EXPECT_EQ(lines[1][19], "19");
    EXPECT_EQ(lines[2], (Line{"next"}));
    // Data in the dropped field alone still makes the line count.
    lines = ReadBytes("h\r\n" + std::string(20, ',') + "z\r\nnext\r\n");
    EXPECT_EQ(lines, (std::vector<Line>{{"h"}, {}, {"next"}}));
}

TEST(CsvReader, SmallerFieldLimit) {
    TempFolder dir;
    // Three slots: a fourth field is dropped, a fifth makes no record.
    testsupport::WriteBytes("f.csv", "a,b,c,d\r\na,b,c,d,e\r\nx,y\r\n");
    CsvTable table(4, 3, 16);
    ASSERT_EQ(ReadCsvFile(table, "f.csv"), 0);
    EXPECT_EQ(csvtest::Lines(table), (std::vector<Line>{{"a", "b", "c"}, {"x", "y"}}));
    EXPECT_EQ(table.MaxFields(), 3u);
}

TEST(CsvReader, OpenFailuresEmptyTheTable) {
    TempFolder dir;
    testsupport::WriteBytes("f.csv", "h\r\na\r\n");
    CsvTable table;
    ASSERT_EQ(ReadCsvFile(table, "f.csv"), 0);
    EXPECT_EQ(table.LineCount(), 2u);
    EXPECT_EQ(ReadCsvFile(table, "missing.csv"), 1);
    EXPECT_EQ(table.LineCount(), 0u);
    EXPECT_EQ(ReadCsvFile(table, nullptr), 1);

    BUFFILE holder;  // a file open elsewhere cannot be read
    ASSERT_TRUE(holder.OpenRead("f.csv"));
    EXPECT_EQ(ReadCsvFile(table, "f.csv"), 1);
    holder.Close();
    EXPECT_EQ(ReadCsvFile(table, "f.csv"), 0);
    EXPECT_EQ(ReadCsvFile(table, "."), 1);  // a folder
}

TEST(CsvReader, LargeCatalogsAreReadWhole) {
    TempFolder dir;
    const size_t records = 100000;
    testsupport::WriteBytes("big.csv", csvtest::MakeCatalog(records));
    CsvTable table;  // the catalog's capacity: 1024 lines, 40960 bytes
    ASSERT_EQ(ReadCsvFile(table, "big.csv"), 0);
    ASSERT_EQ(table.LineCount(), records + 1);
    EXPECT_EQ(table.FieldText(0, 6), "BYTE");
    EXPECT_EQ(table.FieldText(1, 1), "SET0.LZH");
    EXPECT_EQ(table.FieldText(records, 1), "SET99999.LZH");
    EXPECT_EQ(table.FieldText(records, 6), std::to_string(10000 + 99999 * 7));
    EXPECT_EQ(table.FieldText(54321, 3), "作者" + std::to_string(54320 % 13));
}

TEST(CsvReader, PathologicalShapes) {
    TempFolder dir;
    // A 10 MB line without a line end is one field.
    std::string big(10 << 20, 'a');
    testsupport::WriteBytes("long.csv", "h\n" + big);
    CsvTable table;
    ASSERT_EQ(ReadCsvFile(table, "long.csv"), 0);
    ASSERT_EQ(table.LineCount(), 2u);
    EXPECT_EQ(table.FieldText(1, 0).size(), big.size());

    // Every other byte a line end: half as many lines as bytes.
    std::string shortLines;
    for (int i = 0; i < 1000000; ++i) shortLines += "a\n";
    testsupport::WriteBytes("short.csv", shortLines);
    ASSERT_EQ(ReadCsvFile(table, "short.csv"), 0);
    EXPECT_EQ(table.LineCount(), 1000000u);
    EXPECT_EQ(table.FieldText(999999, 0), "a");

    // Many one-byte fields with empty ones between.
    std::string dense;
    for (int i = 0; i < 100000; ++i) dense += "a,,b,,,,,,,,,,,,,,,,,c\n";
    testsupport::WriteBytes("dense.csv", dense);
    ASSERT_EQ(ReadCsvFile(table, "dense.csv"), 0);
    EXPECT_EQ(table.LineCount(), 100000u);
    EXPECT_EQ(table.FieldCount(5), 20u);
    EXPECT_EQ(table.FieldText(99999, 19), "c");
    EXPECT_FALSE(table.Field(99999, 18));
}

TEST(CsvReader, AnyBytesGiveADefinedSplit) {
    TempFolder dir;
    // Every byte value but the end mark, a lead byte as the very last byte.
    std::string bytes;
    for (int round = 0; round < 50; ++round) {
        for (int b = 0; b < 256; ++b) {
            int v = (b * 37 + round) % 256;
            bytes.push_back(static_cast<char>(v == 0x1A ? 'z' : v));
        }
    }
    bytes += "\nend\x81";
    testsupport::WriteBytes("bin.csv", bytes);
    CsvTable table;
    ASSERT_EQ(ReadCsvFile(table, "bin.csv"), 0);
    // What the split must give: fields of the bytes between the separators.
    size_t lfs = 0, dataBytes = 0, stored = 0;
    for (char c : bytes) {
        if (c == '\n') ++lfs;
        if (c != '\n' && c != '\r' && c != ',') ++dataBytes;
    }
    EXPECT_LE(table.LineCount(), lfs + 1);
    for (uint32_t i = 0; i < table.LineCount(); ++i)
        for (uint32_t j = 0; j < table.FieldCount(i); ++j)
            if (auto f = table.Field(i, j)) {
                EXPECT_EQ(f->find_first_of(std::string_view(",\r\n\x1A", 4)), std::string_view::npos);
                stored += f->size();
            }
    EXPECT_LE(stored, dataBytes);
    EXPECT_EQ(table.FieldText(table.LineCount() - 1, 0), "end\x81");
    EXPECT_EQ(table.FieldCount(table.LineCount() - 1), 1u);
}
