// The control array of mask edits.
#pragma once

#include "controls/ArrCtrl.h"
#include "framework/ui/controls/edit.h"

class TArMaskEdit : public TArSub1 {
    TANSU_CLASS(TArMaskEdit, TArSub1)
public:
    explicit TArMaskEdit(TComponent* owner);
    TMaskEdit* ArryCntrl(int32_t index) const { return ObjectCast<TMaskEdit>(TArCntrl::ArryCntrl(index)); }
};
