#include "framework/ui/core/qt_input.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

int KeyCodeOf(const QKeyEvent& e) {
    const int k = e.key();
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z)) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return key::F1 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace: return key::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return key::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter: return key::Return;
        case Qt::Key_Shift: return key::Shift;
        case Qt::Key_Control: return key::Control;
        case Qt::Key_Alt: return key::Alt;
        case Qt::Key_Escape: return key::Escape;
        case Qt::Key_Space: return key::Space;
        case Qt::Key_PageUp: return key::PageUp;
        case Qt::Key_PageDown: return key::PageDown;
        case Qt::Key_End: return key::End;
        case Qt::Key_Home: return key::Home;
        case Qt::Key_Left: return key::Left;
        case Qt::Key_Up: return key::Up;
        case Qt::Key_Right: return key::Right;
        case Qt::Key_Down: return key::Down;
        case Qt::Key_Insert: return key::Insert;
        case Qt::Key_Delete: return key::Delete;
        default: return 0;
    }
}

int ToQtKey(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return code;
    if (code >= key::F1 && code < key::F1 + 24) return Qt::Key_F1 + (code - key::F1);
    switch (code) {
        case key::Back: return Qt::Key_Backspace;
        case key::Tab: return Qt::Key_Tab;
        case key::Return: return Qt::Key_Return;
        case key::Shift: return Qt::Key_Shift;
        case key::Control: return Qt::Key_Control;
        case key::Alt: return Qt::Key_Alt;
        case key::Escape: return Qt::Key_Escape;
        case key::Space: return Qt::Key_Space;
        case key::PageUp: return Qt::Key_PageUp;
        case key::PageDown: return Qt::Key_PageDown;
        case key::End: return Qt::Key_End;
        case key::Home: return Qt::Key_Home;
        case key::Left: return Qt::Key_Left;
        case key::Up: return Qt::Key_Up;
        case key::Right: return Qt::Key_Right;
        case key::Down: return Qt::Key_Down;
        case key::Insert: return Qt::Key_Insert;
        case key::Delete: return Qt::Key_Delete;
        default: return Qt::Key_unknown;
    }
}

Qt::KeyboardModifiers ToQtModifiers(ShiftState shift) {
    Qt::KeyboardModifiers m;
    if (shift & kShift) m |= Qt::ShiftModifier;
    if (shift & kCtrl) m |= Qt::ControlModifier;
    if (shift & kAlt) m |= Qt::AltModifier;
    return m;
}

ShiftState ShiftStateOf(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    ShiftState s = 0;
    if (m & Qt::ShiftModifier) s |= kShift;
    if (m & Qt::AltModifier) s |= kAlt;
    if (m & Qt::ControlModifier) s |= kCtrl;
    if (b & Qt::LeftButton) s |= kLeftButton;
    if (b & Qt::RightButton) s |= kRightButton;
    if (b & Qt::MiddleButton) s |= kMiddleButton;
    return s;
}

ShiftState ShiftStateOf(const QKeyEvent& e) {
    ShiftState s = ShiftStateOf(e.modifiers(), QGuiApplication::mouseButtons());
    if (e.key() == Qt::Key_Backtab) s |= kShift;
    return s;
}

ShiftState ShiftStateOf(const QMouseEvent& e) {
    ShiftState s = ShiftStateOf(e.modifiers(), e.buttons());
    if (e.type() == QEvent::MouseButtonDblClick) s |= kDouble;
    return s;
}

bool MouseButtonOf(Qt::MouseButton b, MouseButton& out) {
    switch (b) {
        case Qt::LeftButton: out = MouseButton::Left; return true;
        case Qt::RightButton: out = MouseButton::Right; return true;
        case Qt::MiddleButton: out = MouseButton::Middle; return true;
        default: return false;
    }
}

Qt::CursorShape ToQtCursor(CursorShape shape) {
    switch (shape) {
        case CursorShape::Default:
        case CursorShape::Arrow: return Qt::ArrowCursor;
        case CursorShape::IBeam: return Qt::IBeamCursor;
        case CursorShape::SizeColumn: return Qt::SplitHCursor;
        case CursorShape::SizeRow: return Qt::SplitVCursor;
        case CursorShape::Drag: return Qt::DragMoveCursor;
    }
    return Qt::ArrowCursor;
}

}  // namespace ui
