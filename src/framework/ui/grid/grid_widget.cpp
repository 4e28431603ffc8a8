// The grid's size, geometry, current cell, selection, scrolling and the
// moving of rows and columns.  Painting, input and editing live in
// grid_paint.cpp, grid_input.cpp and grid_editing.cpp.
#include "framework/ui/grid/grid_widget.h"

#include "framework/exceptions.h"
#include "framework/ui/grid/inplace_editor.h"
#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/graphics/qt_text.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>

namespace ui {
namespace {

constexpr int kDefaultCount = 5;
constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;

[[noreturn]] void IndexOutOfRange() { throw EInvalidOperation("Grid index out of range"); }

}  // namespace

GridWidget::GridWidget(QWidget* parent)
    : QAbstractScrollArea(parent), cols_(kDefaultCount, kDefaultColWidth), rows_(kDefaultCount, kDefaultRowHeight) {
    font_ = DefaultFont();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setTracking(false);
    horizontalScrollBar()->setTracking(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!updatingScrollBars_) SetTopLeft(leftCol_, v);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        if (!updatingScrollBars_) SetTopLeft(v, topRow_);
    });
    UpdateLineWidths();
    UpdateScrollBars();
}

GridWidget::~GridWidget() {
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
}

// ---- Size ----------------------------------------------------------------

void GridWidget::SetColCount(int count) {
    count = std::max(1, count);
    const int oldCols = ColCount();
    if (count == oldCols) return;
    if (editCell_.IsValid() && editCell_.x >= count) HideEdit();
    if (fixedCols_ >= count) fixedCols_ = count - 1;
    cols_.SetCount(count);
    SizeChanged(oldCols, RowCount());
    LayoutChanged();
}

void GridWidget::SetRowCount(int count) {
    count = std::max(1, count);
    const int oldRows = RowCount();
    if (count == oldRows) return;
    if (editCell_.IsValid() && editCell_.y >= count) HideEdit();
    if (fixedRows_ >= count) fixedRows_ = count - 1;
    rows_.SetCount(count);
    SizeChanged(ColCount(), oldRows);
    LayoutChanged();
}

// After the counts changed: the current cell, the scroll range, the first
// cells shown and the editor follow, and the whole grid repaints.
void GridWidget::LayoutChanged() {
    ClampCurrent();
    UpdateScrollBars();
    SetTopLeft(leftCol_, topRow_);
    UpdateEdit();
    InvalidateGrid();
}

void GridWidget::SetFixedCols(int count) {
    if (count < 0 || count >= ColCount()) throw EInvalidOperation("Fixed column count must be less than column count");
    if (count == fixedCols_) return;
    fixedCols_ = count;
    LayoutChanged();
}

void GridWidget::SetFixedRows(int count) {
    if (count < 0 || count >= RowCount()) throw EInvalidOperation("Fixed row count must be less than row count");
    if (count == fixedRows_) return;
    fixedRows_ = count;
    LayoutChanged();
}

void GridWidget::SetDefaultColWidth(int width) {
    cols_.SetDefaultSize(width);
    ColWidthsChanged();
}

void GridWidget::SetDefaultRowHeight(int height) {
    rows_.SetDefaultSize(height);
    RowHeightsChanged();
}

int GridWidget::ColWidth(int col) const {
    if (col < 0 || col >= ColCount()) IndexOutOfRange();
    return cols_.Size(col);
}

void GridWidget::SetColWidth(int col, int width) {
    if (col < 0 || col >= ColCount()) IndexOutOfRange();
    if (std::max(0, width) == cols_.Size(col)) return;
    cols_.SetSize(col, width);
    ColWidthsChanged();
}

int GridWidget::RowHeight(int row) const {
    if (row < 0 || row >= RowCount()) IndexOutOfRange();
    return rows_.Size(row);
}

void GridWidget::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount()) IndexOutOfRange();
    if (std::max(0, height) == rows_.Size(row)) return;
    rows_.SetSize(row, height);
    RowHeightsChanged();
}

void GridWidget::SetColWidths(const std::vector<int>& widths) {
    const size_t n = std::min(widths.size(), static_cast<size_t>(ColCount()));
    for (size_t i = 0; i < n; ++i) cols_.SetSize(static_cast<int>(i), widths[i]);
    ColWidthsChanged();
}

void GridWidget::SetRowHeights(const std::vector<int>& heights) {
    const size_t n = std::min(heights.size(), static_cast<size_t>(RowCount()));
    for (size_t i = 0; i < n; ++i) rows_.SetSize(static_cast<int>(i), heights[i]);
    RowHeightsChanged();
}

void GridWidget::SetGridLineWidth(int width) {
    lineWidth_ = std::max(0, width);
    UpdateLineWidths();
    UpdateScrollBars();
    PlaceEditor();
    InvalidateGrid();
}

void GridWidget::ColWidthsChanged() {
    UpdateScrollBars();
    SetTopLeft(leftCol_, topRow_);
    PlaceEditor();
    InvalidateGrid();
    if (onColWidthsChanged) onColWidthsChanged();
}

void GridWidget::RowHeightsChanged() {
    UpdateScrollBars();
    SetTopLeft(leftCol_, topRow_);
    PlaceEditor();
    InvalidateGrid();
    if (onRowHeightsChanged) onRowHeightsChanged();
}

// ---- Look and behaviour ---------------------------------------------------

void GridWidget::SetOptions(GridOptions options) {
    if (options == options_) return;
    const GridOptions old = options_;
    options_ = options;
    verticalScrollBar()->setTracking(HasOption(goThumbTracking));
    horizontalScrollBar()->setTracking(HasOption(goThumbTracking));
    if ((old ^ options_) & (goFixedVertLine | goVertLine | goFixedHorzLine | goHorzLine)) {
        UpdateLineWidths();
        UpdateScrollBars();
    }
    if (HasOption(goRowSelect) && !(old & goRowSelect)) anchor_.x = current_.x;
    if (HasOption(goEditing) && HasOption(goAlwaysShowEditor)) editorMode_ = true;
    UpdateEdit();
    InvalidateGrid();
}

void GridWidget::SetDefaultDrawing(bool on) {
    defaultDrawing_ = on;
    InvalidateGrid();
}

void GridWidget::SetCellFont(const Font& font) {
    font_ = font;
    if (editor_) editor_->setFont(ToQFont(font_));
    InvalidateGrid();
}

int GridWidget::CellTextWidth(std::string_view text) const {
    return QFontMetrics(ToQFont(font_)).horizontalAdvance(ToQt(text));
}

void GridWidget::SetCellColor(Color color) {
    color_ = color;
    InvalidateGrid();
}

void GridWidget::SetFixedColor(Color color) {
    fixedColor_ = color;
    InvalidateGrid();
}

// ---- Geometry -------------------------------------------------------------

void GridWidget::UpdateLineWidths() {
    const bool vert = HasOption(goFixedVertLine) || HasOption(goVertLine);
    const bool horz = HasOption(goFixedHorzLine) || HasOption(goHorzLine);
    cols_.SetLineWidth(vert ? lineWidth_ : 0);
    rows_.SetLineWidth(horz ? lineWidth_ : 0);
}

int64_t GridWidget::ColX(int col) const {
    if (col < fixedCols_) return cols_.Start(col);
    return FixedWidth() + cols_.Start(col) - cols_.Start(leftCol_);
}

int64_t GridWidget::RowY(int row) const {
    if (row < fixedRows_) return rows_.Start(row);
    return FixedHeight() + rows_.Start(row) - rows_.Start(topRow_);
}

// The first data item to show so that `item` ends within `avail` pixels.
int GridWidget::FirstToShow(const GridAxis& axis, int fixed, int item, int64_t avail) {
    const int64_t end = axis.Start(item + 1);
    const int64_t target = end - avail;
    if (target <= axis.Start(fixed)) return fixed;
    int first = axis.IndexAt(target);
    if (first < axis.Count() && axis.Start(first) < target) ++first;
    return std::clamp(first, fixed, item);
}

int GridWidget::MaxTopRow() const {
    const int last = RowCount() - 1;
    if (last < fixedRows_) return fixedRows_;
    return FirstToShow(rows_, fixedRows_, last, viewport()->height() - FixedHeight());
}

int GridWidget::MaxLeftCol() const {
    const int last = ColCount() - 1;
    if (last < fixedCols_) return fixedCols_;
    return FirstToShow(cols_, fixedCols_, last, viewport()->width() - FixedWidth());
}

int GridWidget::VisibleRowCount() const {
    const int64_t end = rows_.Start(topRow_) + (viewport()->height() - FixedHeight());
    int m = rows_.IndexAt(end);
    if (m < 0) return 0;
    return std::max(0, std::min(m, RowCount()) - topRow_);
}

int GridWidget::VisibleColCount() const {
    const int64_t end = cols_.Start(leftCol_) + (viewport()->width() - FixedWidth());
    int m = cols_.IndexAt(end);
    if (m < 0) return 0;
    return std::max(0, std::min(m, ColCount()) - leftCol_);
}

Rect GridWidget::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_)) return {};
    const int64_t x = ColX(col);
    const int64_t y = RowY(row);
    if (x >= viewport()->width() || y >= viewport()->height()) return {};
    if (col >= fixedCols_ && x < FixedWidth()) return {};
    if (row >= fixedRows_ && y < FixedHeight()) return {};
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    Rect r{left, top, left + cols_.Size(col), top + rows_.Size(row)};
    if (r.IsEmpty()) return {};
    return r;
}

GridCoord GridWidget::MouseCoord(int x, int y) const {
    GridCoord c;
    if (x >= 0 && x < viewport()->width()) {
        const int64_t fw = FixedWidth();
        const int i = x < fw ? cols_.IndexAt(x) : cols_.IndexAt(x - fw + cols_.Start(leftCol_));
        if (i >= 0 && i < ColCount()) c.x = i;
    }
    if (y >= 0 && y < viewport()->height()) {
        const int64_t fh = FixedHeight();
        const int i = y < fh ? rows_.IndexAt(y) : rows_.IndexAt(y - fh + rows_.Start(topRow_));
        if (i >= 0 && i < RowCount()) c.y = i;
    }
    return c;
}

void GridWidget::MouseToCell(int x, int y, int& col, int& row) const {
    const GridCoord c = MouseCoord(x, y);
    col = c.x;
    row = c.y;
}

// ---- Scrolling ------------------------------------------------------------

void GridWidget::UpdateScrollBars() {
    updatingScrollBars_ = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(fixedRows_, std::max(fixedRows_, MaxTopRow()));
    v->setPageStep(std::max(1, VisibleRowCount()));
    v->setSingleStep(1);
    v->setValue(topRow_);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    h->setPageStep(std::max(1, VisibleColCount()));
    h->setSingleStep(1);
    h->setValue(leftCol_);
    updatingScrollBars_ = false;
}

void GridWidget::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    UpdateScrollBars();
    SetTopLeft(leftCol_, topRow_);
    PlaceEditor();
}

void GridWidget::SetTopLeft(int left, int top) {
    left = std::clamp(left, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    top = std::clamp(top, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    if (left == leftCol_ && top == topRow_) return;
    leftCol_ = left;
    topRow_ = top;
    UpdateScrollBars();
    InvalidateGrid();
    Tell([&] { hooks_->TopLeftChanged(); });
}

void GridWidget::SetTopRow(int row) { SetTopLeft(leftCol_, row); }

void GridWidget::SetLeftCol(int col) { SetTopLeft(col, topRow_); }

void GridWidget::ScrollInView(int col, int row) {
    int top = topRow_;
    int left = leftCol_;
    if (row >= fixedRows_) {
        if (row < topRow_)
            top = row;
        else
            top = std::max(top, FirstToShow(rows_, fixedRows_, row, viewport()->height() - FixedHeight()));
    }
    if (col >= fixedCols_ && !HasOption(goRowSelect)) {
        if (col < leftCol_)
            left = col;
        else
            left = std::max(left, FirstToShow(cols_, fixedCols_, col, viewport()->width() - FixedWidth()));
    }
    SetTopLeft(left, top);
}

void GridWidget::TopLeftChanged() {
    PlaceEditor();
    if (onTopLeftChanged) onTopLeftChanged();
}

// ---- Current cell and selection ------------------------------------------

void GridWidget::ClampCurrent() {
    auto clampCoord = [this](GridCoord& c) {
        c.x = std::clamp(c.x, std::min(fixedCols_, ColCount() - 1), ColCount() - 1);
        c.y = std::clamp(c.y, std::min(fixedRows_, RowCount() - 1), RowCount() - 1);
    };
    clampCoord(current_);
    clampCoord(anchor_);
    leftCol_ = std::max(leftCol_, fixedCols_);
    topRow_ = std::max(topRow_, fixedRows_);
}

bool GridWidget::SelectCell(int col, int row) {
    bool canSelect = true;
    if (onSelectCell) onSelectCell(col, row, canSelect);
    return canSelect;
}

bool GridWidget::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
    if (ColCount() <= fixedCols_ || RowCount() <= fixedRows_) return false;
    col = std::clamp(col, fixedCols_, ColCount() - 1);
    row = std::clamp(row, fixedRows_, RowCount() - 1);
    const GridCoord target{col, row};
    if (target != current_ && !Ask(true, [&] { return hooks_->SelectCell(col, row); })) return false;
    current_ = target;
    if (moveAnchor || !HasOption(goRangeSelect)) anchor_ = current_;
    if (HasOption(goEditing) && HasOption(goAlwaysShowEditor)) editorMode_ = true;
    if (show) ScrollInView(col, row);
    UpdateEdit();
    InvalidateGrid();
    return true;
}

void GridWidget::FocusCell(int col, int row, bool moveAnchor) {
    const GridCoord before = current_;
    if (MoveCurrent(col, row, moveAnchor, true) && current_ != before) Tell([&] { hooks_->Click(); });
}

void GridWidget::SetCol(int col) {
    if (col < 0 || col >= ColCount()) IndexOutOfRange();
    FocusCell(col, current_.y, true);
}

void GridWidget::SetRow(int row) {
    if (row < 0 || row >= RowCount()) IndexOutOfRange();
    FocusCell(current_.x, row, true);
}

GridRect GridWidget::Selection() const {
    GridRect r{std::min(anchor_.x, current_.x), std::min(anchor_.y, current_.y), std::max(anchor_.x, current_.x),
               std::max(anchor_.y, current_.y)};
    if (HasOption(goRowSelect)) {
        r.left = fixedCols_;
        r.right = ColCount() - 1;
    }
    return r;
}

void GridWidget::SetSelection(const GridRect& selection) {
    anchor_ = {selection.left, selection.top};
    current_ = {selection.right, selection.bottom};
    ClampCurrent();
    UpdateEdit();
    InvalidateGrid();
}

void GridWidget::Click() {
    if (onClick) onClick();
}

void GridWidget::DblClick() {
    if (onDblClick) onDblClick();
}

// ---- Moving rows and columns ---------------------------------------------

int GridWidget::AdjustForMove(int index, int from, int to) const {
    if (index == from) return to;
    if (from < to && index > from && index <= to) return index - 1;
    if (to < from && index >= to && index < from) return index + 1;
    return index;
}

void GridWidget::MoveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= RowCount() || to >= RowCount()) IndexOutOfRange();
    if (from == to) return;
    HideEdit();
    rows_.MoveItem(from, to);
    MoveRowData(from, to);
    current_.y = AdjustForMove(current_.y, from, to);
    anchor_.y = AdjustForMove(anchor_.y, from, to);
    ClampCurrent();
    Tell([&] { hooks_->RowMoved(from, to); });
    UpdateScrollBars();
    UpdateEdit();
    InvalidateGrid();
}

void GridWidget::MoveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= ColCount() || to >= ColCount()) IndexOutOfRange();
    if (from == to) return;
    HideEdit();
    cols_.MoveItem(from, to);
    MoveColData(from, to);
    current_.x = AdjustForMove(current_.x, from, to);
    anchor_.x = AdjustForMove(anchor_.x, from, to);
    ClampCurrent();
    Tell([&] { hooks_->ColumnMoved(from, to); });
    UpdateScrollBars();
    UpdateEdit();
    InvalidateGrid();
}

void GridWidget::RowMoved(int from, int to) {
    if (onRowMoved) onRowMoved(from, to);
}

void GridWidget::ColumnMoved(int from, int to) {
    if (onColMoved) onColMoved(from, to);
}

// ---- Repainting -------------------------------------------------------------

void GridWidget::InvalidateCell(int col, int row) {
    const Rect r = CellRect(col, row);
    if (!r.IsEmpty()) viewport()->update(ToQRect(r.Inflated(lineWidth_, lineWidth_)));
}

void GridWidget::InvalidateRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (row >= fixedRows_ && row < topRow_) return;
    const int64_t y = RowY(row);
    if (y >= viewport()->height()) return;
    viewport()->update(0, static_cast<int>(y) - lineWidth_, viewport()->width(), rows_.Size(row) + 2 * lineWidth_);
}

void GridWidget::InvalidateCol(int col) {
    if (col < 0 || col >= ColCount()) return;
    if (col >= fixedCols_ && col < leftCol_) return;
    const int64_t x = ColX(col);
    if (x >= viewport()->width()) return;
    viewport()->update(static_cast<int>(x) - lineWidth_, 0, cols_.Size(col) + 2 * lineWidth_, viewport()->height());
}

void GridWidget::InvalidateGrid() { viewport()->update(); }

// ---- Cancel mode ------------------------------------------------------------

void GridWidget::SendCancelMode(QWidget* cause) { CancelMode(cause); }

void GridWidget::CancelMode(QWidget*) {
    if (state_ != GridState::Normal) EndDrag(false);
}

}  // namespace ui
