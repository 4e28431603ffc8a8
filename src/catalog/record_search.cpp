#include "catalog/record_search.h"

namespace {

constexpr int kFirstField = 1;
constexpr int kLastField = 7;

bool RecordHolds(const CatalogRows& rows, int row, const ui::Cp932Finder& finder) {
    std::string_view cells[kLastField + 1];
    rows.RowView(row, cells, kLastField + 1);
    for (int col = kFirstField; col <= kLastField; ++col) {
        if (finder.FoundIn(cells[col])) return true;
    }
    return false;
}

}  // namespace

int FindRecordRow(const CatalogRows& rows, int current, const ui::Cp932Finder& finder) {
    const int records = rows.RowCount() - 1;
    if (records < 1 || finder.Empty()) return -1;
    if (current < 1 || current > records) current = records;  // so that row 1 comes first
    for (int step = 1; step <= records; ++step) {
        const int row = (current - 1 + step) % records + 1;
        if (RecordHolds(rows, row, finder)) return row;
    }
    return -1;
}
