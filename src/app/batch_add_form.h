// The list of the KiSS folder's sets that the catalog lacks, each with a
// check box: the checked ones are appended on OK.  The names that cannot
// become records are listed below with the reason.
#pragma once

#include "controls/CmbGrid.h"
#include "framework/ui/controls/label.h"
#include "framework/ui/controls/list_box.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/forms/form.h"
#include "scan/new_sets.h"

#include <string>
#include <vector>

class TBatchAddForm : public TForm {
    TANSU_CLASS(TBatchAddForm, TForm)
public:
    explicit TBatchAddForm(TComponent* owner);

    TLabel* Label1 = nullptr;
    TComboGrid* ComboGrid1 = nullptr;
    TButton* ButtonCheckAll = nullptr;
    TButton* ButtonUncheckAll = nullptr;
    TLabel* Label2 = nullptr;
    TListBox* ListBox1 = nullptr;
    TBitBtn* BB_OK = nullptr;
    TBitBtn* BB_CANCEL = nullptr;

    // The check cell's texts: checked (drawn with the cross) and not.
    static const char kChecked[];
    static const char kUnchecked[];

    // Lists what the look through the KiSS folder found, every set checked.
    void ShowFound(const NewSetsFound& found);
    // The checked sets in list order, as the eight fields of a record.
    std::vector<std::vector<std::string>> CheckedRecords() const;

    void ComboGrid1GridBtnClick(TObject* Sender, int ACol, int ARow);
    void ButtonCheckAllClick(TObject* Sender);
    void ButtonUncheckAllClick(TObject* Sender);

private:
    void CheckAll(const char* value);

    std::vector<NewSet> sets_;
};

extern TBatchAddForm* BatchAddForm;
