#include "app/column_widths.h"

#include "framework/ui/core/font.h"
#include "framework/ui/grid/grids.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace {

// The characters of dates, IDs and folder names.
constexpr std::string_view kMeasured = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// What the catalog's columns are made to hold, in characters of mean width:
// an eight-character folder, an eight-character ID, a ten-character date.
// The stored DIR width holds only seven, so scaling alone would still cut
// "SAKURA01"; these columns get at least their characters and margins.
struct HeldText {
    int col;
    int chars;
};
constexpr HeldText kHeld[] = {{1, 8}, {5, 8}, {6, 10}};
constexpr int kMargins = 2 * 2;

}  // namespace

double ColumnWidthScale(const TCustomGrid& grid) {
    const int height = std::abs(grid.CellFont()->Height());
    if (height == 0) return 1.0;  // the toolkit's default size: nothing to compare with
    const double made = static_cast<double>(kMeasured.size()) * height / 2.0;
    return std::max(1.0, grid.TextWidth(kMeasured) / made);
}

void FitColumnWidthsToFont(TCustomGrid& grid) {
    const double scale = ColumnWidthScale(grid);
    if (scale <= 1.0) return;
    for (int col = 0; col < grid.ColCount(); ++col)
        grid.SetColWidths(col, static_cast<int>(std::ceil(grid.ColWidths(col) * scale)));
    const double meanWidth = static_cast<double>(grid.TextWidth(kMeasured)) / kMeasured.size();
    for (const HeldText& held : kHeld) {
        if (held.col >= grid.ColCount()) continue;
        const int least = static_cast<int>(std::ceil(meanWidth * held.chars)) + kMargins;
        grid.SetColWidths(held.col, std::max(grid.ColWidths(held.col), least));
    }
}
