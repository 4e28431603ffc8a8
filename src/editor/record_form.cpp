#include "editor/record_form.h"

#include "app/main_form.h"
#include "catalog/field_text.h"
#include "catalog/record_fields.h"
#include "editor/hosoku_file.h"
#include "editor/registration_date.h"
#include "framework/sysutils.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"

extern const char kRecordEditForm[];
extern const unsigned kRecordEditForm_size;

TForm3* Form3 = nullptr;

namespace {

// The folder under which the sets lie, read anew at every use.
std::string KissFolder() {
    const IniItem& item = Settings.Item(Settings.FirstItem(settings_keys::FilePaths) + settings_keys::KISSDIR);
    return item.text ? item.text : "";
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TForm3)
void TForm3::DeclarePublished(TClassBuilder<TForm3>& c) {
    FormField(c, "Bevel1", &TForm3::Bevel1);
    FormField(c, "ArLabel1_1", &TForm3::ArLabel1_1);
    FormField(c, "ArLabel1_2", &TForm3::ArLabel1_2);
    FormField(c, "ArLabel1_3", &TForm3::ArLabel1_3);
    FormField(c, "ArLabel1_4", &TForm3::ArLabel1_4);
    FormField(c, "ArLabel1_5", &TForm3::ArLabel1_5);
    FormField(c, "ArLabel1_6", &TForm3::ArLabel1_6);
    FormField(c, "ArLabel1_7", &TForm3::ArLabel1_7);
    FormField(c, "ArLabel1_8", &TForm3::ArLabel1_8);
    FormField(c, "ArMaskEdit1_1", &TForm3::ArMaskEdit1_1);
    FormField(c, "ArMaskEdit1_2", &TForm3::ArMaskEdit1_2);
    FormField(c, "ArMaskEdit1_3", &TForm3::ArMaskEdit1_3);
    FormField(c, "ArMaskEdit1_4", &TForm3::ArMaskEdit1_4);
    FormField(c, "ArMaskEdit1_5", &TForm3::ArMaskEdit1_5);
    FormField(c, "ArMaskEdit1_6", &TForm3::ArMaskEdit1_6);
    FormField(c, "ArMaskEdit1_7", &TForm3::ArMaskEdit1_7);
    FormField(c, "ArMaskEdit1_8", &TForm3::ArMaskEdit1_8);
    FormField(c, "BB_OK", &TForm3::BB_OK);
    FormField(c, "BB_CANCEL", &TForm3::BB_CANCEL);
    FormField(c, "BB_Read", &TForm3::BB_Read);
    FormField(c, "Button1", &TForm3::Button1);
    FormField(c, "ArMaskEdit1", &TForm3::ArMaskEdit1);
    FormField(c, "ArLabel1", &TForm3::ArLabel1);
    FormField(c, "OpenDialog1", &TForm3::OpenDialog1);
    FormField(c, "OpenDialog2", &TForm3::OpenDialog2);
    c.Method("FormShow", &TForm3::FormShow);
    c.Method("BB_OKClick", &TForm3::BB_OKClick);
    c.Method("BB_CANCELClick", &TForm3::BB_CANCELClick);
    c.Method("Button1Click", &TForm3::Button1Click);
    c.Method("BB_ReadClick", &TForm3::BB_ReadClick);
}

TForm3::TForm3(TComponent* owner) : TForm(owner) { ReadForm(std::string_view(kRecordEditForm, kRecordEditForm_size)); }

std::string TForm3::FieldText(int index) const { return ArMaskEdit1->ArryCntrl(index)->Text(); }

void TForm3::SetFieldText(int index, const std::string& text) { ArMaskEdit1->ArryCntrl(index)->SetText(text); }

void TForm3::LoadFromGrid(int row) {
    for (int i = 0; i < kFieldCount; ++i) {
        loadedCells_[i] = Form1->ComboGrid1->Cells(i, row);
        SetFieldText(i, loadedCells_[i]);
        shownTexts_[i] = FieldText(i);
    }
}

std::array<std::string, TForm3::kFieldCount> TForm3::TextsToStore() const {
    std::array<std::string, kFieldCount> texts;
    for (int i = 0; i < kFieldCount; ++i) {
        texts[i] = FieldText(i);
        // A hand-edited cell that does not fit its field's mask survives an
        // OK that did not touch it.
        if (!AppendMode && texts[i] == shownTexts_[i]) texts[i] = loadedCells_[i];
    }
    return texts;
}

bool TForm3::FieldsStorable(const std::array<std::string, kFieldCount>& texts) {
    for (int i = kFolderField; i < kFieldCount; ++i) {
        const size_t at = FirstUnstorableFieldByte(texts[i]);
        if (at == std::string::npos) continue;
        // The catalog file has no quoting: a comma would move every later
        // field of the record for good, a line break would split it.
        const std::string what = texts[i][at] == ',' ? "半角のコンマ「,」" : "改行や制御文字";
        // The OK button has already asked to close; taken back before the
        // message box runs its own loop.
        SetModalResult(mrNone);
        Application->MessageBox("「" + ArLabel1->ArryCntrl(i)->Caption() + "」に" + what +
                                    "は使えません。\n"
                                    "カタログのCSVファイルに保存できないためです。\n"
                                    "全角の「，」などに書き換えてください。",
                                "エラー", MB_OK | MB_ICONSTOP);
        ArMaskEdit1->ArryCntrl(i)->SetFocus();
        return false;
    }
    return true;
}

void TForm3::StoreToGrid(int row, const std::array<std::string, kFieldCount>& texts) {
    for (int i = 0; i < kFieldCount; ++i) Form1->ComboGrid1->SetCell(i, row, texts[i]);
    if (!Form1->Modified) {
        Form1->Modified = true;
        Form1->UpdateCaption();
    }
}

void TForm3::FormShow(TObject*) {
    if (!AppendMode) {
        LoadFromGrid(Form1->ComboGrid1->Row());
        return;
    }
    SetFieldText(kNumberField, "(新規)");
    for (int i = 1; i < kFieldCount; ++i) SetFieldText(i, std::string());
}

void TForm3::BB_OKClick(TObject*) {
    TComboGrid* grid = Form1->ComboGrid1;
    std::array<std::string, kFieldCount> texts = TextsToStore();
    if (!FieldsStorable(texts)) return;  // the dialog stays open
    if (AppendMode) {
        int n = grid->RowCount();
        if (n == 2 && grid->Cells(0, 1).empty()) {
            n = 1;  // an empty catalog: its one empty row takes the record
        } else {
            grid->SetRowCount(n + 1);
        }
        grid->SetRow(n);
        texts[kNumberField] = IntToStr(n);
        SetFieldText(kNumberField, texts[kNumberField]);
    } else if (texts[kNumberField].empty()) {
        // The empty row of an empty catalog: a record written there is
        // numbered by its row, as an append would, so the next append
        // does not take the row again.
        texts[kNumberField] = IntToStr(grid->Row());
    }
    StoreToGrid(grid->Row(), texts);
    SetModalResult(mrOk);
}

void TForm3::BB_CANCELClick(TObject*) { SetModalResult(mrCancel); }

void TForm3::SetFolder(const std::string& path) {
    std::string kissFolder = KissFolder();
    std::string folder = FolderOfPath(path);
    if (kissFolder.size() > folder.size()) {
        Application->MessageBox("不正なディレクトリ（フォルダ）が指定されました。", "エラー", MB_OK | MB_ICONSTOP);
        SetFieldText(kFolderField, std::string());
        return;
    }
    // What follows the first bytes of the KiSS folder's length: the set's
    // folder as the opening of a set joins it back behind "KISSDIR".
    SetFieldText(kFolderField, folder.substr(kissFolder.size()));
}

std::string TForm3::DateWithCentury(const std::string& date) { return ::DateWithCentury(date); }

void TForm3::FollowRecordFolder() { OpenDialog1->SetInitialDir(KissFolder() + FieldText(kFolderField)); }

void TForm3::Button1Click(TObject*) {
    if (OpenDialog2->InitialDir().empty()) OpenDialog2->SetInitialDir(KissFolder());
    if (!OpenDialog2->Execute()) return;
    std::string chosen = OpenDialog2->FileName();
    SetFolder(chosen);
    SetFieldText(kArchiveField, NameOfPath(chosen));
    FollowRecordFolder();
}

void TForm3::BB_ReadClick(TObject*) {
    if (OpenDialog1->InitialDir().empty()) OpenDialog1->SetInitialDir(KissFolder());
    if (!OpenDialog1->Execute()) return;
    std::string chosen = OpenDialog1->FileName();
    HosokuFile description;
    if (description.ReadHosoku(chosen.c_str()) != 0) {
        // Gone since it was chosen, or not readable: what the user typed stays.
        Application->MessageBox("補足説明ファイルを開けませんでした。\n" + chosen, "エラー", MB_OK | MB_ICONSTOP);
        return;
    }
    if (description.FileName.empty() && description.Title.empty() && description.Author.empty() &&
        description.Id.empty() && description.RegDate.empty() && description.Bytes.empty()) {
        // Another kind of file: what the user typed stays.
        Application->MessageBox("補足説明ファイルから読み込める項目がありませんでした。\n" + chosen +
                                    "\n\nNIFTY の補足説明（*.ﾎｿｸ, *.hed, *.up）を選んでください。",
                                "エラー", MB_OK | MB_ICONSTOP);
        return;
    }
    SetFolder(chosen);
    SetFieldText(kArchiveField, description.FileName);
    SetFieldText(kTitleField, description.Title);
    SetFieldText(kAuthorField, description.Author);
    SetFieldText(kIdField, description.Id);
    SetFieldText(kDateField, DateWithCentury(description.RegDate));
    SetFieldText(kSizeField, description.Bytes);
    FollowRecordFolder();
}
