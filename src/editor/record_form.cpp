#include "editor/record_form.h"

extern const char kRecordEditForm[];
extern const unsigned kRecordEditForm_size;

TForm3* Form3 = nullptr;

TANSU_IMPLEMENT_CLASS(TForm3)
void TForm3::DeclarePublished(TClassBuilder<TForm3>&) {}

TForm3::TForm3(TComponent* owner) : TForm(owner) {
    ReadForm(std::string_view(kRecordEditForm, kRecordEditForm_size));
}
