#include "framework/ui/forms/dialogs.h"

TANSU_IMPLEMENT_CLASS(TOpenDialog)
void TOpenDialog::DeclarePublished(TClassBuilder<TOpenDialog>& c) {
    c.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    c.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    c.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    c.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex).Default(1);
    c.Property("ExecutablesFilter", &TOpenDialog::ExecutablesFilter, &TOpenDialog::SetExecutablesFilter).Default(0);
    c.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    c.Set("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions,
          {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
           "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
           "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
           "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"})
        .Default(ofHideReadOnly | ofEnableSizing);
    c.Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
}

TANSU_IMPLEMENT_CLASS(TSaveDialog)
void TSaveDialog::DeclarePublished(TClassBuilder<TSaveDialog>&) {}

TANSU_IMPLEMENT_CLASS(TFolderDialog)
void TFolderDialog::DeclarePublished(TClassBuilder<TFolderDialog>&) {}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner), files_(new TStringList()) {}

TOpenDialog::~TOpenDialog() { delete files_; }

bool TOpenDialog::Execute() {
    ui::OpenDialogOptions& o = dialog_.Settings().options;
    o.hideReadOnly = options_ & ofHideReadOnly;
    o.noChangeDir = options_ & ofNoChangeDir;
    o.pathMustExist = options_ & ofPathMustExist;
    o.fileMustExist = options_ & ofFileMustExist;
    o.allowMultiSelect = options_ & ofAllowMultiSelect;
    o.overwritePrompt = options_ & ofOverwritePrompt;
    dialog_.Settings().save = saving_;
    dialog_.Settings().folder = choosingFolder_;
    if (!dialog_.Execute()) return false;
    files_->Clear();
    for (const std::string& f : dialog_.Files()) files_->Add(f);
    return true;
}
