// A list box that is a window of its own: frameless, above every window,
// shown without taking the activation from the window the user works in,
// so that it can reach beyond its owner's window.  Its bounds are in
// screen coordinates.  It never takes the keyboard focus; keys reach it
// from the control that has it (TWinControl::SendKey).  Only the left
// mouse button chooses an item; the control hears the others all the same.
#pragma once

#include "framework/ui/controls/list_box.h"

class TPopupListBox : public TListBox {
    TANSU_CLASS(TPopupListBox, TListBox)
public:
    explicit TPopupListBox(TComponent* owner);

    // Places the list with its top-left corner at a screen point and puts
    // it on top of the other windows (shown or not).
    void PlaceAt(int screenX, int screenY, int width, int height);

protected:
    bool IsTopLevel() const override { return true; }
    bool TakesFocusOnClick() const override { return false; }
    QWidget* CreateWidget() override;
};
