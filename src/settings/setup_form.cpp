#include "settings/setup_form.h"

extern const char kSetupForm[];
extern const unsigned kSetupForm_size;

TForm2* Form2 = nullptr;

TANSU_IMPLEMENT_CLASS(TForm2)
void TForm2::DeclarePublished(TClassBuilder<TForm2>&) {}

TForm2::TForm2(TComponent* owner) : TForm(owner) { ReadForm(std::string_view(kSetupForm, kSetupForm_size)); }
