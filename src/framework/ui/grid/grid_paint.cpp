// The grid's painting loop: every visible cell gets its background, is
// drawn by DrawCell and, when fixed, gets its 3-D edges; then the lines,
// the focus frame and the mark of a row or column being moved.  Only the
// visible columns and rows are walked, whatever the grid holds.
#include "framework/ui/grid/grid_widget.h"

#include "framework/ui/grid/inplace_editor.h"
#include "framework/ui/graphics/qt_graphics.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace ui {
namespace {

// The canvas is valid for one paint event only.
struct CanvasScope {
    Canvas*& slot;
    CanvasScope(Canvas*& s, Canvas& c) : slot(s) { slot = &c; }
    ~CanvasScope() { slot = nullptr; }
};

void Fill(QPainter& p, int left, int top, int right, int bottom, const QColor& c) {
    if (right > left && bottom > top) p.fillRect(left, top, right - left, bottom - top, c);
}

}  // namespace

Canvas& GridWidget::GetCanvas() {
    Q_ASSERT(canvas_);
    return *canvas_;
}

bool GridWidget::GridHasFocus() const {
    return hasFocus() || viewport()->hasFocus() || (editor_ && editor_->hasFocus());
}

std::vector<GridWidget::VisibleItem> GridWidget::VisibleItems(const GridAxis& axis, int fixed, int first,
                                                              int limit) const {
    std::vector<VisibleItem> items;
    int64_t pos = 0;
    for (int i = 0; i < fixed && pos < limit; ++i) {
        items.push_back({i, static_cast<int>(pos), axis.Size(i)});
        pos += axis.Extent(i);
    }
    for (int i = first; i < axis.Count() && pos < limit; ++i) {
        items.push_back({i, static_cast<int>(pos), axis.Size(i)});
        pos += axis.Extent(i);
    }
    return items;
}

void GridWidget::DrawCell(int col, int row, const Rect& rect, GridDrawState state) {
    if (onDrawCell) onDrawCell(col, row, rect, state);
}

void GridWidget::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    Canvas canvas(painter);
    CanvasScope scope(canvas_, canvas);

    const int width = viewport()->width();
    const int height = viewport()->height();
    const QRect dirty = e->rect();
    const auto cols = VisibleItems(cols_, fixedCols_, leftCol_, width);
    const auto rows = VisibleItems(rows_, fixedRows_, topRow_, height);
    const GridRect sel = Selection();
    const bool focused = GridHasFocus();
    const bool editorShown = EditorVisible();
    const bool highlightFocused = HasOption(goDrawFocusSelected) || HasOption(goRowSelect);
    unsigned edgeSides = 0;
    if (HasOption(goFixedVertLine)) edgeSides |= kSideLeft | kSideRight;
    if (HasOption(goFixedHorzLine)) edgeSides |= kSideTop | kSideBottom;

    for (const VisibleItem& r : rows) {
        for (const VisibleItem& c : cols) {
            const Rect rect{c.pos, r.pos, c.pos + c.size, r.pos + r.size};
            if (rect.IsEmpty() || !dirty.intersects(ToQRect(rect))) continue;
            const bool fixed = c.index < fixedCols_ || r.index < fixedRows_;
            GridDrawState state = 0;
            if (fixed) {
                state |= gdFixed;
            } else {
                const bool isCurrent = c.index == current_.x && r.index == current_.y;
                if (isCurrent && editorShown && editCell_ == current_) continue;  // the editor covers it
                if (isCurrent && focused) state |= gdFocused;
                if (sel.Contains(c.index, r.index)) state |= gdSelected;
            }
            if (defaultDrawing_) {
                canvas.SetFont(font_);
                Color background = color_;
                if (fixed) {
                    background = fixedColor_;
                } else if ((state & gdSelected) && (!(state & gdFocused) || highlightFocused)) {
                    background = colors::Highlight;
                    canvas.SetFontColor(colors::HighlightText);
                }
                canvas.SetBrush(Brush{background, BrushStyle::Solid});
                canvas.FillRect(rect);
            }
            Tell([&] { hooks_->DrawCell(c.index, r.index, rect, state); });
            if (defaultDrawing_ && fixed && edgeSides) {
                canvas.DrawEdge(rect, kRaisedInner, edgeSides & kSideBottomRight);
                canvas.DrawEdge(rect, kRaisedInner, edgeSides & kSideTopLeft);
            }
        }
    }

    PaintLines(canvas, cols, rows, width, height);

    if (defaultDrawing_ && focused && !editorShown && !(HasOption(goEditing) && HasOption(goAlwaysShowEditor))) {
        Rect focus = CellRect(current_.x, current_.y);
        if (HasOption(goRowSelect) && !focus.IsEmpty()) {
            // Across the visible data columns of the current row.
            auto first = std::find_if(cols.begin(), cols.end(), [this](const VisibleItem& v) { return v.index >= fixedCols_; });
            if (first != cols.end()) {
                focus.left = first->pos;
                focus.right = cols.back().pos + cols.back().size;
            }
        }
        canvas.DrawFocusRect(focus);
    }
    PaintMoveMark(canvas);
    Tell([&] { hooks_->PaintDone(); });
}

void GridWidget::PaintLines(Canvas& canvas, const std::vector<VisibleItem>& cols,
                            const std::vector<VisibleItem>& rows, int width, int height) {
    QPainter& p = canvas.Painter();
    const QColor fixedLine = ToQColor(colors::Black);
    const QColor dataLine = ToQColor(color_ == colors::Silver ? colors::Gray : colors::Silver);
    const QColor fixedBack = ToQColor(fixedColor_);
    const QColor dataBack = ToQColor(color_);
    const int vline = cols_.LineWidth();
    const int hline = rows_.LineWidth();
    const int gridRight = cols.empty() ? 0 : std::min<int>(width, cols.back().pos + cols.back().size + vline);
    const int gridBottom = rows.empty() ? 0 : std::min<int>(height, rows.back().pos + rows.back().size + hline);
    const int fixedRight = static_cast<int>(std::min<int64_t>(FixedWidth(), gridRight));
    const int fixedBottom = static_cast<int>(std::min<int64_t>(FixedHeight(), gridBottom));
    const bool fixedVert = HasOption(goFixedVertLine);
    const bool fixedHorz = HasOption(goFixedHorzLine);

    // A gap without its line takes the background of the cells beside it.
    if (vline > 0) {
        for (const VisibleItem& c : cols) {
            const int x = c.pos + c.size;
            Fill(p, x, 0, x + vline, fixedBottom, fixedVert ? fixedLine : fixedBack);
            if (c.index < fixedCols_)
                Fill(p, x, fixedBottom, x + vline, gridBottom, fixedVert ? fixedLine : fixedBack);
            else
                Fill(p, x, fixedBottom, x + vline, gridBottom, HasOption(goVertLine) ? dataLine : dataBack);
        }
    }
    if (hline > 0) {
        for (const VisibleItem& r : rows) {
            const int y = r.pos + r.size;
            Fill(p, 0, y, fixedRight, y + hline, fixedHorz ? fixedLine : fixedBack);
            if (r.index < fixedRows_)
                Fill(p, fixedRight, y, gridRight, y + hline, fixedHorz ? fixedLine : fixedBack);
            else
                Fill(p, fixedRight, y, gridRight, y + hline, HasOption(goHorzLine) ? dataLine : dataBack);
        }
    }
    // What lies beyond the last column and row.
    Fill(p, gridRight, 0, width, height, dataBack);
    Fill(p, 0, gridBottom, gridRight, height, dataBack);
}

void GridWidget::PaintMoveMark(Canvas& canvas) {
    if ((state_ != GridState::RowMoving && state_ != GridState::ColMoving) || moveTarget_ < 0) return;
    if (moveTarget_ == dragIndex_) return;
    QPainter& p = canvas.Painter();
    const QColor mark = ToQColor(colors::Highlight);
    if (state_ == GridState::RowMoving) {
        if (moveTarget_ >= fixedRows_ && moveTarget_ < topRow_) return;
        const int64_t top = RowY(moveTarget_);
        const int y = static_cast<int>(moveTarget_ > dragIndex_ ? top + rows_.Size(moveTarget_) : top);
        if (y > viewport()->height()) return;
        Fill(p, 0, y - 1, viewport()->width(), y + 1, mark);
    } else {
        if (moveTarget_ >= fixedCols_ && moveTarget_ < leftCol_) return;
        const int64_t left = ColX(moveTarget_);
        const int x = static_cast<int>(moveTarget_ > dragIndex_ ? left + cols_.Size(moveTarget_) : left);
        if (x > viewport()->width()) return;
        Fill(p, x - 1, 0, x + 1, viewport()->height(), mark);
    }
}

}  // namespace ui
