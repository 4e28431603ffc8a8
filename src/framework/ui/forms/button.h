// Push buttons.  A button's own click (mouse, Space, its "&" accelerator,
// Enter on the form when it is the default button or has the focus, Esc
// when it is the cancel button) runs Click: the form's ModalResult becomes
// the button's, then OnClick runs.  A modal form closes with a non-zero
// result once the click is done.
//
// TBitBtn adds a picture: the standard OK, Cancel... look of its Kind, or a
// Glyph of NumGlyphs images side by side (normal, disabled).  A Kind other
// than bkCustom sets Default, Cancel, ModalResult and (unless the form gives
// one) the caption.
#pragma once

#include "framework/ui/graphics/bitmap.h"
#include "framework/ui/core/control.h"

class QPushButton;

class TButton : public TWinControl {
    TANSU_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    void Click() override;
    bool ClickFromMouse() const override { return false; }

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;
    void TextChanged() override;
    bool TakesFocusOnClick() const override { return true; }
    QPushButton* Button();

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TBitBtn : public TButton {
    TANSU_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind kind);
    TBitmap* Glyph() const { return glyph_; }
    void SetGlyph(TBitmap* glyph) { glyph_->Assign(glyph); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);

    // As published: a value a form gives stays when the form's Kind comes
    // after it.
    void SetStoredDefault(bool value);
    void SetStoredCancel(bool value);
    void SetStoredModalResult(int result);
    // Stored only where they differ from what the kind gives.
    bool IsDefaultStored() const;
    bool IsCancelStored() const;
    bool IsModalResultStored() const;

protected:
    void InitWidget() override;
    void Loaded() override;

private:
    enum Given : unsigned { kDefaultGiven = 1, kCancelGiven = 2, kResultGiven = 4 };
    void ApplyPicture();

    TBitBtnKind kind_ = TBitBtnKind::bkCustom;
    TBitmap* glyph_;
    int numGlyphs_ = 1;
    unsigned given_ = 0;  // what the form being read gave
};
