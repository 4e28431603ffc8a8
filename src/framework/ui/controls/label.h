// A label: a caption in the form's font, left, right or centred, on the
// parent's background or its own colour.  With AutoSize it takes the size
// of its text (a right-aligned label keeps its right edge).  "&" marks an
// accelerator character, "&&" is a "&".  A label never takes the focus and
// lies beneath the windowed controls of its parent.
#pragma once

#include "framework/ui/core/control.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
    TANSU_CLASS(TLabel, TControl)
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);

    // The text as shown: without the accelerator marks.
    std::string DisplayText() const;

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    bool FillsBackground() const override;

private:
    void ApplyText();
    void AdjustBounds();

    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};
