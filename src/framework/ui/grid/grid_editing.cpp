// The grid's in-place editor mechanics: editor mode, making the editor,
// loading it from the current cell, placing it over the cell as the grid
// scrolls and the current cell moves, and writing the edited text back.
#include "framework/ui/grid/grid_widget.h"

#include "framework/ui/grid/inplace_editor.h"
#include "framework/ui/graphics/qt_graphics.h"

namespace ui {
namespace {

struct Flag {
    bool& flag;
    explicit Flag(bool& f) : flag(f) { flag = true; }
    ~Flag() { flag = false; }
};

}  // namespace

bool GridWidget::CanEditShow() {
    return HasOption(goEditing) && !HasOption(goRowSelect) && editorMode_ && current_.x >= fixedCols_ &&
           current_.y >= fixedRows_;
}

InplaceEditor* GridWidget::CreateEditor() { return new InplaceEditor(this); }

std::string GridWidget::GetEditMask(int col, int row) {
    std::string mask;
    if (onGetEditMask) onGetEditMask(col, row, mask);
    return mask;
}

std::string GridWidget::GetEditText(int col, int row) {
    std::string text;
    if (onGetEditText) onGetEditText(col, row, text);
    return text;
}

void GridWidget::SetEditText(int col, int row, const std::string& text) {
    if (onSetEditText) onSetEditText(col, row, text);
}

void GridWidget::SetEditorMode(bool on) {
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void GridWidget::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void GridWidget::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

InplaceEditor* GridWidget::Editor() const { return editor_; }

bool GridWidget::EditorVisible() const { return editor_ && editCell_.IsValid() && !editor_->isHidden(); }

void GridWidget::UpdateEdit() {
    if (!Ask(false, [&] { return hooks_->CanEditShow(); })) {
        HideEdit();
        return;
    }
    bool created = false;
    if (!editor_) {
        InplaceEditor* made = Ask(static_cast<InplaceEditor*>(nullptr), [&] { return hooks_->CreateEditor(); });
        if (!made) return;
        editor_ = made;
        if (made->parentWidget() != viewport()) made->setParent(viewport());
        made->setFont(ToQFont(font_));
        made->hide();
        created = true;
        EditorMade(made);
    }
    if (editCell_ != current_) {
        UpdateText();
        LoadEditor();
    }
    // The test runs again once the editor exists, so that it can set the
    // new editor up for the cell.
    if (created && !Ask(false, [&] { return hooks_->CanEditShow(); })) {
        HideEdit();
        return;
    }
    PlaceEditor();
}

void GridWidget::LoadEditor() {
    if (editCell_.IsValid()) InvalidateCell(editCell_.x, editCell_.y);
    editCell_ = current_;
    const GridCoord cell = current_;
    editor_->SetEditMask(Ask(std::string(), [&] { return hooks_->GetEditMask(cell.x, cell.y); }));
    editor_->LoadText(Ask(std::string(), [&] { return hooks_->GetEditText(cell.x, cell.y); }));
    editor_->SetMaxLength(Ask(0, [&] { return hooks_->GetEditLimit(); }));
    editor_->SelectAll();
}

void GridWidget::PlaceEditor() {
    if (!editor_ || !editCell_.IsValid()) return;
    const Rect r = CellRect(editCell_.x, editCell_.y);
    if (r.IsEmpty()) {
        // Out of view: the editor keeps its text until the cell returns.
        if (!editor_->isHidden()) {
            TakeFocusFromEditor();
            editor_->hide();
        }
        return;
    }
    const bool hadFocus = GridHasFocus();
    editor_->setGeometry(ToQRect(r));
    if (editor_->isHidden()) editor_->show();
    if (hadFocus && !editor_->hasFocus()) editor_->setFocus(Qt::OtherFocusReason);
}

void GridWidget::HideEdit() {
    if (!editor_) return;
    if (editCell_.IsValid()) {
        UpdateText();
        InvalidateCell(editCell_.x, editCell_.y);
    }
    editCell_ = {};
    if (!editor_->isHidden()) {
        // The grid takes the focus first, so that it does not wander off.
        TakeFocusFromEditor();
        editor_->hide();
    }
}

void GridWidget::TakeFocusFromEditor() {
    if (!editor_ || !editor_->hasFocus()) return;
    Flag busy(takingFocus_);
    setFocus(Qt::OtherFocusReason);
}

void GridWidget::UpdateText() {
    if (!editor_ || !editCell_.IsValid() || writingBack_ || !editor_->Changed()) return;
    const auto text = editor_->Text();
    if (!text) return;
    const GridCoord cell = editCell_;
    {
        Flag busy(writingBack_);
        Tell([&] { hooks_->SetEditText(cell.x, cell.y, *text); });
    }
    if (editor_) editor_->MarkUnchanged();
}

void GridWidget::CellTextChanged(int col, int row) {
    if (writingBack_ || !editor_ || editCell_ != GridCoord{col, row}) return;
    editor_->LoadText(Ask(std::string(), [&] { return hooks_->GetEditText(col, row); }));
}

void GridWidget::TypeIntoEditor(const QString& text) { editor_->TypeOver(text); }

void GridWidget::EditorEscape() {
    if (!editor_) return;
    editor_->Revert();
    if (!HasOption(goAlwaysShowEditor)) HideEditor();
}

}  // namespace ui
