// The settings dialog: the four paths of the settings file.
#pragma once

#include "framework/ui/forms/form.h"

class TForm2 : public TForm {
    TANSU_CLASS(TForm2, TForm)
public:
    explicit TForm2(TComponent* owner);
};

extern TForm2* Form2;
