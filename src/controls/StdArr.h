// The standard control arrays: labels, Enter-key edits and buttons.
#pragma once

#include "controls/ArrCtrl.h"
#include "controls/RetEdit.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/controls/label.h"

class TArLabel : public TArCntrl {
    TANSU_CLASS(TArLabel, TArCntrl)
public:
    explicit TArLabel(TComponent* owner);
    TLabel* ArryCntrl(int32_t index) const { return ObjectCast<TLabel>(TArCntrl::ArryCntrl(index)); }
};

// Its elements are TRetEdit; a plain edit is taken too, so the typed
// access gives the edit class both share.
class TArEdit : public TArSub1 {
    TANSU_CLASS(TArEdit, TArSub1)
public:
    explicit TArEdit(TComponent* owner);
    TEdit* ArryCntrl(int32_t index) const { return ObjectCast<TEdit>(TArCntrl::ArryCntrl(index)); }
};

// Keeps the double-click slot of every array, but does not offer it.
class TArButton : public TArWinCtrl {
    TANSU_CLASS(TArButton, TArWinCtrl)
public:
    explicit TArButton(TComponent* owner);
    TButton* ArryCntrl(int32_t index) const { return ObjectCast<TButton>(TArCntrl::ArryCntrl(index)); }
};
