#include "app/main_form.h"

#include "app/column_widths.h"
#include "editor/record_form.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "platform/os_file.h"
#include "preview/preview_form.h"
#include "settings/settings_keys.h"
#include "settings/setup_form.h"

extern const char kMainForm[];
extern const unsigned kMainForm_size;

TForm1* Form1 = nullptr;

namespace {

const IniItem& Setting(int section, int place) { return Settings.Item(Settings.FirstItem(section) + place); }

std::string SettingText(int section, int place) {
    const char* text = Setting(section, place).text;
    return text ? text : "";
}

// TANSU's own catalog before anything was saved into it (the first start):
// no file of the default name is there at all.  Any other missing catalog
// is one the user chose, and its loss is reported.
bool IsCatalogNotYetMade(const std::string& name) {
    const char* defaultName = SettingsKeys[settings_keys::DefaultCSV].text;
    const std::optional<platform::OsPath> os = platform::OsPath::FromSystem(name);
    return name == defaultName && !(os && platform::FileExists(*os));
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TForm1)
void TForm1::DeclarePublished(TClassBuilder<TForm1>& c) {
    FormField(c, "ComboGrid1", &TForm1::ComboGrid1);
    FormField(c, "MainMenu1", &TForm1::MainMenu1);
    FormField(c, "F1", &TForm1::F1);
    FormField(c, "MenuFileOpen", &TForm1::MenuFileOpen);
    FormField(c, "MenuFileSave", &TForm1::MenuFileSave);
    FormField(c, "MenuFileSaveAs", &TForm1::MenuFileSaveAs);
    FormField(c, "N2", &TForm1::N2);
    FormField(c, "MenuSetUp", &TForm1::MenuSetUp);
    FormField(c, "N1", &TForm1::N1);
    FormField(c, "FileExit", &TForm1::FileExit);
    FormField(c, "MenuSort", &TForm1::MenuSort);
    FormField(c, "MenuSortNum", &TForm1::MenuSortNum);
    FormField(c, "MenuSortDir", &TForm1::MenuSortDir);
    FormField(c, "MenuSortLZHFile", &TForm1::MenuSortLZHFile);
    FormField(c, "MenuSortTitle", &TForm1::MenuSortTitle);
    FormField(c, "MenuSortAuthor", &TForm1::MenuSortAuthor);
    FormField(c, "MenuSortID", &TForm1::MenuSortID);
    FormField(c, "MenuSortDate", &TForm1::MenuSortDate);
    FormField(c, "MenuSortSize", &TForm1::MenuSortSize);
    FormField(c, "R1", &TForm1::R1);
    FormField(c, "MenuRecordEdit", &TForm1::MenuRecordEdit);
    FormField(c, "MenuRecordAppend", &TForm1::MenuRecordAppend);
    FormField(c, "MenuRecordBatchAdd", &TForm1::MenuRecordBatchAdd);
    FormField(c, "N3", &TForm1::N3);
    FormField(c, "MenuRecordFind", &TForm1::MenuRecordFind);
    FormField(c, "MenuRecordFindNext", &TForm1::MenuRecordFindNext);
    FormField(c, "V1", &TForm1::V1);
    FormField(c, "MenuViewPreview", &TForm1::MenuViewPreview);
    FormField(c, "H1", &TForm1::H1);
    FormField(c, "MenuAbout", &TForm1::MenuAbout);
    FormField(c, "OpenDialog1", &TForm1::OpenDialog1);
    FormField(c, "SaveDialog1", &TForm1::SaveDialog1);
    c.Method("FormCreate", &TForm1::FormCreate);
    c.Method("FormShow", &TForm1::FormShow);
    c.Method("FormCloseQuery", &TForm1::FormCloseQuery);
    c.Method("FormClose", &TForm1::FormClose);
    c.Method("MenuFileOpenClick", &TForm1::MenuFileOpenClick);
    c.Method("MenuFileSaveClick", &TForm1::MenuFileSaveClick);
    c.Method("MenuFileSaveAsClick", &TForm1::MenuFileSaveAsClick);
    c.Method("MenuSetUpClick", &TForm1::MenuSetUpClick);
    c.Method("FileExitClick", &TForm1::FileExitClick);
    c.Method("MenuSortClick", &TForm1::MenuSortClick);
    c.Method("MenuSortNumClick", &TForm1::MenuSortNumClick);
    c.Method("MenuSortDirClick", &TForm1::MenuSortDirClick);
    c.Method("MenuSortLZHFileClick", &TForm1::MenuSortLZHFileClick);
    c.Method("MenuSortTitleClick", &TForm1::MenuSortTitleClick);
    c.Method("MenuSortAuthorClick", &TForm1::MenuSortAuthorClick);
    c.Method("MenuSortIDClick", &TForm1::MenuSortIDClick);
    c.Method("MenuSortDateClick", &TForm1::MenuSortDateClick);
    c.Method("MenuSortSizeClick", &TForm1::MenuSortSizeClick);
    c.Method("MenuRecordEditClick", &TForm1::MenuRecordEditClick);
    c.Method("MenuRecordAppendClick", &TForm1::MenuRecordAppendClick);
    c.Method("MenuRecordBatchAddClick", &TForm1::MenuRecordBatchAddClick);
    c.Method("MenuRecordFindClick", &TForm1::MenuRecordFindClick);
    c.Method("MenuRecordFindNextClick", &TForm1::MenuRecordFindNextClick);
    c.Method("MenuAboutClick", &TForm1::MenuAboutClick);
    c.Method("MenuViewPreviewClick", &TForm1::MenuViewPreviewClick);
    c.Method("ComboGrid1Click", &TForm1::ComboGrid1Click);
    c.Method("ComboGrid1DblClick", &TForm1::ComboGrid1DblClick);
    c.Method("ComboGrid1KeyPress", &TForm1::ComboGrid1KeyPress);
    c.Method("ComboGrid1RowMoved", &TForm1::ComboGrid1RowMoved);
}

TForm1::TForm1(TComponent* owner) : TForm(owner) { ReadForm(std::string_view(kMainForm, kMainForm_size)); }

void TForm1::FormCreate(TObject*) {
    FitColumnWidthsToFont(*ComboGrid1);
    SortColumn = 0;
    ShowSetupOnShow = false;
    Modified = false;
    CsvFileName.clear();

    namespace keys = settings_keys;
    UseThisMachinesDefaults();
    if (Settings.Load(kSettingsFileName, SettingsSections, SettingsKeys) == 1) {
        int answer = Application->MessageBox(
            "本日は、TANSU の立ち上げ まことに有り難うございます。\n"
            "まず始めに、環境設定から行って下さい。\n"
            "\n"
            "すぐに、環境設定を行いますか？\n"
            "（あとで、メニューから[ﾌｧｲﾙ(F)|各種設定(S)]してもかまいません。）\n",
            "初回立ち上げ", MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) ShowSetupOnShow = true;
    }
    SetTop(Setting(keys::FormPosition, keys::Top).value);
    SetLeft(Setting(keys::FormPosition, keys::Left).value);
    SetWidth(Setting(keys::FormPosition, keys::Width).value);
    SetHeight(Setting(keys::FormPosition, keys::Height).value);

    std::string defaultCsv = SettingText(keys::FilePaths, keys::DefaultCSV);
    if (defaultCsv.empty()) {
        UpdateCaption();
    } else if (IsCatalogNotYetMade(defaultCsv)) {
        // A new catalog: shown empty under its name, written at the first save.
        CsvFileName = defaultCsv;
        UpdateCaption();
    } else {
        LoadCsv(defaultCsv);
    }
}

void TForm1::FormShow(TObject*) {
    // The preview opens beside the main window as it was left.
    if (PreviewForm && PreviewForm->WasOpen() && !PreviewForm->Visible()) OpenPreview();
    if (ShowSetupOnShow) Form2->ShowModal();
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
    if (!SaveChangesBefore("保存してから終了しますか？")) CanClose = false;
}

bool TForm1::SaveChangesBefore(const char* question) {
    if (!Modified) return true;
    int answer = Application->MessageBox(std::string("データが更新されています。\n") + question, "保存確認",
                                         MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    // Only a catalog that was written lets it go.
    return CsvFileName.empty() ? SaveUnderNewName() : SaveCsv(CsvFileName) == 0;
}

bool TForm1::MayReplaceCatalog() { return SaveChangesBefore("保存してから別のCSVファイルを開きますか？"); }

void TForm1::FormClose(TObject*, TCloseAction&) {
    const int values[] = {Top(), Left(), Width(), Height()};
    const char* const names[] = {"Top", "Left", "Width", "Height"};
    for (int i = 0; i < 4; ++i) {
        std::string text = std::to_string(values[i]);
        Settings.SetTextValue(settings_keys::FormPosition, names[i], text.c_str(), values[i]);
    }
    if (PreviewForm) PreviewForm->StorePlace();
    Settings.Save(kSettingsFileName);
}

void TForm1::UpdateCaption() {
    std::string caption = CsvFileName;
    if (!caption.empty()) {
        if (Modified) caption += "(更新)";
        caption += " - ";
    }
    caption += "TANSU メイン画面";
    SetCaption(caption);
}

void TForm1::MenuFileOpenClick(TObject*) {
    if (!OpenDialog1->Execute()) return;
    if (!MayReplaceCatalog()) return;
    std::string chosen = OpenDialog1->FileName();
    LoadCsv(chosen);
    // The choice becomes the catalog of the next start, also when it could
    // not be read now.
    Settings.SetText(settings_keys::FilePaths, "DefaultCSV", chosen.c_str());
}

void TForm1::MenuFileSaveClick(TObject*) {
    if (CsvFileName.empty()) {
        // Records typed without a catalog file need a name; with nothing
        // typed there is nothing to save.
        if (Modified) SaveUnderNewName();
        return;
    }
    std::string name = CsvFileName;
    if (SaveCsv(name) == 0) LoadCsv(name, true);
}

void TForm1::MenuFileSaveAsClick(TObject*) { SaveUnderNewName(); }

bool TForm1::SaveUnderNewName() {
    // The dialog starts on the catalog's own name, to be changed.
    if (!CsvFileName.empty()) SaveDialog1->SetFileName(CsvFileName);
    if (!SaveDialog1->Execute()) return false;
    std::string name = SaveDialog1->FileName();
    if (SaveCsv(name) != 0) return false;
    LoadCsv(name, true);
    Settings.SetText(settings_keys::FilePaths, "DefaultCSV", name.c_str());
    return true;
}

void TForm1::MenuSetUpClick(TObject*) { Form2->ShowModal(); }

void TForm1::FileExitClick(TObject*) { Close(); }

void TForm1::MenuRecordEditClick(TObject*) {
    Form3->AppendMode = false;
    Form3->ShowModal();
    PreviewCurrentRow();
}

void TForm1::MenuRecordAppendClick(TObject*) {
    Form3->AppendMode = true;
    Form3->ShowModal();
    PreviewCurrentRow();
}

void TForm1::MenuAboutClick(TObject*) {
    Application->MessageBox(
        "Tansu #02\n"
        "KiSS 着せ替えセットのカタログ管理と起動\n"
        "\n"
        "カタログは Shift-JIS の CSV ファイル、設定は Tansu.ini です。\n"
        "(c) 2026 TANSU の開発者たち\n"
        "MIT ライセンスで配布しています。",
        "About this Application", MB_OK | MB_ICONINFORMATION);
}

void TForm1::ComboGrid1KeyPress(TObject* Sender, char& Key) {
    if (Key == 13) ComboGrid1DblClick(Sender);
    else if (Key == 27) MenuRecordEditClick(Sender);
}
