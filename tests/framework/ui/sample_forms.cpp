#include "sample_forms.h"

extern const char kSampleDialogForm[];
extern const unsigned kSampleDialogForm_size;
extern const char kSampleMainForm[];
extern const unsigned kSampleMainForm_size;

std::string_view SampleDialogText() { return {kSampleDialogForm, kSampleDialogForm_size}; }
std::string_view SampleMainText() { return {kSampleMainForm, kSampleMainForm_size}; }

namespace {
std::string NameOf(TObject* sender) {
    auto* c = ObjectCast<TComponent>(sender);
    return c ? c->Name() : std::string("?");
}
}  // namespace

TANSU_IMPLEMENT_CLASS(TSampleDialog)
void TSampleDialog::DeclarePublished(TClassBuilder<TSampleDialog>& c) {
    FormField(c, "Bevel1", &TSampleDialog::Bevel1);
    FormField(c, "Label1", &TSampleDialog::Label1);
    FormField(c, "Edit1", &TSampleDialog::Edit1);
    FormField(c, "DateEdit", &TSampleDialog::DateEdit);
    FormField(c, "Number", &TSampleDialog::Number);
    FormField(c, "OkButton", &TSampleDialog::OkButton);
    FormField(c, "CancelButton", &TSampleDialog::CancelButton);
    FormField(c, "Browse", &TSampleDialog::Browse);
    FormField(c, "OpenDialog1", &TSampleDialog::OpenDialog1);
    c.Method("FormCreate", &TSampleDialog::FormCreate);
    c.Method("FormShow", &TSampleDialog::FormShow);
    c.Method("FormCloseQuery", &TSampleDialog::FormCloseQuery);
    c.Method("FormClose", &TSampleDialog::FormClose);
    c.Method("Label1Click", &TSampleDialog::Label1Click);
    c.Method("Edit1Change", &TSampleDialog::Edit1Change);
    c.Method("Edit1KeyPress", &TSampleDialog::Edit1KeyPress);
    c.Method("OkButtonClick", &TSampleDialog::OkButtonClick);
    c.Method("BrowseClick", &TSampleDialog::BrowseClick);
}

TSampleDialog::TSampleDialog(TComponent* owner) : TForm(owner) { ReadForm(SampleDialogText()); }

void TSampleDialog::FormCreate(TObject*) {
    log.push_back("create");
    fieldsBoundAtCreate = Edit1 && OpenDialog1 && CancelButton;
}
void TSampleDialog::FormShow(TObject*) { log.push_back("show"); }
void TSampleDialog::FormCloseQuery(TObject*, bool& CanClose) {
    log.push_back("closequery");
    CanClose = allowClose;
}
void TSampleDialog::FormClose(TObject*, TCloseAction&) { log.push_back("close"); }
void TSampleDialog::Label1Click(TObject* Sender) { log.push_back("click " + NameOf(Sender)); }
void TSampleDialog::Edit1Change(TObject*) { log.push_back("change"); }
void TSampleDialog::Edit1KeyPress(TObject*, char& Key) {
    typed.push_back(Key);
    if (Key == 'x') Key = 0;
}
void TSampleDialog::OkButtonClick(TObject*) {
    log.push_back("ok");
    if (onOk) onOk();
}
void TSampleDialog::BrowseClick(TObject*) { log.push_back("browse"); }

TANSU_IMPLEMENT_CLASS(TSampleMain)
void TSampleMain::DeclarePublished(TClassBuilder<TSampleMain>& c) {
    FormField(c, "Panel1", &TSampleMain::Panel1);
    FormField(c, "Panel3", &TSampleMain::Panel3);
    FormField(c, "Status", &TSampleMain::Status);
    FormField(c, "ListBox1", &TSampleMain::ListBox1);
    FormField(c, "MainMenu1", &TSampleMain::MainMenu1);
    FormField(c, "F1", &TSampleMain::F1);
    FormField(c, "MenuFileOpen", &TSampleMain::MenuFileOpen);
    FormField(c, "N2", &TSampleMain::N2);
    FormField(c, "MenuSort", &TSampleMain::MenuSort);
    FormField(c, "MenuSortNum", &TSampleMain::MenuSortNum);
    FormField(c, "MenuSortDir", &TSampleMain::MenuSortDir);
    c.Method("MenuClick", &TSampleMain::MenuClick);
    c.Method("FileExitClick", &TSampleMain::FileExitClick);
    c.Method("ListBox1Click", &TSampleMain::ListBox1Click);
    c.Method("FormCloseQuery", &TSampleMain::FormCloseQuery);
    c.Method("FormClose", &TSampleMain::FormClose);
}

TSampleMain::TSampleMain(TComponent* owner) : TForm(owner) { ReadForm(SampleMainText()); }

void TSampleMain::MenuClick(TObject* Sender) { log.push_back(NameOf(Sender)); }
void TSampleMain::FileExitClick(TObject*) { Close(); }
void TSampleMain::ListBox1Click(TObject*) { log.push_back("ListBox1 " + std::to_string(ListBox1->ItemIndex())); }
void TSampleMain::FormCloseQuery(TObject*, bool& CanClose) {
    log.push_back("closequery");
    CanClose = allowClose;
}
void TSampleMain::FormClose(TObject*, TCloseAction&) { log.push_back("close"); }
