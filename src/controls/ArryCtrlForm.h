// The editor of a control array's elements.  The left list holds the
// array's elements in order (column "↓↑" their index; drag a row by it to
// move the element, "→" takes the element out of the array), the right list
// the controls of the array's form that the array accepts and does not hold
// yet ("←" appends one to the array).  Nothing changes in the array until
// OK; Cancel leaves it as it was.  A control taken out stays on its form.
//
// No window of the catalog program opens it; a developer's tool does.
#pragma once

#include "controls/ArrCtrl.h"
#include "controls/CmbGrid.h"
#include "framework/ui/controls/label.h"
#include "framework/ui/controls/panel.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/forms/form.h"

#include <vector>

class TArryCtrlForm : public TForm {
    TANSU_CLASS(TArryCtrlForm, TForm)
public:
    explicit TArryCtrlForm(TComponent* owner);

    TPanel* Panel1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TPanel* Panel3 = nullptr;
    TComboGrid* ComboGrid1 = nullptr;
    TPanel* Panel4 = nullptr;
    TComboGrid* ComboGrid2 = nullptr;

    // Starts an edit of `array` (null: nothing to edit, both lists empty):
    // the lists show its elements and the candidates.
    void SetArray(TArCntrl* array);
    TArCntrl* Array() const { return array_; }
    // Shows the window modally on `array`; OK writes the edited list into
    // the array.  True when it was written.
    bool Edit(TArCntrl* array);
    // Writes the edited list into the array's Collection: elements taken
    // out leave it, new ones are added, and the items stand in the list's
    // order.  Afterwards the lists show the array as it now is.
    void Apply();

    // The lists as the window holds them, top to bottom.
    std::vector<TControl*> Elements() const;
    const std::vector<TControl*>& Candidates() const { return candidates_; }

    void ComboGrid1DrawCell(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State);
    void ComboGrid1GridBtnClick(TObject* Sender, int ACol, int ARow);
    void ComboGrid2GridBtnClick(TObject* Sender, int ACol, int ARow);
    // A row of the element list was dragged to another place.
    void ComboGrid1RowMoved(TObject* Sender, int FromIndex, int ToIndex);

    void Notification(TComponent* component, TOperation operation) override;

private:
    // An element of the edited list: its control and the array's item it
    // came from (null for one added in this edit).
    struct Entry {
        TControl* control;
        TCntrlItem* item;
    };

    void Fill();
    void FillCandidates();
    void ShowLists();
    // Paints over the empty row a list keeps when it has nothing to show.
    void BlankEmptyRow(TComboGrid& grid, int count, int ARow, const TRect& Rect, TGridDrawState State);
    void ComboGrid2DrawCell(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State);
    void Watch(TComponent* component);

    TArCntrl* array_ = nullptr;
    std::vector<Entry> entries_;
    std::vector<TControl*> candidates_;
};
