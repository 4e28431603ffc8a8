// The grid's mouse and keyboard handling: Qt events become the input steps
// (MouseDown, KeyDown, KeyPress, ...), whose bases select cells, size and
// move columns and rows, navigate and start the editor; and the watch over
// the window that reports presses on other controls (cancel mode).
#include "framework/ui/grid/grid_widget.h"

#include "framework/ui/grid/inplace_editor.h"
#include "framework/ui/graphics/qt_text.h"
#include "framework/ui/core/qt_input.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace ui {
namespace {

// Pixels on either side of a border that still grab it for sizing.
constexpr int kSizingSlack = 2;
// A release this long after its key's first press may be half of a
// repeat (no keyboard repeats sooner); it waits this long for its press.
constexpr uint64_t kRepeatAfterMs = 100;
constexpr int kHeldBackMs = 50;

}  // namespace

// ---- Qt events --------------------------------------------------------------

void GridWidget::mousePressEvent(QMouseEvent* e) {
    if (!SendHeldBackRelease(false)) return;
    MouseButton b;
    if (!MouseButtonOf(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    Tell([&] { hooks_->MouseDown(b, ShiftStateOf(*e), p.x(), p.y()); });
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    MouseButton b;
    if (!MouseButtonOf(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    if (b == MouseButton::Left) Tell([&] { hooks_->DblClick(); });
    Tell([&] { hooks_->MouseDown(b, ShiftStateOf(*e), p.x(), p.y()); });
}

void GridWidget::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    Tell([&] { hooks_->MouseMove(ShiftStateOf(*e), p.x(), p.y()); });
}

void GridWidget::mouseReleaseEvent(QMouseEvent* e) {
    MouseButton b;
    if (!MouseButtonOf(e->button(), b)) return;
    const QPoint p = e->position().toPoint();
    Tell([&] { hooks_->MouseUp(b, ShiftStateOf(*e), p.x(), p.y()); });
}

namespace {

// Notes for the length of one key event whether it repeats a held key (a
// handler may free the grid meanwhile).
class AutoRepeatScope {
public:
    AutoRepeatScope(GridWidget* grid, bool& flag, bool repeat) : grid_(grid), flag_(flag), was_(flag) {
        flag_ = repeat;
    }
    ~AutoRepeatScope() {
        if (grid_) flag_ = was_;
    }
    AutoRepeatScope(const AutoRepeatScope&) = delete;
    AutoRepeatScope& operator=(const AutoRepeatScope&) = delete;

private:
    QPointer<GridWidget> grid_;
    bool& flag_;
    bool was_;
};

}  // namespace

bool GridWidget::SendHeldBackRelease(bool repeat) {
    if (!heldBackRelease_) return true;
    HeldBackRelease release = *heldBackRelease_;
    heldBackRelease_.reset();
    heldBackTimer_->stop();
    QPointer<GridWidget> self(this);
    {
        const AutoRepeatScope scope(this, keyAutoRepeat_, repeat);
        HookKeyUp(release.key, release.shift);
    }
    return !self.isNull();
}

void GridWidget::keyPressEvent(QKeyEvent* e) {
    int code = KeyCodeOf(*e);
    bool repeats = e->isAutoRepeat();
    if (heldBackRelease_) {
        const bool half = code != 0 && heldBackRelease_->key == code && heldBackRelease_->time == e->timestamp();
        if (!SendHeldBackRelease(half)) return;
        repeats = repeats || half;
    }
    if (!repeats || code != lastPressKey_) lastPressTime_ = e->timestamp();
    lastPressKey_ = code;
    lastPressRepeated_ = repeats;
    const AutoRepeatScope repeat(this, keyAutoRepeat_, repeats);
    if (code != 0) HookKeyDown(code, ShiftStateOf(*e));
    const QString text = e->text();
    if (text.isEmpty()) return;
    // Each cp932 byte of the typed character goes through KeyPress; the
    // bytes that survive are what the grid acts on.
    auto bytes = FromQt(text);
    if (!bytes) return;
    std::string kept;
    for (char b : *bytes) {
        char ch = b;
        HookKeyPress(ch);
        if (ch == 0) return;
        kept.push_back(ch);
    }
    const unsigned char first = static_cast<unsigned char>(kept[0]);
    if (kept == "\r") {
        EnterKey();
    } else if (first >= 0x20 && first != 0x7F && HasOption(goEditing) && !HasOption(goRowSelect)) {
        ShowEditor();
        if (EditorVisible()) TypeIntoEditor(ToEditQt(kept));
    }
}

void GridWidget::keyReleaseEvent(QKeyEvent* e) {
    int code = KeyCodeOf(*e);
    if (code == 0 || !SendHeldBackRelease(false)) return;
    const bool mayRepeat = !e->isAutoRepeat() && code == lastPressKey_ &&
                           (lastPressRepeated_ || e->timestamp() >= lastPressTime_ + kRepeatAfterMs);
    if (mayRepeat) {
        if (!heldBackTimer_) {
            heldBackTimer_ = new QTimer(this);
            heldBackTimer_->setSingleShot(true);
            connect(heldBackTimer_, &QTimer::timeout, this, [this] { SendHeldBackRelease(false); });
        }
        heldBackRelease_ = HeldBackRelease{code, ShiftStateOf(*e), e->timestamp()};
        heldBackTimer_->start(kHeldBackMs);
        return;
    }
    const AutoRepeatScope repeat(this, keyAutoRepeat_, e->isAutoRepeat());
    HookKeyUp(code, ShiftStateOf(*e));
}

void GridWidget::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    // While the editor shows, typing belongs to it.
    if (!takingFocus_ && EditorVisible()) editor_->setFocus(e->reason());
    InvalidateGrid();
}

void GridWidget::focusOutEvent(QFocusEvent* e) {
    if (!SendHeldBackRelease(false)) return;
    QAbstractScrollArea::focusOutEvent(e);
    InvalidateGrid();
}

void GridWidget::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    WatchWindow();
}

bool GridWidget::event(QEvent* e) {
    // With goTabs, Tab moves between cells instead of to the next control.
    if (e->type() == QEvent::KeyPress && HasOption(goTabs)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

// ---- Mouse ------------------------------------------------------------------

bool GridWidget::SizingHit(int x, int y, GridState& state, int& index) const {
    auto near = [](int64_t border, int line, int at) {
        return at >= border - kSizingSlack && at < border + line + kSizingSlack;
    };
    if (HasOption(goColSizing) && y >= 0 && y < FixedHeight()) {
        int c = MouseCoord(x, y).x;
        if (c < 0) c = ColCount() - 1;
        // The border right of the column under the mouse, or left of it.
        for (int k : {c, c == leftCol_ ? fixedCols_ - 1 : c - 1}) {
            if (k < 0 || (k >= fixedCols_ && k < leftCol_)) continue;
            if (near(ColX(k) + cols_.Size(k), cols_.LineWidth(), x)) {
                state = GridState::ColSizing;
                index = k;
                return true;
            }
        }
    }
    if (HasOption(goRowSizing) && x >= 0 && x < FixedWidth()) {
        int r = MouseCoord(x, y).y;
        if (r < 0) r = RowCount() - 1;
        for (int k : {r, r == topRow_ ? fixedRows_ - 1 : r - 1}) {
            if (k < 0 || (k >= fixedRows_ && k < topRow_)) continue;
            if (near(RowY(k) + rows_.Size(k), rows_.LineWidth(), y)) {
                state = GridState::RowSizing;
                index = k;
                return true;
            }
        }
    }
    return false;
}

void GridWidget::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (!GridHasFocus() && focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
    if (button != MouseButton::Left || (shift & kDouble)) return;

    GridState sizing;
    int index;
    if (SizingHit(x, y, sizing, index)) {
        state_ = sizing;
        dragIndex_ = index;
        dragOffset_ = sizing == GridState::ColSizing ? static_cast<int>(ColX(index) + cols_.Size(index) - x)
                                                     : static_cast<int>(RowY(index) + rows_.Size(index) - y);
        return;
    }
    const GridCoord cell = MouseCoord(x, y);
    if (!cell.IsValid()) return;
    if (cell.x < fixedCols_ || cell.y < fixedRows_) {
        if (HasOption(goColMoving) && cell.y < fixedRows_ && cell.x >= fixedCols_) {
            state_ = GridState::ColMoving;
            dragIndex_ = moveTarget_ = cell.x;
        } else if (HasOption(goRowMoving) && cell.x < fixedCols_ && cell.y >= fixedRows_) {
            state_ = GridState::RowMoving;
            dragIndex_ = moveTarget_ = cell.y;
        }
        if (state_ != GridState::Normal) viewport()->setCursor(Qt::DragMoveCursor);
        return;
    }
    const bool extend = (shift & kShift) && HasOption(goRangeSelect);
    if (HasOption(goEditing) && !HasOption(goRowSelect) && cell == current_ && !extend) {
        ShowEditor();
        return;
    }
    // A click elsewhere ends editing (unless the editor is always shown).
    if (cell != current_ && editorMode_ && !HasOption(goAlwaysShowEditor)) HideEditor();
    if (extend) {
        anchor_ = cell;
        InvalidateGrid();
    } else {
        FocusCell(cell.x, cell.y, true);
    }
    if (HasOption(goRangeSelect)) state_ = GridState::Selecting;
}

void GridWidget::MouseMove(ShiftState, int x, int y) {
    if (state_ != GridState::Normal) {
        DragMove(x, y);
        return;
    }
    GridState hit;
    int index;
    if (SizingHit(x, y, hit, index))
        viewport()->setCursor(hit == GridState::ColSizing ? Qt::SplitHCursor : Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
}

void GridWidget::MouseUp(MouseButton button, ShiftState, int, int) {
    if (button == MouseButton::Left && state_ != GridState::Normal) EndDrag(true);
}

void GridWidget::DragMove(int x, int y) {
    const int64_t fh = FixedHeight();
    const int64_t fw = FixedWidth();
    const int h = viewport()->height();
    const int w = viewport()->width();
    switch (state_) {
        case GridState::ColSizing:
            SetColWidth(dragIndex_, std::max(1, static_cast<int>(x + dragOffset_ - ColX(dragIndex_))));
            break;
        case GridState::RowSizing:
            SetRowHeight(dragIndex_, std::max(1, static_cast<int>(y + dragOffset_ - RowY(dragIndex_))));
            break;
        case GridState::RowMoving: {
            // Beyond the data area the grid scrolls one row per move.
            int target;
            if (y < fh) {
                SetTopRow(topRow_ - 1);
                target = topRow_;
            } else if (y >= h) {
                SetTopRow(topRow_ + 1);
                target = topRow_ + std::max(0, VisibleRowCount() - 1);
            } else {
                target = MouseCoord(0, y).y;
                if (target < 0) target = RowCount() - 1;
            }
            target = std::clamp(target, fixedRows_, RowCount() - 1);
            if (target != moveTarget_) {
                moveTarget_ = target;
                InvalidateGrid();
            }
            break;
        }
        case GridState::ColMoving: {
            int target;
            if (x < fw) {
                SetLeftCol(leftCol_ - 1);
                target = leftCol_;
            } else if (x >= w) {
                SetLeftCol(leftCol_ + 1);
                target = leftCol_ + std::max(0, VisibleColCount() - 1);
            } else {
                target = MouseCoord(x, 0).x;
                if (target < 0) target = ColCount() - 1;
            }
            target = std::clamp(target, fixedCols_, ColCount() - 1);
            if (target != moveTarget_) {
                moveTarget_ = target;
                InvalidateGrid();
            }
            break;
        }
        case GridState::Selecting: {
            if (y >= h) SetTopRow(topRow_ + 1);
            if (y < fh) SetTopRow(topRow_ - 1);
            if (x >= w) SetLeftCol(leftCol_ + 1);
            if (x < fw) SetLeftCol(leftCol_ - 1);
            GridCoord c = MouseCoord(std::clamp(x, static_cast<int>(std::min<int64_t>(fw, w - 1)), w - 1),
                                     std::clamp(y, static_cast<int>(std::min<int64_t>(fh, h - 1)), h - 1));
            if (c.x < 0) c.x = ColCount() - 1;
            if (c.y < 0) c.y = RowCount() - 1;
            c.x = std::max(c.x, fixedCols_);
            c.y = std::max(c.y, fixedRows_);
            if (c != anchor_) {
                anchor_ = c;
                InvalidateGrid();
            }
            break;
        }
        case GridState::Normal: break;
    }
}

void GridWidget::EndDrag(bool apply) {
    const GridState was = state_;
    const int from = dragIndex_;
    const int to = moveTarget_;
    state_ = GridState::Normal;
    dragIndex_ = moveTarget_ = -1;
    viewport()->unsetCursor();
    InvalidateGrid();
    if (!apply || from < 0 || to < 0 || from == to) return;
    if (was == GridState::RowMoving) MoveRow(from, to);
    if (was == GridState::ColMoving) MoveColumn(from, to);
}

// ---- Keyboard ---------------------------------------------------------------

void GridWidget::HookKeyDown(int& key, ShiftState shift) {
    uint16_t k = static_cast<uint16_t>(key);
    if (!RunGuarded([&] { hooks_->KeyDown(k, shift); })) k = 0;
    key = k;
}

void GridWidget::HookKeyUp(int& key, ShiftState shift) {
    uint16_t k = static_cast<uint16_t>(key);
    if (!RunGuarded([&] { hooks_->KeyUp(k, shift); })) k = 0;
    key = k;
}

void GridWidget::HookKeyPress(char& key) {
    if (!RunGuarded([&] { hooks_->KeyPress(key); })) key = 0;
}

void GridWidget::KeyDown(uint16_t& key, ShiftState shift) {
    if (onKeyDown) {
        int k = key;
        onKeyDown(k, shift);
        key = static_cast<uint16_t>(k);
    }
    if (key == 0) return;
    const bool rowSelect = HasOption(goRowSelect);
    const bool ctrl = shift & kCtrl;
    bool extend = (shift & kShift) && HasOption(goRangeSelect);
    const int page = std::max(1, VisibleRowCount());
    GridCoord p = extend ? anchor_ : current_;
    int top = topRow_;
    switch (key) {
        case key::Up: --p.y; break;
        case key::Down: ++p.y; break;
        case key::Left:
            if (rowSelect) return SetLeftCol(leftCol_ - 1);
            --p.x;
            break;
        case key::Right:
            if (rowSelect) return SetLeftCol(leftCol_ + 1);
            ++p.x;
            break;
        case key::PageUp:
            p.y -= page;
            top -= page;
            break;
        case key::PageDown:
            p.y += page;
            top += page;
            break;
        case key::Home:
            if (ctrl || rowSelect) p.y = fixedRows_;
            if (!rowSelect) p.x = fixedCols_;
            break;
        case key::End:
            if (ctrl || rowSelect) p.y = RowCount() - 1;
            if (!rowSelect) p.x = ColCount() - 1;
            break;
        case key::Tab:
            if (!HasOption(goTabs) || (shift & kAlt)) return;
            extend = false;
            p = current_;
            if (shift & kShift) {
                if (rowSelect || --p.x < fixedCols_) {
                    p.x = ColCount() - 1;
                    --p.y;
                }
            } else {
                if (rowSelect || ++p.x >= ColCount()) {
                    p.x = fixedCols_;
                    ++p.y;
                }
            }
            if (rowSelect) p.x = current_.x;
            if (p.y < fixedRows_ || p.y >= RowCount()) return;  // no cell before the first or after the last
            break;
        case key::F2:
            if (HasOption(goEditing)) ShowEditor();
            return;
        default: return;
    }
    p.x = std::clamp(p.x, fixedCols_, ColCount() - 1);
    p.y = std::clamp(p.y, fixedRows_, RowCount() - 1);
    if (top != topRow_) SetTopRow(top);
    if (extend) {
        anchor_ = p;
        ScrollInView(p.x, p.y);
        InvalidateGrid();
    } else {
        FocusCell(p.x, p.y, true);
    }
}

void GridWidget::KeyUp(uint16_t& key, ShiftState shift) {
    if (!onKeyUp) return;
    int k = key;
    onKeyUp(k, shift);
    key = static_cast<uint16_t>(k);
}

void GridWidget::KeyPress(char& key) {
    if (onKeyPress) onKeyPress(key);
}

void GridWidget::EnterKey() {
    if (!HasOption(goEditing) || HasOption(goRowSelect)) return;
    if (!EditorVisible()) {
        ShowEditor();
    } else if (HasOption(goAlwaysShowEditor)) {
        UpdateText();
        editor_->SelectAll();
    } else {
        HideEditor();
    }
}

// ---- Cancel mode ------------------------------------------------------------

void GridWidget::WatchWindow() {
    QWidget* top = window();
    QWindow* w = top ? top->windowHandle() : nullptr;
    if (w == watchedWindow_) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = w;
    if (w) w->installEventFilter(this);
}

QWidget* GridWidget::ControlOf(QWidget* w) const {
    if (!w) return nullptr;
    if (editor_ && (w == editor_ || editor_->isAncestorOf(w))) return editor_;
    if (w == this || isAncestorOf(w)) return const_cast<GridWidget*>(this);
    return w;
}

bool GridWidget::eventFilter(QObject* watched, QEvent* e) {
    // A press reaches the window before any widget, so the control that
    // had the focus is still known: when it is this grid or its editor and
    // the press is on another control, the grid hears of it.
    if (watched == watchedWindow_ && e->type() == QEvent::MouseButtonPress) {
        QWidget* top = window();
        QWidget* active = ControlOf(top ? top->focusWidget() : nullptr);
        if (active && (active == this || active == editor_)) {
            const QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
            QWidget* target = top->childAt(at);
            QWidget* cause = ControlOf(target ? target : top);
            if (cause != active) SendCancelMode(cause);
        }
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

}  // namespace ui
