// The record edit dialog: one catalog record, edited or appended.
#pragma once

#include "framework/ui/forms/form.h"

class TForm3 : public TForm {
    TANSU_CLASS(TForm3, TForm)
public:
    explicit TForm3(TComponent* owner);

    // Set by the main window before each showing: false edits the grid's
    // current record, true appends a new one.
    bool AppendMode = false;
};

extern TForm3* Form3;
