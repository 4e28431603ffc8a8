#include "framework/ui/grid/string_grid_widget.h"

#include "framework/exceptions.h"

namespace ui {

StringGridWidget::StringGridWidget(QWidget* parent) : GridWidget(parent) { cells_.Resize(ColCount(), RowCount()); }

void StringGridWidget::SetCell(int col, int row, std::string_view text) {
    if (!cells_.Set(col, row, text)) throw EInvalidOperation("Grid index out of range");
    InvalidateCell(col, row);
    CellTextChanged(col, row);
}

void StringGridWidget::ReorderRows(const std::vector<int>& order) {
    if (!cells_.ReorderRows(order)) throw EInvalidOperation("Grid row order is not a permutation");
    // An editor open on the current cell shows its new text.
    for (int col = 0; col < ColCount(); ++col) CellTextChanged(col, Row());
    InvalidateGrid();
}

void StringGridWidget::DrawCell(int col, int row, const Rect& rect, GridDrawState state) {
    if (DefaultDrawing()) GetCanvas().TextRect(rect, rect.left + 2, rect.top + 2, cells_.Get(col, row));
    GridWidget::DrawCell(col, row, rect, state);
}

std::string StringGridWidget::GetEditText(int col, int row) {
    std::string text(cells_.Get(col, row));
    if (onGetEditText) onGetEditText(col, row, text);
    return text;
}

void StringGridWidget::SetEditText(int col, int row, const std::string& text) {
    if (text != cells_.Get(col, row)) {
        cells_.Set(col, row, text);
        InvalidateCell(col, row);
    }
    GridWidget::SetEditText(col, row, text);
}

void StringGridWidget::MoveRowData(int from, int to) { cells_.MoveRow(from, to); }

void StringGridWidget::MoveColData(int from, int to) { cells_.MoveCol(from, to); }

void StringGridWidget::SizeChanged(int, int) { cells_.Resize(ColCount(), RowCount()); }

}  // namespace ui
