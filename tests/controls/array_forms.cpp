#include "array_forms.h"

#include "controls/system_controls.h"
#include "framework/ui/forms/standard_controls.h"
#include "framework/thread.h"

extern const char kArrayDialogForm[];
extern const unsigned kArrayDialogForm_size;
extern const char kArrayGrowForm[];
extern const unsigned kArrayGrowForm_size;
extern const char kRetEditForm[];
extern const unsigned kRetEditForm_size;

void RegisterArrayTestClasses() {
    RegisterControlClasses();
    RegisterSystemControls();
    RegisterClass(TProbeArLabel::StaticClass());
}

std::string NameOf(TObject* object) {
    auto* c = ObjectCast<TComponent>(object);
    return c ? c->Name() : std::string("?");
}

// --- TArrayDialog -----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TArrayDialog)
void TArrayDialog::DeclarePublished(TClassBuilder<TArrayDialog>& c) {
    FormField(c, "ArLabel1_1", &TArrayDialog::ArLabel1_1);
    FormField(c, "ArLabel1_2", &TArrayDialog::ArLabel1_2);
    FormField(c, "ArLabel1_3", &TArrayDialog::ArLabel1_3);
    FormField(c, "ArEdit1_1", &TArrayDialog::ArEdit1_1);
    FormField(c, "ArEdit1_2", &TArrayDialog::ArEdit1_2);
    FormField(c, "ArButton1_1", &TArrayDialog::ArButton1_1);
    FormField(c, "ArButton1_2", &TArrayDialog::ArButton1_2);
    FormField(c, "ArLabel1", &TArrayDialog::ArLabel1);
    FormField(c, "ArEdit1", &TArrayDialog::ArEdit1);
    FormField(c, "ArButton1", &TArrayDialog::ArButton1);
    c.Method("ArLabel1Click", &TArrayDialog::ArLabel1Click);
    c.Method("ArEdit1Change", &TArrayDialog::ArEdit1Change);
    c.Method("ArEdit1KeyDown", &TArrayDialog::ArEdit1KeyDown);
    c.Method("ArEdit1KeyPress", &TArrayDialog::ArEdit1KeyPress);
    c.Method("OwnLabelClick", &TArrayDialog::OwnLabelClick);
    c.Method("OwnButtonClick", &TArrayDialog::OwnButtonClick);
}

TArrayDialog::TArrayDialog(TComponent* owner) : TForm(owner) { ReadForm({kArrayDialogForm, kArrayDialogForm_size}); }

void TArrayDialog::ArLabel1Click(TObject* Sender, int32_t Index) {
    log.push_back("ArLabel1Click " + NameOf(Sender) + " " + std::to_string(Index));
}
void TArrayDialog::ArEdit1Change(TObject* Sender, int32_t Index) {
    log.push_back("ArEdit1Change " + NameOf(Sender) + " " + std::to_string(Index));
}
void TArrayDialog::ArEdit1KeyDown(TObject*, int32_t, uint16_t& Key, TShiftState) {
    if (Key == 'Q') Key = 0;  // the edit never gets a Q
}
void TArrayDialog::ArEdit1KeyPress(TObject* Sender, int32_t Index, char& Key) {
    log.push_back(std::string("ArEdit1KeyPress ") + NameOf(Sender) + " " + std::to_string(Index) + " " +
                  (Key == '\r' ? std::string("CR") : std::string(1, Key)));
    if (Key == 'a') Key = 'b';
    if (Key == 'x') Key = 0;
}
void TArrayDialog::OwnLabelClick(TObject* Sender) { log.push_back("OwnLabelClick " + NameOf(Sender)); }
void TArrayDialog::OwnButtonClick(TObject* Sender) { log.push_back("OwnButtonClick " + NameOf(Sender)); }

// --- TGrowForm --------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TGrowForm)
void TGrowForm::DeclarePublished(TClassBuilder<TGrowForm>& c) {
    FormField(c, "Panel1", &TGrowForm::Panel1);
    FormField(c, "ArLabel1", &TGrowForm::ArLabel1);
    FormField(c, "ArLabel2", &TGrowForm::ArLabel2);
    FormField(c, "ArButton2", &TGrowForm::ArButton2);
    c.Method("ArButton2Click", &TGrowForm::ArButton2Click);
}

TGrowForm::TGrowForm(TComponent* owner) : TForm(owner) { ReadForm({kArrayGrowForm, kArrayGrowForm_size}); }

void TGrowForm::ArButton2Click(TObject* Sender, int32_t Index) {
    log.push_back("ArButton2Click " + NameOf(Sender) + " " + std::to_string(Index));
}

// --- TRetForm ---------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TRetForm)
void TRetForm::DeclarePublished(TClassBuilder<TRetForm>& c) {
    FormField(c, "Edit1", &TRetForm::Edit1);
    FormField(c, "Edit2", &TRetForm::Edit2);
    FormField(c, "OkButton", &TRetForm::OkButton);
    FormField(c, "Edit3", &TRetForm::Edit3);
    FormField(c, "Edit4", &TRetForm::Edit4);
    c.Method("OkButtonClick", &TRetForm::OkButtonClick);
    c.Method("Edit3KeyPress", &TRetForm::Edit3KeyPress);
}

TRetForm::TRetForm(TComponent* owner) : TForm(owner) { ReadForm({kRetEditForm, kRetEditForm_size}); }

void TRetForm::OkButtonClick(TObject*) { ++okClicks; }
void TRetForm::Edit3KeyPress(TObject*, char& Key) { keysSeen += Key == '\r' ? std::string("<CR>") : std::string(1, Key); }

// --- TLinkForm --------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TLinkForm)
void TLinkForm::DeclarePublished(TClassBuilder<TLinkForm>& c) { c.Method("ArLabel1Click", &TLinkForm::ArLabel1Click); }

TLinkForm::TLinkForm(std::string_view text) : TForm(nullptr) { ReadForm(text); }

void TLinkForm::ArLabel1Click(TObject* Sender, int32_t Index) {
    log.push_back("ArLabel1Click " + NameOf(Sender) + " " + std::to_string(Index));
}

// --- TProbeArLabel ----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TProbeArLabel)
void TProbeArLabel::DeclarePublished(TClassBuilder<TProbeArLabel>&) {}

bool TProbeArLabel::SetCntrlEvent(TControl* control) {
    ++attempts;
    if (!IsMainThread()) ++attemptsOffMainThread;
    lastThread = std::this_thread::get_id();
    return TArLabel::SetCntrlEvent(control);
}
