#include "app/batch_add_form.h"

#include "framework/sysutils.h"

extern const char kBatchAddForm[];
extern const unsigned kBatchAddForm_size;

TBatchAddForm* BatchAddForm = nullptr;

const char TBatchAddForm::kChecked[] = "追加";
const char TBatchAddForm::kUnchecked[] = "-";

namespace {

constexpr int kCheckColumn = 0;
constexpr int kDescribedColumn = 8;
constexpr int kNoteColumn = 9;

const char* ColumnName(int column) {
    static const char* const names[NewSet::kFields] = {"", "ﾌｫﾙﾀﾞ", "書庫名", "タイトル", "作者", "ID", "日付", "サイズ"};
    return names[column];
}

std::string Note(const NewSet& set) {
    std::string note;
    if (!set.changedColumns.empty()) {
        note = "「,」を「，」に:";
        for (int column : set.changedColumns) note += std::string(" ") + ColumnName(column);
    }
    if (set.unreadable) {
        if (!note.empty()) note += " / ";
        note += "書庫として読めません";
    }
    return note;
}

std::string Reason(SkippedName::Reason reason) {
    switch (reason) {
    case SkippedName::Reason::NoShiftJisName: return "書庫名に Shift-JIS で書けない文字があります";
    case SkippedName::Reason::NoShiftJisFolder: return "ﾌｫﾙﾀﾞ名に Shift-JIS で書けない文字があります（中は調べていません）";
    case SkippedName::Reason::UnstorableName: return "名前に「,」か改行があり、カタログに書けません";
    case SkippedName::Reason::OutsideSetFolder: return "KISSフォルダの直下にあります（ﾌｫﾙﾀﾞに入れると追加できます）";
    case SkippedName::Reason::FolderUnreadable: return "ﾌｫﾙﾀﾞが読めません";
    }
    return std::string();
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TBatchAddForm)
void TBatchAddForm::DeclarePublished(TClassBuilder<TBatchAddForm>& c) {
    FormField(c, "Label1", &TBatchAddForm::Label1);
    FormField(c, "ComboGrid1", &TBatchAddForm::ComboGrid1);
    FormField(c, "ButtonCheckAll", &TBatchAddForm::ButtonCheckAll);
    FormField(c, "ButtonUncheckAll", &TBatchAddForm::ButtonUncheckAll);
    FormField(c, "Label2", &TBatchAddForm::Label2);
    FormField(c, "ListBox1", &TBatchAddForm::ListBox1);
    FormField(c, "BB_OK", &TBatchAddForm::BB_OK);
    FormField(c, "BB_CANCEL", &TBatchAddForm::BB_CANCEL);
    c.Method("ComboGrid1GridBtnClick", &TBatchAddForm::ComboGrid1GridBtnClick);
    c.Method("ButtonCheckAllClick", &TBatchAddForm::ButtonCheckAllClick);
    c.Method("ButtonUncheckAllClick", &TBatchAddForm::ButtonUncheckAllClick);
}

TBatchAddForm::TBatchAddForm(TComponent* owner) : TForm(owner) {
    ReadForm(std::string_view(kBatchAddForm, kBatchAddForm_size));
}

void TBatchAddForm::ShowFound(const NewSetsFound& found) {
    sets_ = found.sets;
    const int count = static_cast<int>(sets_.size());
    TComboGrid& grid = *ComboGrid1;
    grid.SetRowCount(count + 1 >= 2 ? count + 1 : 2);
    for (int c = 0; c < grid.ColCount(); ++c) grid.SetCell(c, 1, std::string());
    for (int i = 0; i < count; ++i) {
        const NewSet& set = sets_[static_cast<size_t>(i)];
        const int row = i + 1;
        grid.SetCell(kCheckColumn, row, kChecked);
        for (int c = 1; c < NewSet::kFields; ++c) grid.SetCell(c, row, set.fields[c]);
        grid.SetCell(kDescribedColumn, row, set.described ? "あり" : "なし");
        grid.SetCell(kNoteColumn, row, Note(set));
    }
    grid.SetRow(1);
    grid.SetCol(kCheckColumn);
    grid.SetTopRow(1);
    Label1->SetCaption(count > 0 ? "カタログにない書庫: " + IntToStr(count) + " 件（チェックしたものを追加します）"
                                 : std::string("追加できる書庫はありません"));

    // Filled aside and handed over at once: the list box redraws once.
    TStringList skipped;
    for (const SkippedName& s : found.skipped) {
        std::string name = s.folder;
        if (!s.name.empty()) name += (name.empty() ? "" : "\\") + s.name;
        skipped.Add(name + "　… " + Reason(s.reason));
    }
    ListBox1->SetItems(&skipped);
    Label2->SetCaption("追加できない書庫: " + IntToStr(static_cast<int64_t>(found.skipped.size())) + " 件");
    SetActiveControl(ComboGrid1);
}

std::vector<std::vector<std::string>> TBatchAddForm::CheckedRecords() const {
    std::vector<std::vector<std::string>> records;
    for (size_t i = 0; i < sets_.size(); ++i) {
        if (ComboGrid1->CellText(kCheckColumn, static_cast<int>(i) + 1) != kChecked) continue;
        records.emplace_back(std::begin(sets_[i].fields), std::end(sets_[i].fields));
    }
    return records;
}

void TBatchAddForm::ComboGrid1GridBtnClick(TObject*, int, int ARow) {
    // The empty row of an empty list has nothing to check.
    if (ARow > static_cast<int>(sets_.size())) ComboGrid1->SetCell(kCheckColumn, ARow, std::string());
}

void TBatchAddForm::CheckAll(const char* value) {
    for (size_t i = 0; i < sets_.size(); ++i) ComboGrid1->SetCell(kCheckColumn, static_cast<int>(i) + 1, value);
}

void TBatchAddForm::ButtonCheckAllClick(TObject*) { CheckAll(kChecked); }

void TBatchAddForm::ButtonUncheckAllClick(TObject*) { CheckAll(kUnchecked); }
