// TRetEdit: a single-line edit in which Enter moves the focus on to the next
// tab stop of its form, as Tab does, instead of being typed.  While
// ReturnNext holds, the edit claims Enter before its form can give it to the
// default button, and neither the edit's OnKeyPress (nor an array that
// routes it) sees the character.
#pragma once

#include "framework/ui/controls/edit.h"

class TRetEdit : public TEdit {
    TANSU_CLASS(TRetEdit, TEdit)
public:
    explicit TRetEdit(TComponent* owner);

    bool ReturnNext() const { return returnNext_; }
    void SetReturnNext(bool value) { returnNext_ = value; }

    void KeyPress(char& key) override;
    bool WantsKey(uint16_t key, TShiftState shift) const override;

private:
    bool returnNext_ = true;
};
