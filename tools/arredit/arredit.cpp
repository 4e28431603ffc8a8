#include "arredit.h"

#include "sample_arrays.h"
#include "settings/setup_form.h"

std::vector<TArCntrl*> ArraysOf(const TForm& form) {
    std::vector<TArCntrl*> arrays;
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* array = ObjectCast<TArCntrl>(form.Components(i))) arrays.push_back(array);
    return arrays;
}

std::string DescribeArray(const TArCntrl& array) {
    std::string text = array.Name() + ":";
    for (int32_t i = 0; i < array.NumOfArry(); ++i) {
        TControl* element = array.ArryCntrl(i);
        text += (i == 0 ? " " : ", ") + (element ? element->Name() : std::string("-"));
    }
    return text;
}

TForm* FormToEdit(TComponent* owner) {
    auto* setup = new TForm2(owner);
    if (!ArraysOf(*setup).empty()) return setup;
    setup->Free();
    return new TSampleArrays(owner);
}
