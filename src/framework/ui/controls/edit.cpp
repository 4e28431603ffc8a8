#include "framework/ui/controls/edit.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/controls/mask_line_edit.h"

namespace {

template <class C>
void PublishEdit(TClassBuilder<C>& c) {
    c.Property("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(1);
    c.Property("Color", &C::Color, &C::SetColor).NotStored();
    c.Property("Font", &C::Font).StoredWhen(&C::IsFontStored);
    c.Property("MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0);
    c.Property("ParentColor", &C::ParentColor, &C::SetParentColor).Default(0);
    c.Property("ParentFont", &C::ParentFont, &C::SetParentFont).Default(1);
    c.Property("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(0);
    c.Property("TabStop", &C::TabStop, &C::SetTabStop).Default(1);
    c.Property("Text", &C::Text, &C::SetText);
    c.Event("OnChange", &C::OnChange);
    c.Event("OnClick", &C::OnClick);
    c.Event("OnDblClick", &C::OnDblClick);
    PublishDragEvents(c);
    PublishFocusAndKeyEvents(c);
    PublishMouseEvents(c);
}

}  // namespace

// --- TCustomEdit ----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TCustomEdit)
void TCustomEdit::DeclarePublished(TClassBuilder<TCustomEdit>&) {}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 24);
    SetTabStop(true);
    SetDefaultColor(clWindow);
}

QWidget* TCustomEdit::CreateWidget() {
    auto* edit = new ui::MaskLineEdit();
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] {
        if (!settingText_) ui::RunGuarded([this] { Change(); });
    });
    return edit;
}

ui::MaskLineEdit* TCustomEdit::Edit() { return static_cast<ui::MaskLineEdit*>(Widget()); }
const ui::MaskLineEdit* TCustomEdit::Edit() const { return const_cast<TCustomEdit*>(this)->Edit(); }

void TCustomEdit::InitWidget() {
    TWinControl::InitWidget();
    ui::MaskLineEdit* edit = Edit();
    edit->SetMaxLength(maxLength_);
    edit->setReadOnly(readOnly_);
    settingText_ = true;
    edit->SetText(text_);
    settingText_ = false;
}

std::string TCustomEdit::Text() const { return HasWidget() ? Edit()->Text() : text_; }

void TCustomEdit::SetText(const std::string& text) {
    std::string before = Text();
    text_ = text;
    if (HasWidget()) {
        settingText_ = true;
        Edit()->SetText(text);
        settingText_ = false;
        text_ = Edit()->Text();
    }
    if (Text() != before) Change();
}

void TCustomEdit::SetMaxLength(int length) {
    maxLength_ = std::max(0, length);
    if (HasWidget()) Edit()->SetMaxLength(maxLength_);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HasWidget()) Edit()->setReadOnly(readOnly);
}

bool TCustomEdit::Modified() const { return HasWidget() && Edit()->Modified(); }

void TCustomEdit::SelectAll() {
    if (HasWidget()) Edit()->selectAll();
}

void TCustomEdit::Change() { OnChange(this); }

// --- TEdit ----------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TEdit)
void TEdit::DeclarePublished(TClassBuilder<TEdit>& c) { PublishEdit(c); }

// --- TMaskEdit --------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TMaskEdit)
void TMaskEdit::DeclarePublished(TClassBuilder<TMaskEdit>& c) {
    c.Property("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);
    PublishEdit(c);
}

void TMaskEdit::InitWidget() {
    Edit()->SetEditMask(editMask_);
    TCustomEdit::InitWidget();
}

void TMaskEdit::SetEditMask(const std::string& mask) {
    std::string before = Text();
    editMask_ = mask;
    if (HasWidget()) {
        Edit()->SetEditMask(mask);
        text_ = Edit()->Text();
    }
    if (Text() != before) Change();
}

std::string TMaskEdit::EditText() const { return HasWidget() ? Edit()->EditText() : Text(); }

bool TMaskEdit::ValidateEdit() { return !HasWidget() || Edit()->ValidateEdit(); }

bool TMaskEdit::WantsKey(uint16_t key, TShiftState shift) const {
    // Esc undoes a change before it can cancel the form.
    if (key == ui::key::Escape && IsMasked() && Modified()) return true;
    return TCustomEdit::WantsKey(key, shift);
}

bool TMaskEdit::RefusesExit() const {
    // The bridge asks only for moves between the window's controls.
    return HasWidget() && Edit()->LeavingRefused(Qt::OtherFocusReason);
}
