#include "framework/ui/standard_controls.h"

#include "framework/ui/button.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/edit.h"
#include "framework/ui/form.h"
#include "framework/ui/label.h"
#include "framework/ui/list_box.h"
#include "framework/ui/menu.h"
#include "framework/ui/panel.h"

void RegisterStandardControls() {
    for (TClass cls : {TForm::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TMaskEdit::StaticClass(),
                       TButton::StaticClass(), TBitBtn::StaticClass(), TBevel::StaticClass(), TPanel::StaticClass(),
                       TListBox::StaticClass(), TMainMenu::StaticClass(), TMenuItem::StaticClass(),
                       TOpenDialog::StaticClass(), TSaveDialog::StaticClass()})
        RegisterClass(cls);
}
