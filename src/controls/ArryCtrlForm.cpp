#include "controls/ArryCtrlForm.h"

#include "framework/ui/core/control_types.h"
#include "framework/ui/graphics/canvas.h"

#include <algorithm>
#include <string>

extern const char kArryCtrlForm[];
extern const unsigned kArryCtrlForm_size;

namespace {

// The columns of the two lists.
constexpr int kIndexCol = 0;   // element list: the element's index, the drag handle
constexpr int kNameCol = 1;    // both lists: the control's name
constexpr int kRemoveCol = 2;  // element list: "→"
constexpr int kAddCol = 0;     // candidate list: "←"

std::string NameOf(const TControl* control) { return control ? control->Name() : std::string(); }

// Shows `names` below the heading row; a list keeps one empty row when it
// has nothing, since the grid always has a row below its headings.
void ShowNames(TComboGrid& grid, int nameCol, const std::vector<std::string>& names, bool numbered) {
    const int rows = static_cast<int>(names.size());
    grid.SetRowCount(grid.FixedRows() + std::max(rows, 1));
    for (int i = 0; i < std::max(rows, 1); ++i) {
        const int row = grid.FixedRows() + i;
        grid.SetCell(nameCol, row, i < rows ? names[static_cast<size_t>(i)] : std::string());
        if (numbered) grid.SetCell(kIndexCol, row, i < rows ? std::to_string(i) : std::string());
    }
    grid.InvalidateGrid();
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TArryCtrlForm)
void TArryCtrlForm::DeclarePublished(TClassBuilder<TArryCtrlForm>& c) {
    FormField(c, "Panel1", &TArryCtrlForm::Panel1);
    FormField(c, "BitBtn1", &TArryCtrlForm::BitBtn1);
    FormField(c, "BitBtn2", &TArryCtrlForm::BitBtn2);
    FormField(c, "Panel2", &TArryCtrlForm::Panel2);
    FormField(c, "Label1", &TArryCtrlForm::Label1);
    FormField(c, "Label2", &TArryCtrlForm::Label2);
    FormField(c, "Panel3", &TArryCtrlForm::Panel3);
    FormField(c, "ComboGrid1", &TArryCtrlForm::ComboGrid1);
    FormField(c, "Panel4", &TArryCtrlForm::Panel4);
    FormField(c, "ComboGrid2", &TArryCtrlForm::ComboGrid2);
    c.Method("ComboGrid1DrawCell", &TArryCtrlForm::ComboGrid1DrawCell);
    c.Method("ComboGrid1GridBtnClick", &TArryCtrlForm::ComboGrid1GridBtnClick);
    c.Method("ComboGrid2GridBtnClick", &TArryCtrlForm::ComboGrid2GridBtnClick);
    c.Method("ComboGrid1RowMoved", &TArryCtrlForm::ComboGrid1RowMoved);
}

TArryCtrlForm::TArryCtrlForm(TComponent* owner) : TForm(owner) {
    ReadForm(std::string_view(kArryCtrlForm, kArryCtrlForm_size));
    // Reordering and the blank empty row of the candidates are the
    // editor's own doing, beyond what its stored form wires.
    ComboGrid1->OnRowMoved.Bind(this, &TArryCtrlForm::ComboGrid1RowMoved);
    ComboGrid2->OnDrawCell.Bind(this, &TArryCtrlForm::ComboGrid2DrawCell);
    ShowLists();
}

void TArryCtrlForm::SetArray(TArCntrl* array) {
    array_ = array;
    if (array_) Watch(array_);
    Fill();
}

bool TArryCtrlForm::Edit(TArCntrl* array) {
    SetArray(array);
    if (ShowModal() != mrOk) {
        // Discard the edit: the lists show the array as it is.
        Fill();
        return false;
    }
    Apply();
    return array_ != nullptr;
}

std::vector<TControl*> TArryCtrlForm::Elements() const {
    std::vector<TControl*> controls;
    for (const Entry& e : entries_) controls.push_back(e.control);
    return controls;
}

void TArryCtrlForm::Fill() {
    entries_.clear();
    if (array_) {
        TCntrls* items = array_->Collection();
        const int count = std::min<int>(array_->NumOfArry(), items->Count());
        for (int i = 0; i < count; ++i) {
            TCntrlItem* item = items->Items(i);
            entries_.push_back({item->Cntrl(), item});
            if (item->Cntrl()) Watch(item->Cntrl());
        }
    }
    FillCandidates();
    ShowLists();
}

void TArryCtrlForm::FillCandidates() {
    candidates_.clear();
    if (!array_ || !array_->Owner()) return;
    TComponent* form = array_->Owner();
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* control = ObjectCast<TControl>(form->Components(i));
        if (!control || !array_->IsValidCntrl(control)) continue;
        const bool held = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.control == control; });
        if (held) continue;
        candidates_.push_back(control);
        Watch(control);
    }
}

void TArryCtrlForm::ShowLists() {
    if (!ComboGrid1 || !ComboGrid2 || IsDestroying()) return;
    std::vector<std::string> names;
    for (const Entry& e : entries_) names.push_back(NameOf(e.control));
    ShowNames(*ComboGrid1, kNameCol, names, true);
    names.clear();
    for (TControl* c : candidates_) names.push_back(NameOf(c));
    ShowNames(*ComboGrid2, kNameCol, names, false);
}

void TArryCtrlForm::Apply() {
    if (!array_) return;
    TCntrls* items = array_->Collection();
    // Elements taken out leave the array, the last first so that the
    // positions still to be looked at stay where they are.
    for (int i = std::min<int>(array_->NumOfArry(), items->Count()) - 1; i >= 0; --i) {
        TCntrlItem* item = items->Items(i);
        const bool kept = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.item == item; });
        if (!kept) array_->DeleteCntrl(i);
    }
    for (Entry& e : entries_)
        if (!e.item) e.item = items->Items(array_->AddCntrl(e.control));
    // The items stand in the list's order, ahead of any item the array
    // holds beyond its count.
    for (size_t k = 0; k < entries_.size(); ++k) entries_[k].item->SetIndex(static_cast<int>(k));
    Fill();
}

void TArryCtrlForm::ComboGrid1DrawCell(TObject*, int, int ARow, const TRect& Rect, TGridDrawState State) {
    BlankEmptyRow(*ComboGrid1, static_cast<int>(entries_.size()), ARow, Rect, State);
}

void TArryCtrlForm::ComboGrid2DrawCell(TObject*, int, int ARow, const TRect& Rect, TGridDrawState State) {
    BlankEmptyRow(*ComboGrid2, static_cast<int>(candidates_.size()), ARow, Rect, State);
}

void TArryCtrlForm::BlankEmptyRow(TComboGrid& grid, int count, int ARow, const TRect& Rect, TGridDrawState State) {
    if (count > 0 || ARow < grid.FixedRows()) return;
    ui::Canvas& canvas = grid.Canvas();
    canvas.SetBrushColor(CodeToColor((State & gdFixed) ? grid.FixedColor() : grid.Color()));
    canvas.FillRect(Rect);
}

void TArryCtrlForm::ComboGrid1GridBtnClick(TObject*, int ACol, int ARow) {
    const int index = ARow - ComboGrid1->FixedRows();
    if (ACol != kRemoveCol || index < 0 || index >= static_cast<int>(entries_.size())) return;
    entries_.erase(entries_.begin() + index);
    FillCandidates();
    ShowLists();
}

void TArryCtrlForm::ComboGrid2GridBtnClick(TObject*, int ACol, int ARow) {
    const int index = ARow - ComboGrid2->FixedRows();
    if (ACol != kAddCol || index < 0 || index >= static_cast<int>(candidates_.size())) return;
    entries_.push_back({candidates_[static_cast<size_t>(index)], nullptr});
    FillCandidates();
    ShowLists();
}

void TArryCtrlForm::ComboGrid1RowMoved(TObject*, int FromIndex, int ToIndex) {
    const int from = FromIndex - ComboGrid1->FixedRows();
    const int to = ToIndex - ComboGrid1->FixedRows();
    const int count = static_cast<int>(entries_.size());
    if (from >= 0 && to >= 0 && from < count && to < count) {
        const Entry moved = entries_[static_cast<size_t>(from)];
        entries_.erase(entries_.begin() + from);
        entries_.insert(entries_.begin() + to, moved);
    }
    // The grid moved the texts already; the indexes are renumbered.
    ShowLists();
}

void TArryCtrlForm::Watch(TComponent* component) {
    if (component != this) FreeNotification(component);
}

void TArryCtrlForm::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation != TOperation::opRemove || IsDestroying()) return;
    if (component == array_) {
        array_ = nullptr;
        entries_.clear();
        candidates_.clear();
        ShowLists();
        return;
    }
    auto gone = [&](const Entry& e) { return e.control == component; };
    const bool listed = std::any_of(entries_.begin(), entries_.end(), gone) ||
                        std::find(candidates_.begin(), candidates_.end(), component) != candidates_.end();
    if (!listed) return;
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), gone), entries_.end());
    candidates_.erase(std::remove(candidates_.begin(), candidates_.end(), component), candidates_.end());
    ShowLists();
}
