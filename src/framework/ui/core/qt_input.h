// Qt input events as the input types of the window layer.
#pragma once

#include "framework/ui/core/input_types.h"

#include <Qt>

class QKeyEvent;
class QMouseEvent;

namespace ui {

// 0 for a key without a code of ours.
int KeyCodeOf(const QKeyEvent& e);
// The toolkit's key for a key code (Qt::Key_unknown for none) and the
// modifiers of a shift state.
int ToQtKey(int code);
Qt::KeyboardModifiers ToQtModifiers(ShiftState shift);
ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
ShiftState ShiftStateOf(const QKeyEvent& e);
ShiftState ShiftStateOf(const QMouseEvent& e);
// False for buttons other than left, right and middle.
bool MouseButtonOf(Qt::MouseButton b, MouseButton& out);
Qt::CursorShape ToQtCursor(CursorShape shape);

}  // namespace ui
