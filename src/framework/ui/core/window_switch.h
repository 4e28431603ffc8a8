// Which focus changes are no move between a window's controls.
#pragma once

#include <Qt>

namespace ui {

// The focus leaving or coming back with its window (another window or
// application became active, a message box or a menu opened, the menu bar
// took the keys) is no move of the focus between the window's controls:
// controls neither enter nor exit for it.
inline bool IsWindowSwitch(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

}  // namespace ui
