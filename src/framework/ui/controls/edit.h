// Single-line edits on the masked line edit: TEdit plain, TMaskEdit with an
// edit mask.  Texts cross to the toolkit and back as cp932 without loss; a
// typed character without a cp932 form is refused.  Every character typed
// runs the character-key step KeyPress first (OnKeyPress); a key set to 0
// there is not inserted.  OnChange follows every change of the text.
//
// TMaskEdit's Text is the masked text.  When the focus leaves a changed
// field for another control with a required position unfilled, the field
// beeps, shows the error and takes the focus back at that position (OnExit
// does not run); Esc undoes the change.
#pragma once

#include "framework/ui/core/control.h"

namespace ui {
class MaskLineEdit;
}

class TCustomEdit : public TWinControl {
    TANSU_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);

    std::string Text() const override;
    void SetText(const std::string& text) override;
    // Longest text in cp932 bytes; 0 for no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Kept for stored forms; the height is the form's.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    // Whether the user changed the text since it was set.
    bool Modified() const;
    void SelectAll();
    void Clear() { SetText(std::string()); }

    TNotifyEvent OnChange;
    // Raises OnChange.
    virtual void Change();

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;
    bool TakesFocusOnClick() const override { return true; }
    ui::MaskLineEdit* Edit();
    const ui::MaskLineEdit* Edit() const;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool autoSize_ = true;
    bool settingText_ = false;
};

class TEdit : public TCustomEdit {
    TANSU_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

class TMaskEdit : public TCustomEdit {
    TANSU_CLASS(TMaskEdit, TCustomEdit)
public:
    explicit TMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

    const std::string& EditMask() const { return editMask_; }
    void SetEditMask(const std::string& mask);
    bool IsMasked() const { return !editMask_.empty(); }
    // The masked text with its literals, blanks as spaces.
    std::string EditText() const;
    // Checks the text as leaving the field does; false when it was refused.
    bool ValidateEdit();

    bool WantsKey(uint16_t key, TShiftState shift) const override;
    bool RefusesExit() const override;

protected:
    void InitWidget() override;

private:
    std::string editMask_;
};
