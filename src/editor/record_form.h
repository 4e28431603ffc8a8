// The record edit dialog: one catalog record of the main window's grid,
// edited in place or appended as a new last row.  Its eight fields are the
// grid's eight columns, addressed by index through ArMaskEdit1.  The
// folder and archive name can come from browsing for the archive, and most
// fields from the set's description file.
#pragma once

#include "controls/ExtArr.h"
#include "controls/StdArr.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/forms/dialogs.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/controls/panel.h"

#include <array>
#include <string>

class TForm3 : public TForm {
    TANSU_CLASS(TForm3, TForm)
public:
    explicit TForm3(TComponent* owner);

    // The components of the stored form.
    TBevel* Bevel1 = nullptr;
    TLabel* ArLabel1_1 = nullptr;
    TLabel* ArLabel1_2 = nullptr;
    TLabel* ArLabel1_3 = nullptr;
    TLabel* ArLabel1_4 = nullptr;
    TLabel* ArLabel1_5 = nullptr;
    TLabel* ArLabel1_6 = nullptr;
    TLabel* ArLabel1_7 = nullptr;
    TLabel* ArLabel1_8 = nullptr;
    TMaskEdit* ArMaskEdit1_1 = nullptr;
    TMaskEdit* ArMaskEdit1_2 = nullptr;
    TMaskEdit* ArMaskEdit1_3 = nullptr;
    TMaskEdit* ArMaskEdit1_4 = nullptr;
    TMaskEdit* ArMaskEdit1_5 = nullptr;
    TMaskEdit* ArMaskEdit1_6 = nullptr;
    TMaskEdit* ArMaskEdit1_7 = nullptr;
    TMaskEdit* ArMaskEdit1_8 = nullptr;
    TBitBtn* BB_OK = nullptr;
    TBitBtn* BB_CANCEL = nullptr;
    TBitBtn* BB_Read = nullptr;
    TButton* Button1 = nullptr;
    TArMaskEdit* ArMaskEdit1 = nullptr;
    TArLabel* ArLabel1 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TOpenDialog* OpenDialog2 = nullptr;

    // Set by the main window before each showing: false edits the grid's
    // current record, true appends a new one.
    bool AppendMode = false;

    void FormShow(TObject* Sender);
    // Writes the fields into the grid (a new last row when appending).
    void BB_OKClick(TObject* Sender);
    void BB_CANCELClick(TObject* Sender);
    // Browses for the set's archive: folder and archive name.
    void Button1Click(TObject* Sender);
    // Reads the set's description file into fields 1 to 7.
    void BB_ReadClick(TObject* Sender);

    // Field 1 from a file's path: its folder below "KISSDIR".
    void SetFolder(const std::string& path);
    // "19" or "20" before a two-digit year: 8 and above are the 1900s.
    // Leading blanks go; a four-digit year stays as it is, no date stays
    // empty rather than becoming a bare century.
    static std::string DateWithCentury(const std::string& date);

    // The fields in grid column order.
    static constexpr int kFieldCount = 8;
    std::string FieldText(int index) const;
    void SetFieldText(int index, const std::string& text);

private:
    void LoadFromGrid(int row);
    // The texts OK writes: a field the user did not change gives back the
    // cell it was loaded from, as the cell held it.
    std::array<std::string, kFieldCount> TextsToStore() const;
    // The first field whose text the catalog file cannot store is named to
    // the user and gets the focus; false then.
    bool FieldsStorable(const std::array<std::string, kFieldCount>& texts);
    void StoreToGrid(int row, const std::array<std::string, kFieldCount>& texts);
    // The description dialog opens where the record's set lies.
    void FollowRecordFolder();

    // Edit mode: the cells of the row and the texts their fields showed
    // (a masked field shows a cell that does not fit its mask otherwise).
    std::array<std::string, kFieldCount> loadedCells_;
    std::array<std::string, kFieldCount> shownTexts_;
};

extern TForm3* Form3;
