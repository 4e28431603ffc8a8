// A small form with a label, an edit and a button array and a few controls
// outside them: what the editor works on while the settings dialog holds
// no arrays.
#pragma once

#include "framework/ui/forms/form.h"

class TSampleArrays : public TForm {
    TANSU_CLASS(TSampleArrays, TForm)
public:
    explicit TSampleArrays(TComponent* owner);
};
