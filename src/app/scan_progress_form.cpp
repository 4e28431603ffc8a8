#include "app/scan_progress_form.h"

#include "framework/sysutils.h"

extern const char kScanProgressForm[];
extern const unsigned kScanProgressForm_size;

TScanProgressForm* ScanProgressForm = nullptr;

TANSU_IMPLEMENT_CLASS(TScanProgressForm)
void TScanProgressForm::DeclarePublished(TClassBuilder<TScanProgressForm>& c) {
    FormField(c, "Label1", &TScanProgressForm::Label1);
    FormField(c, "ProgressBar1", &TScanProgressForm::ProgressBar1);
    FormField(c, "ButtonCancel", &TScanProgressForm::ButtonCancel);
}

TScanProgressForm::TScanProgressForm(TComponent* owner) : TForm(owner) {
    ReadForm(std::string_view(kScanProgressForm, kScanProgressForm_size));
}

void TScanProgressForm::ShowProgress(int done, int total) {
    ProgressBar1->SetMax(total > 0 ? total : 1);
    ProgressBar1->SetPosition(done);
    Label1->SetCaption("ﾌｫﾙﾀﾞを調べています（" + IntToStr(done) + " / " + IntToStr(total) + "）");
}
