#include "framework/ui/core/control_bridge.h"

#include "framework/ui/core/control.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/core/qt_input.h"
#include "framework/ui/core/window_switch.h"
#include "framework/ui/graphics/qt_text.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace ui {
namespace {

// The one drag that can run at a time.
struct DragState {
    TControl* source = nullptr;
    bool started = false;
    QPoint origin;
    TControl* over = nullptr;
    bool accepted = false;
};
DragState g_drag;

constexpr int kDragThreshold = 5;

QPoint LocalPos(const QMouseEvent& e) { return e.position().toPoint(); }

void ForgetControlInDrag(const TControl* control) {
    if (g_drag.over == control) g_drag.over = nullptr;
    if (g_drag.source == control) g_drag = DragState{};
}

void StartDrag() {
    g_drag.started = true;
    TDragObject* object = nullptr;
    TControl* source = g_drag.source;
    RunGuarded([&] { source->DoStartDrag(object); });
}

// The control under a screen point, and the point in its coordinates.
TControl* ControlAt(const QPoint& global, QPoint& local) {
    QWidget* w = QApplication::widgetAt(global);
    TControl* c = TControl::FromWidget(w);
    if (c && c->HasWidget()) local = c->Widget()->mapFromGlobal(global);
    return c;
}

void DragMoveTo(const QPoint& global) {
    QPoint local;
    TControl* target = ControlAt(global, local);
    TControl* source = g_drag.source;
    if (g_drag.over && g_drag.over != target) {
        bool ignored = false;
        TControl* left = g_drag.over;
        QPoint p = left->HasWidget() ? left->Widget()->mapFromGlobal(global) : QPoint();
        RunGuarded([&] { left->DragOver(source, p.x(), p.y(), TDragState::dsDragLeave, ignored); });
        g_drag.accepted = false;
    }
    if (target) {
        TDragState state = target == g_drag.over ? TDragState::dsDragMove : TDragState::dsDragEnter;
        bool accept = false;
        RunGuarded([&] { target->DragOver(source, local.x(), local.y(), state, accept); });
        g_drag.accepted = accept;
    }
    g_drag.over = target;
}

void DragDropAt(const QPoint& global) {
    DragMoveTo(global);
    TControl* source = g_drag.source;
    TControl* target = g_drag.accepted ? g_drag.over : nullptr;
    QPoint local = target && target->HasWidget() ? target->Widget()->mapFromGlobal(global) : QPoint();
    g_drag = DragState{};
    if (target) RunGuarded([&] { target->DragDrop(source, local.x(), local.y()); });
    RunGuarded([&] { source->DoEndDrag(target, local.x(), local.y()); });
}

}  // namespace

ControlBridge::ControlBridge(TControl* control, QWidget* widget) : QObject(widget), control_(control), widget_(widget) {
    widget->installEventFilter(this);
}

void ControlBridge::BeginDrag(TControl* source, bool immediately) {
    g_drag = DragState{};
    g_drag.source = source;
    g_drag.origin = QCursor::pos();
    if (immediately) StartDrag();
}

bool ControlBridge::Dragging(const TControl* source) { return g_drag.source == source && g_drag.started; }

void ControlBridge::CancelDrag(const TControl* control) { ForgetControlInDrag(control); }

void ControlBridge::WatchMouseOf(QWidget* inner) {
    if (!inner || inner == widget_ || inner == inner_) return;
    inner_ = inner;
    inner->installEventFilter(this);
}

bool ControlBridge::eventFilter(QObject* watched, QEvent* event) {
    if (!control_) return false;
    if (watched == inner_ && inner_) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return MouseEvent(inner_, event);
        default:
            return false;
        }
    }
    if (watched != widget_) return false;
    if (control_->WidgetReportsInput()) {
        // The widget raises the control's input steps itself; the window's
        // keys, the focus notice and the size still come from here.
        auto* win = ObjectCast<TWinControl>(control_);
        switch (event->type()) {
        case QEvent::KeyPress:
            return win && WindowKeys(win, static_cast<QKeyEvent*>(event));
        case QEvent::FocusIn: {
            if (!win) return false;
            TWinControl* top = win->TopLevel();
            RunGuarded([&] { top->FocusMovedTo(win); });
            return false;
        }
        case QEvent::Resize:
            break;
        default:
            return false;
        }
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return MouseEvent(widget_, event);
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return KeyEvent(event);
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        auto* win = ObjectCast<TWinControl>(control_);
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (!win) return false;
        // A window that becomes active gives the focus to its control for
        // the first time, though.
        if (IsWindowSwitch(reason) && (event->type() == QEvent::FocusOut || entered_)) return false;
        // Enter and exit come in pairs: a control the focus only passed
        // through, or that refuses to be left, hears nothing more.
        if (event->type() == QEvent::FocusIn) {
            TWinControl* top = win->TopLevel();
            RunGuarded([&] { top->FocusMovedTo(win); });
            if (!entered_) {
                entered_ = true;
                RunGuarded([&] { win->DoEnter(); });
            }
        } else if (entered_) {
            bool refused = false;
            RunGuarded([&] { refused = win->RefusesExit(); });
            if (!refused) {
                entered_ = false;
                RunGuarded([&] { win->DoExit(); });
            }
        }
        return false;
    }
    case QEvent::Resize: {
        QSize size = widget_->size();
        TControl* c = control_;
        RunGuarded([&] { c->WidgetResized(size.width(), size.height()); });
        return false;
    }
    default:
        return false;
    }
}

bool ControlBridge::MouseEvent(QWidget* receiver, QEvent* event) {
    auto* e = static_cast<QMouseEvent*>(event);
    QPoint p = LocalPos(*e);
    if (receiver != widget_) p = receiver->mapTo(widget_, p);
    ShiftState shift = ShiftStateOf(*e);
    MouseButton button = MouseButton::Left;
    bool known = MouseButtonOf(e->button(), button);
    QPointer<QWidget> alive(widget_);
    TControl* c = control_;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!known) return false;
        if (button == MouseButton::Left) {
            leftPressed_ = true;
            if (c->DragMode() == TDragMode::dmAutomatic) BeginDrag(c, false);
        }
        RunGuarded([&] { c->MouseDown(button, shift, p.x(), p.y()); });
        return false;
    case QEvent::MouseButtonDblClick:
        if (!known) return false;
        leftPressed_ = false;  // the release of a double click is no click
        RunGuarded([&] { c->MouseDown(button, shift | kDouble, p.x(), p.y()); });
        if (alive && control_ && button == MouseButton::Left) RunGuarded([&] { c->DblClick(); });
        return false;
    case QEvent::MouseMove:
        if (g_drag.source == c) {
            if (!g_drag.started && (QCursor::pos() - g_drag.origin).manhattanLength() >= kDragThreshold) StartDrag();
            if (g_drag.started) {
                DragMoveTo(e->globalPosition().toPoint());
                return true;
            }
        }
        RunGuarded([&] { c->MouseMove(shift, p.x(), p.y()); });
        return false;
    case QEvent::MouseButtonRelease: {
        if (!known) return false;
        if (g_drag.source == c && button == MouseButton::Left) {
            bool started = g_drag.started;
            if (started) {
                leftPressed_ = false;
                DragDropAt(e->globalPosition().toPoint());
                return true;
            }
            g_drag = DragState{};
        }
        bool click = button == MouseButton::Left && leftPressed_ && widget_->rect().contains(p);
        if (button == MouseButton::Left) leftPressed_ = false;
        RunGuarded([&] { c->MouseUp(button, shift, p.x(), p.y()); });
        if (click && alive && control_ && c->ClickFromMouse() && c->Enabled()) RunGuarded([&] { c->Click(); });
        return false;
    }
    default:
        return false;
    }
}

bool ControlBridge::WindowKeys(TWinControl* win, QKeyEvent* e) {
    // The window's keys come first: menu shortcuts, then the keys that work
    // the dialog (Tab, the default and cancel buttons).
    uint16_t key = static_cast<uint16_t>(KeyCodeOf(*e));
    if (key == 0) return false;
    ShiftState shift = ShiftStateOf(*e);
    TWinControl* top = win->TopLevel();
    QPointer<QWidget> alive(widget_);
    bool taken = false;
    RunGuarded([&] { taken = top->IsShortCut(key, shift); });
    if (taken || !alive || !control_) return true;
    if (!win->WantsKey(key, shift)) RunGuarded([&] { taken = top->DialogKey(win, key, shift); });
    return taken;
}

bool ControlBridge::KeyEvent(QEvent* event) {
    auto* win = ObjectCast<TWinControl>(control_);
    if (!win || sendingReplacement_) return false;
    auto* e = static_cast<QKeyEvent*>(event);
    ShiftState shift = ShiftStateOf(*e);
    uint16_t key = static_cast<uint16_t>(KeyCodeOf(*e));
    TWinControl* top = win->TopLevel();
    QPointer<QWidget> alive(widget_);
    // Whether this control and its window are still there after a step.
    auto gone = [&] { return !alive || !control_; };

    if (event->type() == QEvent::KeyRelease) {
        if (key == 0) return false;
        if (top != win) RunGuarded([&] { top->PreviewKeyUp(key, shift); });
        if (gone()) return true;
        if (key != 0) RunGuarded([&] { win->KeyUp(key, shift); });
        return key == 0;
    }

    if (key != 0) {
        if (WindowKeys(win, e) || gone()) return true;
        if (top != win) RunGuarded([&] { top->PreviewKeyDown(key, shift); });
        if (gone() || key == 0) return true;
        RunGuarded([&] { win->KeyDown(key, shift); });
        if (gone() || key == 0) return true;  // the handler took the key
    }

    // The character step sees each byte of the character typed (both of a
    // double-byte one); a byte set to 0 drops the character, changed bytes
    // replace it.  A character without a cp932 form goes on to the widget,
    // which refuses it.
    QString text = e->text();
    if (text.isEmpty()) return false;
    auto bytes = FromQt(text);
    if (!bytes || bytes->empty()) return false;
    std::string kept;
    for (char b : *bytes) {
        char ch = b;
        if (top != win) RunGuarded([&] { top->PreviewKeyPress(ch); });
        if (gone() || ch == 0) return true;
        RunGuarded([&] { win->KeyPress(ch); });
        if (gone() || ch == 0) return true;
        kept.push_back(ch);
    }
    if (kept == *bytes) return false;
    QString replacementText = ToQt(kept);
    auto back = FromQt(replacementText);
    if (!back || *back != kept) return true;  // the bytes are no character any more
    QKeyEvent replacement(QEvent::KeyPress, Qt::Key_unknown, e->modifiers(), replacementText);
    sendingReplacement_ = true;
    QApplication::sendEvent(widget_, &replacement);
    if (alive) sendingReplacement_ = false;
    return true;
}

}  // namespace ui
