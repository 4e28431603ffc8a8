// The catalog between its file and the grid: loading and saving.
#include "app/main_form.h"

#include "app/read_notes_message.h"
#include "catalog/catalog_check.h"
#include "catalog/csv_reader.h"
#include "catalog/csv_table.h"
#include "catalog/csv_writer.h"
#include "framework/sysutils.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"
#include "platform/folders.h"

#include <optional>

namespace {

constexpr int kColumns = 8;

// Whether the two system paths name one file: the same text, or two
// texts (relative and full, say) for the same existing file.
bool SameCatalogFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const std::optional<platform::OsPath> osA = platform::OsPath::FromSystem(a);
    const std::optional<platform::OsPath> osB = platform::OsPath::FromSystem(b);
    return osA && osB && platform::SameFile(*osA, *osB);
}

}  // namespace

void TForm1::LoadCsv(const std::string& fileName, bool justSaved) {
    CsvTable table;
    if (ReadCsvFile(table, fileName.c_str()) != 0) {
        Application->MessageBox("CSVファイルが読み込めません", "エラー", MB_OK | MB_ICONHAND);
        return;
    }
    uint32_t lines = table.LineCount();
    ComboGrid1->SetRowCount(lines >= 2 ? static_cast<int>(lines) : 2);
    if (lines < 2) {
        // No record: the empty row 1 shows nothing of an earlier catalog.
        for (int c = 0; c < kColumns; ++c) ComboGrid1->SetCell(c, 1, std::string());
    }
    for (uint32_t i = 1; i < lines; ++i) {
        int row = static_cast<int>(i);
        ComboGrid1->SetCell(0, row, IntToStr(row));
        for (int j = 1; j < kColumns; ++j) ComboGrid1->SetCell(j, row, std::string(table.FieldText(i, static_cast<uint32_t>(j - 1))));
    }
    SortColumn = 0;
    Modified = false;
    CsvFileName = fileName;
    UpdateCaption();
    // What the grid does not show of the file would be lost by a save over
    // it: said now, asked before that save.  A file just written holds
    // what is shown (bytes that are no text stay as they were).
    // A catalog saved under another name leaves the partly read file as it
    // was, so PartlyReadFile stays until a save writes over that file.
    const CatalogFileNotes notes = justSaved ? CatalogFileNotes() : CheckCatalogFile(fileName.c_str());
    if (!justSaved) PartlyReadFile = notes.Any() ? fileName : std::string();
    if (notes.Any()) Application->MessageBox(ReadNotesMessage(fileName, notes), "読み込みの注意", MB_OK | MB_ICONWARNING);
    PreviewCurrentRow();
}

int TForm1::SaveCsv(const std::string& fileName) {
    const bool overPartlyRead = !PartlyReadFile.empty() && SameCatalogFile(fileName, PartlyReadFile);
    if (overPartlyRead && Application->MessageBox(OverwritePartlyReadQuestion(fileName), "上書き確認",
                                                  MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return 2;
    if (SortColumn != 0) {
        int answer = Application->MessageBox("現在のレコード並び方で書き換えます。\nよろしいですか？", "確認",
                                             MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer != IDYES && answer != IDNO)) return 2;
        if (answer == IDNO) SortByNumber(0);
    }
    const int columns = ComboGrid1->ColCount();
    const TComboGrid& grid = *ComboGrid1;
    // Column 0, the number, is not stored; the views point into `texts`
    // until the writer asks for the next row.
    std::vector<std::string> texts;
    auto fieldsOfRow = [&](size_t row, std::vector<std::string_view>& fields) {
        texts.clear();
        for (int c = 1; c < columns; ++c) texts.push_back(grid.Cells(c, static_cast<int>(row)));
        for (const std::string& t : texts) fields.push_back(t);
    };
    int result = fileName.empty() ? 1 : WriteCsvFile(fileName.c_str(), static_cast<size_t>(grid.RowCount()), fieldsOfRow);
    if (result == 0) {
        if (overPartlyRead) PartlyReadFile.clear();  // the file now holds what is shown
        return 0;
    }
    // The old file stays as it was; the user must hear that nothing was saved.
    std::string text = fileName.empty() ? std::string("保存先のCSVファイルがありません。\n"
                                                      "[ﾌｧｲﾙ(F)|CSVを開く(O)] で開いたカタログだけが保存できます。")
                                        : "CSVファイルに書き込めません\n" + fileName +
                                              "\n\n元のファイルは変更されていません。";
    Application->MessageBox(text, "エラー", MB_OK | MB_ICONHAND);
    return 1;
}
