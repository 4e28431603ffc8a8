#include "framework/ui/grid/grid_host.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/core/window_switch.h"
#include "framework/ui/grid/grids.h"
#include "framework/ui/grid/inplace_editor.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>

namespace ui {

GridHost::GridHost(TCustomGrid* grid) : grid_(grid) {
    SetHooks(grid);
}

// The editor's focus is the grid's focus.
void GridHost::EditorMade(InplaceEditor* editor) { editor->installEventFilter(this); }

void GridHost::CancelMode(QWidget* cause) {
    if (!grid_) return GridWidget::CancelMode(cause);
    TControl* control = TControl::FromWidget(cause);
    RunGuarded([&] { grid_->CancelMode(control); });
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
