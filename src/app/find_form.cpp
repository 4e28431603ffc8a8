#include "app/find_form.h"

extern const char kFindForm[];
extern const unsigned kFindForm_size;

TFindForm* FindForm = nullptr;

TANSU_IMPLEMENT_CLASS(TFindForm)
void TFindForm::DeclarePublished(TClassBuilder<TFindForm>& c) {
    FormField(c, "Label1", &TFindForm::Label1);
    FormField(c, "Edit1", &TFindForm::Edit1);
    FormField(c, "ButtonFind", &TFindForm::ButtonFind);
    FormField(c, "ButtonCancel", &TFindForm::ButtonCancel);
    c.Method("FormShow", &TFindForm::FormShow);
}

TFindForm::TFindForm(TComponent* owner) : TForm(owner) { ReadForm(std::string_view(kFindForm, kFindForm_size)); }

void TFindForm::FormShow(TObject*) { Edit1->SelectAll(); }
