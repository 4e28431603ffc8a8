#include "controls/RetEdit.h"

#include "framework/ui/forms/form.h"
#include "framework/ui/core/input_types.h"

TANSU_IMPLEMENT_CLASS(TRetEdit)
void TRetEdit::DeclarePublished(TClassBuilder<TRetEdit>& c) {
    c.Property("ReturnNext", &TRetEdit::ReturnNext, &TRetEdit::SetReturnNext).Default(1);
}

TRetEdit::TRetEdit(TComponent* owner) : TEdit(owner) {}

bool TRetEdit::WantsKey(uint16_t key, TShiftState shift) const {
    if (key == ui::key::Return && returnNext_) return true;
    return TEdit::WantsKey(key, shift);
}

void TRetEdit::KeyPress(char& key) {
    if (returnNext_ && key == '\r') {
        // The form moves the focus from its active control (this edit) to
        // the next tab stop, wrapping from the last to the first.
        if (TForm* form = GetParentForm(this)) form->Perform(WM_NEXTDLGCTL, 0, 0);
        key = 0;
        return;
    }
    TEdit::KeyPress(key);
}
