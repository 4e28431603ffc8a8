// Adding every new set of the KiSS folder at once.
#include "app/batch_add_form.h"
#include "app/main_form.h"
#include "app/scan_with_progress.h"

#include "framework/sysutils.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "settings/settings_keys.h"

namespace {

constexpr int kFolderColumn = 1;
constexpr int kArchiveColumn = 2;
constexpr char kCaption[] = "一括追加";

std::string KissFolder() {
    const IniItem& item = Settings.Item(Settings.FirstItem(settings_keys::FilePaths) + settings_keys::KISSDIR);
    return item.text ? item.text : "";
}

}  // namespace

void TForm1::MenuRecordBatchAddClick(TObject*) {
    const std::string kissFolder = KissFolder();
    if (kissFolder.empty()) {
        Application->MessageBox("KISSフォルダが設定されていません。\n[ﾌｧｲﾙ(F)|各種設定(S)] で設定してください。",
                                kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    CatalogNames listed;
    for (int row = 1; row < ComboGrid1->RowCount(); ++row)
        listed.Add(ComboGrid1->CellText(kFolderColumn, row), ComboGrid1->CellText(kArchiveColumn, row));

    std::optional<NewSetsFound> found = FindNewSetsShowingProgress(kissFolder, listed);
    if (!found) {
        Application->MessageBox("KISSフォルダが読めません。\n" + kissFolder, "エラー", MB_OK | MB_ICONHAND);
        return;
    }
    if (found->cancelled) return;
    if (found->sets.empty() && found->skipped.empty()) {
        Application->MessageBox("KISSフォルダに、カタログにない書庫はありません。", kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    BatchAddForm->ShowFound(*found);
    if (BatchAddForm->ShowModal() != mrOk) return;
    AppendRecords(BatchAddForm->CheckedRecords());
}

void TForm1::AppendRecords(const std::vector<std::vector<std::string>>& records) {
    if (records.empty()) return;
    TComboGrid& grid = *ComboGrid1;
    const int count = static_cast<int>(records.size());
    int first = grid.RowCount();
    if (first == 2 && grid.CellText(0, 1).empty()) first = 1;  // an empty catalog's row takes the first
    grid.SetRowCount(first + count);
    for (int i = 0; i < count; ++i) {
        const int row = first + i;
        const std::vector<std::string>& fields = records[static_cast<size_t>(i)];
        grid.SetCell(0, row, IntToStr(row));
        for (int c = 1; c < grid.ColCount() && c < static_cast<int>(fields.size()); ++c) grid.SetCell(c, row, fields[static_cast<size_t>(c)]);
    }
    grid.SetRow(first);
    if (!Modified) {
        Modified = true;
        UpdateCaption();
    }
}
