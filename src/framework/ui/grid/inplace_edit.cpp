#include "framework/ui/grid/inplace_edit.h"

#include "framework/exceptions.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/graphics/canvas.h"
#include "framework/ui/grid/grid_widget.h"
#include "framework/ui/grid/grids.h"
#include "framework/ui/grid/inplace_editor.h"

namespace ui {

// The toolkit editor of a TInplaceEdit: every step it offers goes to the
// component, guarded, for as long as the component is there.
class InplaceEditHost : public InplaceEditor {
public:
    InplaceEditHost(TInplaceEdit* edit, GridWidget* grid) : InplaceEditor(grid), edit_(edit) {}
    void Detach() { edit_ = nullptr; }
    // The editor's own handling of a key: the keys that move between cells
    // go to the grid.
    void BaseKeyDown(int& key, ShiftState shift) { InplaceEditor::KeyDown(key, shift); }

protected:
    void PaintOverlay(Canvas& canvas) override {
        if (!edit_) return;
        TInplaceEdit* edit = edit_;
        edit->canvas_ = &canvas;
        RunGuarded([&] { edit->Paint(); });
        edit->canvas_ = nullptr;
    }
    void FocusIn() override {
        if (edit_) RunGuarded([&] { edit_->FocusIn(); });
    }
    void FocusOut() override {
        if (edit_) RunGuarded([&] { edit_->FocusOut(); });
    }
    void KeyDown(int& key, ShiftState shift) override {
        if (!edit_) return InplaceEditor::KeyDown(key, shift);
        uint16_t k = static_cast<uint16_t>(key);
        if (!RunGuarded([&] { edit_->KeyDown(k, shift); })) k = 0;
        key = k;
    }
    void KeyUp(int& key, ShiftState shift) override {
        if (!edit_) return;
        uint16_t k = static_cast<uint16_t>(key);
        if (!RunGuarded([&] { edit_->KeyUp(k, shift); })) k = 0;
        key = k;
    }
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override {
        if (edit_) RunGuarded([&] { edit_->MouseDown(button, shift, x, y); });
    }
    void MouseMove(ShiftState shift, int x, int y) override {
        if (edit_) RunGuarded([&] { edit_->MouseMove(shift, x, y); });
    }
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override {
        if (edit_) RunGuarded([&] { edit_->MouseUp(button, shift, x, y); });
    }
    void Click() override {
        if (edit_) RunGuarded([&] { edit_->Click(); });
    }

private:
    TInplaceEdit* edit_;
};

}  // namespace ui

TANSU_IMPLEMENT_CLASS(TInplaceEdit)
void TInplaceEdit::DeclarePublished(TClassBuilder<TInplaceEdit>& c) {
    c.Property("EditMask", &TInplaceEdit::EditMask, &TInplaceEdit::SetEditMask);
    c.Property("MaxLength", &TInplaceEdit::MaxLength, &TInplaceEdit::SetMaxLength).Default(0);
}

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TWinControl(grid), grid_(grid) {
    SetTabStop(false);
    SetDefaultColor(clWindow);
}

TInplaceEdit::~TInplaceEdit() {
    if (HasWidget()) Host()->Detach();
}

QWidget* TInplaceEdit::CreateWidget() {
    return new ui::InplaceEditHost(this, static_cast<ui::GridWidget*>(grid_->Widget()));
}

void TInplaceEdit::InitWidget() {
    TWinControl::InitWidget();
    // The grid shows it over a cell when it edits.
    Widget()->hide();
}

ui::InplaceEditHost* TInplaceEdit::Host() const {
    return static_cast<ui::InplaceEditHost*>(const_cast<TInplaceEdit*>(this)->Widget());
}

ui::InplaceEditor* TInplaceEdit::EditorWidget() { return Host(); }

std::string TInplaceEdit::Text() const { return Host()->Text().value_or(std::string()); }
void TInplaceEdit::SetText(const std::string& text) { Host()->SetText(text); }
void TInplaceEdit::SelectAll() { Host()->SelectAll(); }
std::string TInplaceEdit::EditMask() const { return Host()->EditMask(); }
void TInplaceEdit::SetEditMask(const std::string& mask) { Host()->SetEditMask(mask); }
int TInplaceEdit::MaxLength() const { return Host()->MaxLength(); }
void TInplaceEdit::SetMaxLength(int length) { Host()->SetMaxLength(length); }
void TInplaceEdit::SetTextRect(const ui::Rect& rect) { Host()->SetTextRect(rect); }
void TInplaceEdit::SetCursorShape(ui::CursorShape shape) { Host()->SetCursorShape(shape); }
void TInplaceEdit::Invalidate() { Host()->update(); }

ui::Canvas& TInplaceEdit::Canvas() {
    if (!canvas_) throw EInvalidOperation("The editor's canvas exists only while the editor paints");
    return *canvas_;
}

void TInplaceEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key == 0) return;
    int k = key;
    Host()->BaseKeyDown(k, shift);
    key = static_cast<uint16_t>(k);
}

void TInplaceEdit::KeyUp(uint16_t& key, TShiftState shift) { TWinControl::KeyUp(key, shift); }

// Enter and Esc end or undo the edit; the other keys are the window's when
// they would be the grid's.
bool TInplaceEdit::WantsKey(uint16_t key, TShiftState shift) const {
    return key == ui::key::Return || key == ui::key::Escape || grid_->WantsKey(key, shift);
}

bool TInplaceEdit::IsShortCut(uint16_t key, TShiftState shift) { return grid_->TopLevel()->IsShortCut(key, shift); }

bool TInplaceEdit::DialogKey(TWinControl*, uint16_t key, TShiftState shift) {
    return grid_->TopLevel()->DialogKey(grid_, key, shift);
}
