#include "catalog/csv_reader.h"
#include "catalog/csv_writer.h"
#include "csv_test_util.h"
#include "platform/os_file.h"
#include "files/buffile.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>

using csvtest::Line;
using testsupport::TempFolder;

namespace {

// Rows of fixed cells, as the grid would hand them over.
CsvRowFields RowsOf(const std::vector<Line>& rows) {
    return [&rows](size_t row, std::vector<std::string_view>& fields) {
        for (const auto& cell : rows[row]) fields.emplace_back(cell);
    };
}

// The rows of a table that was read, written back as they are.
CsvRowFields RowsOf(const CsvTable& table) {
    return [&table](size_t row, std::vector<std::string_view>& fields) {
        auto line = static_cast<uint32_t>(row);
        for (uint32_t j = 0; j < table.FieldCount(line); ++j) fields.push_back(table.FieldText(line, j));
    };
}

struct ClearFaults {
    ~ClearFaults() { platform::faults::ClearFailures(); }
};

}  // namespace

TEST(CsvWriter, WritesLinesAndReadsBack) {
    TempFolder dir;
    const std::vector<Line> rows = {
        {"DIR", "LZH_FILE", "TITLE", "AUTHOR", "NIF_ID", "DATE", "BYTE"},
        {"kiss\\ソフト", "A.LZH", "表題", "作者", "GHB01234", "97/05/12", "12345"},
        {"", "", "", "", "", "", ""},       // all empty: six commas, no record on reload
        {"d", "B.LZH", "x,y", "", "", "", "9"},  // a comma in a cell splits on reload
    };
    ASSERT_EQ(WriteCsvFile("out.csv", rows.size(), RowsOf(rows)), 0);
    EXPECT_EQ(testsupport::ReadBytes("out.csv"),
              "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n"
              "kiss\\ソフト,A.LZH,表題,作者,GHB01234,97/05/12,12345\r\n"
              ",,,,,,\r\n"
              "d,B.LZH,x,y,,,,9\r\n");

    CsvTable table;
    ASSERT_EQ(ReadCsvFile(table, "out.csv"), 0);
    auto lines = csvtest::Lines(table);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], rows[1]);
    EXPECT_EQ(lines[2], (Line{"d", "B.LZH", "x", "y", "<absent>", "<absent>", "<absent>", "9"}));

    // No rows: an empty file.  The old file is replaced.
    ASSERT_EQ(WriteCsvFile("out.csv", 0, RowsOf(rows)), 0);
    EXPECT_EQ(testsupport::ReadBytes("out.csv"), "");
    EXPECT_EQ(csvtest::FolderEntries(dir.path()), (std::vector<std::string>{"out.csv"}));
}

TEST(CsvWriter, LargeCatalogRoundTripIsByteIdentical) {
    TempFolder dir;
    const std::string original = csvtest::MakeCatalog(100000);
    testsupport::WriteBytes("in.csv", original);
    CsvTable table;
    ASSERT_EQ(ReadCsvFile(table, "in.csv"), 0);
    ASSERT_EQ(WriteCsvFile("out.csv", table.LineCount(), RowsOf(table)), 0);
    EXPECT_TRUE(testsupport::ReadBytes("out.csv") == original);
}

TEST(CsvWriter, KeepsTheOldFilesPermissions) {
    TempFolder dir;
    testsupport::WriteBytes("cat.csv", "old\r\n");
    ASSERT_EQ(chmod("cat.csv", 0640), 0);
    const std::vector<Line> rows = {{"new"}};
    ASSERT_EQ(WriteCsvFile("cat.csv", 1, RowsOf(rows)), 0);
    struct stat st;
    ASSERT_EQ(stat("cat.csv", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(testsupport::ReadBytes("cat.csv"), "new\r\n");
}

TEST(CsvWriter, FailuresLeaveTheOldFileAndNoTemporaryFile) {
    TempFolder dir;
    ClearFaults clear;
    const std::string old = "DIR,LZH_FILE\r\nold,OLD.LZH\r\n";
    std::vector<Line> rows;
    for (int i = 0; i < 2000; ++i) rows.push_back({"new", std::to_string(i)});
    const std::vector<std::string> onlyTarget = {"cat.csv"};

    auto expectUntouched = [&](const char* what) {
        EXPECT_EQ(testsupport::ReadBytes(dir.file("cat.csv")), old) << what;
        EXPECT_EQ(csvtest::FolderEntries(dir.path()), onlyTarget) << what;
    };

    testsupport::WriteBytes("cat.csv", old);
    platform::faults::FailCreates(true);
    EXPECT_EQ(WriteCsvFile("cat.csv", rows.size(), RowsOf(rows)), 1);
    expectUntouched("create fails");
    platform::faults::ClearFailures();

    for (long long budget : {0LL, 100LL, 1024LL, 5000LL}) {  // disk full at various points
        platform::faults::FailWritesAfterBytes(budget);
        EXPECT_EQ(WriteCsvFile("cat.csv", rows.size(), RowsOf(rows)), 1) << budget;
        expectUntouched("short write");
        platform::faults::ClearFailures();
    }

    platform::faults::FailReplace(true);
    EXPECT_EQ(WriteCsvFile("cat.csv", rows.size(), RowsOf(rows)), 1);
    expectUntouched("replace fails");
    platform::faults::ClearFailures();

    {
        BUFFILE holder;  // the catalog is open elsewhere
        ASSERT_TRUE(holder.OpenRead("cat.csv"));
        EXPECT_EQ(WriteCsvFile("cat.csv", rows.size(), RowsOf(rows)), 1);
        holder.Close();
        expectUntouched("target locked");
    }

    auto throwing = [](size_t row, std::vector<std::string_view>& fields) {
        if (row == 500) throw std::runtime_error("cell");
        fields.emplace_back("x");
    };
    EXPECT_THROW(WriteCsvFile("cat.csv", 1000, throwing), std::runtime_error);
    expectUntouched("rows throw");

    EXPECT_EQ(WriteCsvFile("no-such-folder/cat.csv", rows.size(), RowsOf(rows)), 1);
    EXPECT_EQ(WriteCsvFile(nullptr, rows.size(), RowsOf(rows)), 1);
    expectUntouched("bad names");

    // And with the faults cleared the same write goes through.
    EXPECT_EQ(WriteCsvFile("cat.csv", rows.size(), RowsOf(rows)), 0);
    EXPECT_EQ(testsupport::ReadBytes("cat.csv").substr(0, 12), "new,0\r\nnew,1");
    EXPECT_EQ(csvtest::FolderEntries(dir.path()), onlyTarget);
}
