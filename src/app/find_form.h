// The search dialog: one text to look for in the catalog's records.
#pragma once

#include "framework/ui/controls/edit.h"
#include "framework/ui/controls/label.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/forms/form.h"

class TFindForm : public TForm {
    TANSU_CLASS(TFindForm, TForm)
public:
    explicit TFindForm(TComponent* owner);

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TButton* ButtonFind = nullptr;
    TButton* ButtonCancel = nullptr;

    // The text shows selected, ready to be typed over.
    void FormShow(TObject* Sender);
};

extern TFindForm* FindForm;
