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
}
