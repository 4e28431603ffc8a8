// The window that shows how far a look through the KiSS folder has come;
// its Cancel stops the look.
#pragma once

#include "framework/ui/controls/label.h"
#include "framework/ui/controls/progress_bar.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/forms/form.h"

class TScanProgressForm : public TForm {
    TANSU_CLASS(TScanProgressForm, TForm)
public:
    explicit TScanProgressForm(TComponent* owner);

    TLabel* Label1 = nullptr;
    TProgressBar* ProgressBar1 = nullptr;
    TButton* ButtonCancel = nullptr;

    // `done` of `total` folders looked through.
    void ShowProgress(int done, int total);
};

extern TScanProgressForm* ScanProgressForm;
