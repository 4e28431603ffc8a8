#include "framework/ui/grid/grid_host.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/core/window_switch.h"
#include "framework/ui/grid/grids.h"
#include "framework/ui/grid/inplace_editor.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>

namespace ui {

GridHost::GridHost(TCustomGrid* grid) : grid_(grid) {}

void GridHost::DrawCell(int col, int row, const Rect& rect, GridDrawState state) {
    if (grid_) RunGuarded([&] { grid_->DrawCell(col, row, rect, state); });
}

void GridHost::PaintDone() {
    if (grid_) RunGuarded([&] { grid_->PaintDone(); });
}

bool GridHost::CanEditShow() {
    bool show = false;
    if (grid_) RunGuarded([&] { show = grid_->CanEditShow(); });
    return show;
}

InplaceEditor* GridHost::CreateEditor() {
    InplaceEditor* editor = nullptr;
    if (grid_) RunGuarded([&] { editor = grid_->CreateEditor(); });
    // The editor's focus is the grid's focus.
    if (editor) editor->installEventFilter(this);
    return editor;
}

std::string GridHost::GetEditMask(int col, int row) {
    std::string mask;
    if (grid_) RunGuarded([&] { mask = grid_->GetEditMask(col, row); });
    return mask;
}

int GridHost::GetEditLimit() {
    int limit = 0;
    if (grid_) RunGuarded([&] { limit = grid_->GetEditLimit(); });
    return limit;
}

std::string GridHost::GetEditText(int col, int row) {
    std::string text;
    if (grid_) RunGuarded([&] { text = grid_->GetEditText(col, row); });
    return text;
}

void GridHost::SetEditText(int col, int row, const std::string& text) {
    if (grid_) RunGuarded([&] { grid_->SetEditText(col, row, text); });
}

void GridHost::TopLeftChanged() {
    if (grid_)
        RunGuarded([&] { grid_->TopLeftChanged(); });
    else
        GridWidget::TopLeftChanged();
}

void GridHost::CancelMode(QWidget* cause) {
    if (!grid_) return GridWidget::CancelMode(cause);
    TControl* control = TControl::FromWidget(cause);
    RunGuarded([&] { grid_->CancelMode(control); });
}

bool GridHost::SelectCell(int col, int row) {
    bool can = true;
    if (grid_) RunGuarded([&] { can = grid_->SelectCell(col, row); });
    return can;
}

void GridHost::RowMoved(int from, int to) {
    if (grid_) RunGuarded([&] { grid_->RowMoved(from, to); });
}

void GridHost::ColumnMoved(int from, int to) {
    if (grid_) RunGuarded([&] { grid_->ColumnMoved(from, to); });
}

void GridHost::Click() {
    if (grid_) RunGuarded([&] { grid_->Click(); });
}

void GridHost::DblClick() {
    if (grid_) RunGuarded([&] { grid_->DblClick(); });
}

void GridHost::KeyDown(int& key, ShiftState shift) {
    if (!grid_) return GridWidget::KeyDown(key, shift);
    uint16_t k = static_cast<uint16_t>(key);
    // A handler that fails keeps the key from the grid.
    if (!RunGuarded([&] { grid_->KeyDown(k, shift); })) k = 0;
    key = k;
}

void GridHost::KeyUp(int& key, ShiftState shift) {
    if (!grid_) return;
    uint16_t k = static_cast<uint16_t>(key);
    if (!RunGuarded([&] { grid_->KeyUp(k, shift); })) k = 0;
    key = k;
}

void GridHost::KeyPress(char& key) {
    if (!grid_) return;
    if (!RunGuarded([&] { grid_->KeyPress(key); })) key = 0;
}

void GridHost::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (grid_)
        RunGuarded([&] { grid_->MouseDown(button, shift, x, y); });
    else
        GridWidget::MouseDown(button, shift, x, y);
}

void GridHost::MouseMove(ShiftState shift, int x, int y) {
    if (grid_)
        RunGuarded([&] { grid_->MouseMove(shift, x, y); });
    else
        GridWidget::MouseMove(shift, x, y);
}

void GridHost::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (grid_)
        RunGuarded([&] { grid_->MouseUp(button, shift, x, y); });
    else
        GridWidget::MouseUp(button, shift, x, y);
}

// ---- Focus and look ---------------------------------------------------------

void GridHost::focusInEvent(QFocusEvent* e) {
    GridWidget::focusInEvent(e);
    FocusChange(e, true);
}

void GridHost::focusOutEvent(QFocusEvent* e) {
    GridWidget::focusOutEvent(e);
    FocusChange(e, false);
}

bool GridHost::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Editor() && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut))
        FocusChange(static_cast<QFocusEvent*>(e), e->type() == QEvent::FocusIn);
    return GridWidget::eventFilter(watched, e);
}

void GridHost::FocusChange(QFocusEvent* e, bool in) {
    if (!grid_) return;
    // A move between the grid and its editor is no move between controls.
    const bool windowSwitch = IsWindowSwitch(e->reason());
    if (in) {
        const bool was = focusInside_;
        focusInside_ = true;
        if (!was && !windowSwitch) RunGuarded([&] { grid_->FocusEntered(); });
    } else {
        QWidget* next = QApplication::focusWidget();
        if (windowSwitch || (next && (next == this || isAncestorOf(next)))) return;
        focusInside_ = false;
        RunGuarded([&] { grid_->FocusLeft(); });
    }
}

void GridHost::changeEvent(QEvent* e) {
    GridWidget::changeEvent(e);
    if (grid_ && (e->type() == QEvent::FontChange || e->type() == QEvent::PaletteChange))
        RunGuarded([&] { grid_->ApplyCellLook(); });
}

}  // namespace ui
