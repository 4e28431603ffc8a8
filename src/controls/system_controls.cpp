#include "controls/system_controls.h"

#include "controls/CmbGrid.h"
#include "controls/ExtArr.h"
#include "controls/RetEdit.h"
#include "controls/StdArr.h"

void RegisterSystemControls() {
    for (TClass cls : {TComboGrid::StaticClass(), TRetEdit::StaticClass(), TArLabel::StaticClass(), TArEdit::StaticClass(),
                       TArButton::StaticClass(), TArMaskEdit::StaticClass()})
        RegisterClass(cls);
}
