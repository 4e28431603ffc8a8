#include "app/start.h"

#include "app/batch_add_form.h"
#include "app/find_form.h"
#include "app/main_form.h"
#include "app/scan_progress_form.h"
#include "controls/system_controls.h"
#include "editor/record_form.h"
#include "framework/ui/forms/application.h"
#include "preview/preview_form.h"
#include "settings/setup_form.h"

void CreateTansuWindows() {
    RegisterSystemControls();
    Application->SetTitle("TANSU");
    // The desktop entry the windows belong to; the build names it.
    Application->SetDesktopFileName(TANSU_APP_ID);
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(Form3);
    Application->CreateForm(FindForm);
    Application->CreateForm(BatchAddForm);
    Application->CreateForm(ScanProgressForm);
    Application->CreateForm(PreviewForm);
}

void FreeTansuWindows() {
    for (TForm** form : {reinterpret_cast<TForm**>(&PreviewForm), reinterpret_cast<TForm**>(&ScanProgressForm), reinterpret_cast<TForm**>(&BatchAddForm),
                         reinterpret_cast<TForm**>(&FindForm), reinterpret_cast<TForm**>(&Form3),
                         reinterpret_cast<TForm**>(&Form2), reinterpret_cast<TForm**>(&Form1)}) {
        if (*form) (*form)->Free();
        *form = nullptr;
    }
}
