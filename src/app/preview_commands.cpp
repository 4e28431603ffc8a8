// The preview window beside the catalog: the View menu opens and closes
// it, and it follows the current row.
#include "app/main_form.h"

#include "framework/cp932_chars.h"
#include "preview/preview_form.h"
#include "settings/settings_keys.h"

namespace {

std::string FilePathsText(int place) {
    const char* text = Settings.Item(Settings.FirstItem(settings_keys::FilePaths) + place).text;
    return text ? text : "";
}

bool IsAbsolute(const std::string& systemPath) {
    return (systemPath.size() >= 2 && systemPath[1] == ':') || (!systemPath.empty() && (systemPath[0] == '\\' || systemPath[0] == '/'));
}

// Where the viewer would find the archive: "KISSDIR" + archive, which the
// viewer, started in "TMPDIR", takes relative to that folder.
std::string ArchiveSystemPath(const std::string& archive) {
    const std::string path = FilePathsText(settings_keys::KISSDIR) + archive;
    const std::string work = FilePathsText(settings_keys::TMPDIR);
    if (IsAbsolute(path) || work.empty()) return path;
    // The last character, not byte: a double-byte one may end in 0x5C.
    const bool endsInSeparator = ui::SplitCp932(work).back() == "\\";
    return endsInSeparator ? work + path : work + "\\" + path;
}

}  // namespace

void TForm1::MenuViewPreviewClick(TObject*) {
    if (PreviewForm->Visible()) {
        PreviewForm->Close();
        return;
    }
    OpenPreview();
}

void TForm1::OpenPreview() {
    PreviewForm->OnHide.Bind(this, &TForm1::PreviewHidden);
    PreviewForm->RestorePlace(*this);
    PreviewForm->ShowWithoutActivating();  // the catalog keeps the keyboard
    MenuViewPreview->SetChecked(true);
    PreviewCurrentRow();
}

void TForm1::PreviewHidden(TObject*) { MenuViewPreview->SetChecked(false); }

void TForm1::ComboGrid1Click(TObject*) { PreviewCurrentRow(); }

void TForm1::PreviewCurrentRow() {
    if (!PreviewForm || !PreviewForm->Visible()) return;
    const int row = ComboGrid1->Row();
    const std::string& name = ComboGrid1->Cells(2, row);
    const std::string archive = name.empty() ? std::string() : ComboGrid1->Cells(1, row) + "\\" + name;
    PreviewForm->ShowRecord(archive, ArchiveSystemPath(archive), ComboGrid1->Cells(3, row));
}
