#include "catalog/catalog_sort.h"

#include "framework/sysutils.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

// Sorts the entries (one per record row, in row order) stably by `less`
// and moves the grid's rows once, and only if something is out of order.
template <typename Entry, typename Less>
void SortRows(CatalogRows& rows, std::vector<Entry>& entries, Less less) {
    if (entries.size() < 2) return;
    if (std::is_sorted(entries.begin(), entries.end(), less)) return;  // nothing moves
    std::stable_sort(entries.begin(), entries.end(), less);
    std::vector<int> order(static_cast<size_t>(rows.RowCount()));
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    for (size_t i = 0; i < entries.size(); ++i) order[i + 1] = entries[i].row;
    rows.Reorder(order);
}

// A text key: its first sixteen bytes as two big-endian numbers decide
// most comparisons without touching the text itself.
struct TextEntry {
    uint64_t head[2];
    int row;
};

// Bytes from..from+7 of the text as one number, missing bytes as zeros.
uint64_t Head(std::string_view text, size_t from) {
    uint64_t head = 0;
    for (size_t i = from; i < from + 8; ++i) head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return head;
}

struct NumberEntry {
    int32_t key;
    int row;
};

}  // namespace

void SortByText(CatalogRows& rows, int column) {
    const int count = rows.RowCount();
    if (count < 3) return;
    // All keys in one buffer, row r's from start[r] to start[r + 1]: no
    // allocation per record.
    std::string pool;
    std::vector<size_t> start(static_cast<size_t>(count) + 1, 0);
    std::vector<TextEntry> entries;
    entries.reserve(static_cast<size_t>(count - 1));
    for (int r = 1; r < count; ++r) {
        const std::string text = rows.Cell(column, r);
        entries.push_back({{Head(text, 0), Head(text, 8)}, r});
        pool += text;
        start[static_cast<size_t>(r) + 1] = pool.size();
    }
    // Unsigned bytes, the shorter of two texts with the same beginning
    // first.  Equal heads mean equal first sixteen bytes, or a shorter text
    // whose missing bytes stand as zeros: then the rest and the lengths
    // decide.
    auto rest = [&](int row) {
        const size_t from = start[static_cast<size_t>(row)], to = start[static_cast<size_t>(row) + 1];
        return to - from > 16 ? std::string_view(pool).substr(from + 16, to - from - 16) : std::string_view();
    };
    auto length = [&](int row) { return start[static_cast<size_t>(row) + 1] - start[static_cast<size_t>(row)]; };
    auto less = [&](const TextEntry& a, const TextEntry& b) {
        if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
        if (const int c = rest(a.row).compare(rest(b.row)); c != 0) return c < 0;
        return length(a.row) < length(b.row);
    };
    SortRows(rows, entries, less);
}

void SortByNumber(CatalogRows& rows, int column) {
    const int count = rows.RowCount();
    if (count < 3) return;
    std::vector<int32_t> keys(static_cast<size_t>(count), 0);
    auto convert = [&](int r) { return TryStrToInt(rows.Cell(column, r), keys[static_cast<size_t>(r)]); };
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
    std::vector<NumberEntry> entries;
    for (int r = 1; r < end; ++r) entries.push_back({keys[static_cast<size_t>(r)], r});
    SortRows(rows, entries, [](const NumberEntry& a, const NumberEntry& b) { return a.key < b.key; });
    if (failed != 0) StrToInt(rows.Cell(column, failed));  // raises the conversion error with the cell's text
}
