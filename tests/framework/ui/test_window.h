// A bare top-level window for tests that need a control on the screen
// without a whole form: it has no frame, menu or keys of its own.
#pragma once

#include "framework/ui/core/control.h"

class TTestWindow : public TWinControl {
    TANSU_CLASS(TTestWindow, TWinControl)
public:
    explicit TTestWindow(TComponent* owner) : TWinControl(owner) {}
    bool IsTopLevel() const override { return Parent() == nullptr; }
};
