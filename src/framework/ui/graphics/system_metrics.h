// Sizes the desktop style decides.  Call them once the application object
// exists; they read the current style each time.
#pragma once

#include "framework/ui/graphics/graphics_types.h"

namespace ui {

// The part of the primary screen that windows may take (without panels
// and docks), in screen coordinates; empty when there is no screen.
Rect WorkArea();

// Width of the arrow button of a horizontal scroll bar, in pixels.
int ScrollArrowWidth();

}  // namespace ui
