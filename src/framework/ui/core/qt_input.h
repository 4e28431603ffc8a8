// Qt input events as the input types of the window layer.
#pragma once

#include "framework/ui/core/input_types.h"

#include <Qt>

class QKeyEvent;
class QMouseEvent;

namespace ui {

// 0 for a key without a code of ours.
int KeyCodeOf(const QKeyEvent& e);
ShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
ShiftState ShiftStateOf(const QKeyEvent& e);
ShiftState ShiftStateOf(const QMouseEvent& e);
// False for buttons other than left, right and middle.
bool MouseButtonOf(Qt::MouseButton b, MouseButton& out);
Qt::CursorShape ToQtCursor(CursorShape shape);

}  // namespace ui
