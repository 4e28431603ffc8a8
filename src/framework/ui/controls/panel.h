// Bevels and panels.  A bevel is a 3-D box or line drawn beneath the
// windowed controls of its parent.  A panel is a windowed container with an
// outer and an inner bevel, a border between them, and a caption; aligned
// children share what lies inside the bevels and the border.
#pragma once

#include "framework/ui/core/control.h"
#include "framework/ui/controls/label.h"

class QPainter;

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };
enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TBevel : public TControl {
    TANSU_CLASS(TBevel, TControl)
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;
    bool FillsBackground() const override { return false; }

private:
    void Paint(QPainter& painter);

    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

class TPanel : public TWinControl {
    TANSU_CLASS(TPanel, TWinControl)
public:
    explicit TPanel(TComponent* owner);

    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

protected:
    QWidget* CreateWidget() override;
    void AdjustClientRect(ui::Rect& rect) const override;
    void TextChanged() override;

private:
    void Paint(QPainter& painter);
    void Changed();

    TPanelBevel bevelInner_ = TPanelBevel::bvNone;
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = TAlignment::taCenter;
};
