// Sizes the desktop style decides.  Call them once the application object
// exists; they read the current style each time.
#pragma once

namespace ui {

// Width of the arrow button of a horizontal scroll bar, in pixels.
int ScrollArrowWidth();

}  // namespace ui
