#include "settings/setup_form.h"

#include "app/main_form.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "platform/current_folder.h"
#include "settings/ini_value.h"
#include "settings/path_setting.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"

extern const char kSetupForm[];
extern const unsigned kSetupForm_size;

TForm2* Form2 = nullptr;

namespace {

const char* const kFieldKeys[] = {"DefaultCSV", "KISSDIR", "KISSEXE", "TMPDIR"};

// The fields' names as their labels show them.
const char* const kFieldNames[] = {"標準CSVファイル", "KISS ディレクトリ", "WKISS実行ファイル", "実行ディレクトリ"};

}  // namespace

TANSU_IMPLEMENT_CLASS(TForm2)
void TForm2::DeclarePublished(TClassBuilder<TForm2>& c) {
    FormField(c, "ArLabel1_1", &TForm2::ArLabel1_1);
    FormField(c, "ArLabel1_2", &TForm2::ArLabel1_2);
    FormField(c, "ArLabel1_3", &TForm2::ArLabel1_3);
    FormField(c, "ArLabel1_4", &TForm2::ArLabel1_4);
    FormField(c, "ArEdit1_1", &TForm2::ArEdit1_1);
    FormField(c, "ArEdit1_2", &TForm2::ArEdit1_2);
    FormField(c, "ArEdit1_3", &TForm2::ArEdit1_3);
    FormField(c, "ArEdit1_4", &TForm2::ArEdit1_4);
    FormField(c, "BitBtn_OK", &TForm2::BitBtn_OK);
    FormField(c, "BitBtn_CANCEL", &TForm2::BitBtn_CANCEL);
    FormField(c, "ArButton1_1", &TForm2::ArButton1_1);
    FormField(c, "ArButton1_2", &TForm2::ArButton1_2);
    FormField(c, "ArButton1_3", &TForm2::ArButton1_3);
    FormField(c, "ArButton1_4", &TForm2::ArButton1_4);
    FormField(c, "ArLabel1", &TForm2::ArLabel1);
    FormField(c, "ArEdit1", &TForm2::ArEdit1);
    FormField(c, "ArButton1", &TForm2::ArButton1);
    FormField(c, "OpenDialog1", &TForm2::OpenDialog1);
    FormField(c, "OpenDialog2", &TForm2::OpenDialog2);
    FormField(c, "FolderDialog1", &TForm2::FolderDialog1);
    FormField(c, "FolderDialog2", &TForm2::FolderDialog2);
    c.Method("FormCreate", &TForm2::FormCreate);
    c.Method("FormShow", &TForm2::FormShow);
    c.Method("BitBtn_OKClick", &TForm2::BitBtn_OKClick);
    c.Method("BitBtn_CANCELClick", &TForm2::BitBtn_CANCELClick);
    c.Method("ArButton1Click", &TForm2::ArButton1Click);
}

TForm2::TForm2(TComponent* owner) : TForm(owner) { ReadForm(std::string_view(kSetupForm, kSetupForm_size)); }

std::string TForm2::FieldText(int index) const { return ArEdit1->ArryCntrl(index)->Text(); }

void TForm2::SetFieldText(int index, const std::string& text) { ArEdit1->ArryCntrl(index)->SetText(text); }

void TForm2::FormCreate(TObject*) { FillFields(); }

void TForm2::FormShow(TObject*) { FillFields(); }

void TForm2::FillFields() {
    int first = Settings.FirstItem(settings_keys::FilePaths);
    for (int i = 0; i < 4; ++i) {
        const char* text = Settings.Item(first + i).text;
        SetFieldText(i, text ? text : "");
    }
    if (FieldText(kKissFolderField).empty()) {
        // The sets are looked for beside the program until the user says
        // otherwise.
        SetFieldText(kKissFolderField, platform::GetCurrentFolder().value_or(std::string()) + "\\");
    }
    // A working folder of TANSU's own rather than none, which opens nothing.
    if (FieldText(kWorkFolderField).empty()) SetFieldText(kWorkFolderField, DefaultWorkFolder());
}

void TForm2::BitBtn_OKClick(TObject*) {
    std::string stored[4];
    for (int i = 0; i < 4; ++i) {
        stored[i] = StoredPathForm(FieldText(i), i == kKissFolderField);
        if (!CanStoreValue(stored[i])) {
            // Nothing is stored while one field could not be read back.
            Application->MessageBox(std::string("「") + kFieldNames[i] +
                                        "」に、設定ファイルに保存できない文字（改行などの制御文字）があります。\n"
                                        "取り除いてから OK を押してください。",
                                    "エラー", MB_OK | MB_ICONHAND);
            ArEdit1->ArryCntrl(i)->SetFocus();
            return;
        }
    }
    for (int i = 0; i < 4; ++i) Settings.SetText(settings_keys::FilePaths, kFieldKeys[i], stored[i].c_str());
    // A file that cannot be written now is written at the next save (the
    // main window's close); the texts are in the settings already.
    Settings.Save(kSettingsFileName);
    SetModalResult(mrOk);
}

void TForm2::BitBtn_CANCELClick(TObject*) { SetModalResult(mrCancel); }

void TForm2::ChooseFolder(TFolderDialog* dialog, int field, bool prefix) {
    dialog->SetInitialDir(StoredPathForm(FieldText(field), false));
    dialog->SetFileName(std::string());
    if (!dialog->Execute()) return;
    std::string chosen = dialog->FileName();
    if (prefix && !EndsWithSeparator(chosen)) chosen += "\\";
    SetFieldText(field, chosen);
}

void TForm2::ArButton1Click(TObject*, int32_t Index) {
    if (Index == kCatalogButton) {
        if (!OpenDialog1->Execute()) return;
        if (!Form1->MayReplaceCatalog()) return;  // changes the user keeps unsaved
        std::string chosen = OpenDialog1->FileName();
        SetFieldText(kCatalogField, chosen);
        SetFieldText(kKissFolderField, FolderOfPath(chosen) + "\\");
        // The main window shows the chosen catalog at once, before OK.
        Form1->LoadCsv(chosen);
    } else if (Index == kViewerButton) {
        OpenDialog2->SetFileName(FieldText(kViewerField));
        if (!OpenDialog2->Execute()) return;
        SetFieldText(kViewerField, OpenDialog2->FileName());
    } else if (Index == kKissFolderButton) {
        ChooseFolder(FolderDialog1, kKissFolderField, true);
    } else if (Index == kWorkFolderButton) {
        ChooseFolder(FolderDialog2, kWorkFolderField, false);
    }
}
