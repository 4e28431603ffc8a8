#include "catalog/catalog_sort.h"

#include "framework/sysutils.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>

namespace {

// Sorts rows 1 .. end - 1 by `less` on their row numbers, stably, and
// moves them if anything changed.
template <typename Less>
void SortRecords(CatalogRows& rows, int end, Less less) {
    const int count = rows.RowCount();
    if (end < 3) return;
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    auto first = order.begin() + 1;
    auto last = order.begin() + end;
    if (std::is_sorted(first, last, less)) return;  // in order already: nothing moves
    std::stable_sort(first, last, less);
    rows.Reorder(order);
}

}  // namespace

void SortByText(CatalogRows& rows, int column) {
    const int count = rows.RowCount();
    if (count < 3) return;
    // All keys in one buffer: one allocation instead of one per record.
    std::string pool;
    std::vector<size_t> start(static_cast<size_t>(count) + 1, 0);
    for (int r = 1; r < count; ++r) {
        pool += rows.Cell(column, r);
        start[static_cast<size_t>(r) + 1] = pool.size();
    }
    auto key = [&](int r) {
        const size_t i = static_cast<size_t>(r);
        return std::string_view(pool).substr(start[i], start[i + 1] - start[i]);
    };
    // string_view compares as unsigned bytes, the shorter of two equal
    // beginnings first.
    SortRecords(rows, count, [&](int a, int b) { return key(a) < key(b); });
}

void SortByNumber(CatalogRows& rows, int column) {
    const int count = rows.RowCount();
    if (count < 3) return;
    std::vector<int32_t> keys(static_cast<size_t>(count), 0);
    auto convert = [&](int r) {
        return TryStrToInt(rows.Cell(column, r), keys[static_cast<size_t>(r)]);
    };
    // The insertion sort's first step reads row 2 before row 1; each later
    // step reads its new row before anything of that step moves.  The rows
    // before the first failing one are those it had placed.
    int failed = 0;
    if (!convert(2)) failed = 2;
    else if (!convert(1)) failed = 1;
    else
        for (int r = 3; r < count && failed == 0; ++r)
            if (!convert(r)) failed = r;

    const int end = failed == 0 ? count : failed;
    SortRecords(rows, end, [&](int a, int b) { return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)]; });
    if (failed != 0) StrToInt(rows.Cell(column, failed));  // raises the conversion error with the cell's text
}
