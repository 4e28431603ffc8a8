#include "framework/ui/forms/standard_controls.h"

#include "framework/ui/forms/button.h"
#include "framework/ui/forms/dialogs.h"
#include "framework/ui/controls/edit.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/grid/grids.h"
#include "framework/ui/controls/image.h"
#include "framework/ui/controls/label.h"
#include "framework/ui/controls/list_box.h"
#include "framework/ui/forms/menu.h"
#include "framework/ui/controls/panel.h"
#include "framework/ui/controls/progress_bar.h"

void RegisterStandardControls() {
    for (TClass cls : {TForm::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TMaskEdit::StaticClass(),
                       TButton::StaticClass(), TBitBtn::StaticClass(), TBevel::StaticClass(), TPanel::StaticClass(),
                       TListBox::StaticClass(), TImage::StaticClass(), TMainMenu::StaticClass(), TMenuItem::StaticClass(),
                       TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TFolderDialog::StaticClass(),
                       TProgressBar::StaticClass()})
        RegisterClass(cls);
}

void RegisterControlClasses() {
    RegisterClass(TControl::StaticClass());
    RegisterClass(TWinControl::StaticClass());
    RegisterStandardControls();
    RegisterGridClasses();
}
