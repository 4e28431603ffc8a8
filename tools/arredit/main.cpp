// tansu-arredit [ARRAY]: a developer's command.  Opens the control-array
// editor on each control array of the settings dialog in turn (only on
// ARRAY when one is named), or on a sample form's arrays while the dialog
// has none, and prints every array before and after its edit.  OK keeps
// the edit for the rest of the run; nothing is saved.
#include "arredit.h"

#include "controls/ArryCtrlForm.h"
#include "controls/system_controls.h"
#include "framework/ui/forms/application.h"
#include "platform/cp932.h"

#include <cstdio>
#include <exception>

namespace {

void Print(const std::string& cp932) {
    std::printf("%s\n", platform::Cp932ToUtf8ForDisplay(cp932).c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        Application->Initialize(argc, argv);
        RegisterSystemControls();
        const std::string only = argc > 1 ? platform::Utf8ToCp932(argv[1]).value_or(std::string("?")) : std::string();
        TForm* form = FormToEdit(Application);
        auto* editor = new TArryCtrlForm(Application);
        int edited = 0;
        for (TArCntrl* array : ArraysOf(*form)) {
            if (!only.empty() && array->Name() != only) continue;
            ++edited;
            Print(form->Name() + "." + DescribeArray(*array));
            const bool applied = editor->Edit(array);
            Print(std::string(applied ? "  OK -> " : "  Cancel: ") + DescribeArray(*array));
        }
        if (edited == 0) {
            Print(form->Name() + ": no such control array");
            return 1;
        }
    } catch (const std::exception& e) {
        Application->ShowException(e);
        return 1;
    }
    return 0;
}
