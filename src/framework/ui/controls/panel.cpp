#include "framework/ui/controls/panel.h"

#include "framework/ui/graphics/painted_widget.h"
#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/graphics/qt_text.h"

namespace {

QColor SystemColor(ui::SystemColor c) { return ui::ToQColor(ui::Color::System(c)); }

// One ring of `width` pixels: top and left in `topLeft`, bottom and right in
// `bottomRight`; the rectangle shrinks by the width.
void Frame3D(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight, int width) {
    for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        p.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

}  // namespace

// --- TBevel -----------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TBevel)
void TBevel::DeclarePublished(TClassBuilder<TBevel>& c) {
    c.Enum("Shape", &TBevel::Shape, &TBevel::SetShape,
           {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"})
        .Default(0);
    c.Enum("Style", &TBevel::Style, &TBevel::SetStyle, {"bsLowered", "bsRaised"}).Default(0);
}

TBevel::TBevel(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 50, 50); }

QWidget* TBevel::CreateWidget() {
    auto* w = new ui::PaintedWidget([this](QPainter& p) { Paint(p); });
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    return w;
}

void TBevel::InitWidget() {
    TControl::InitWidget();
    Widget()->lower();
}

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    style_ = style;
    Invalidate();
}

void TBevel::Paint(QPainter& p) {
    QColor light = SystemColor(ui::SystemColor::ButtonHighlight);
    QColor dark = SystemColor(ui::SystemColor::ButtonShadow);
    // Raised: light above and left; lowered: dark there.
    QColor first = style_ == TBevelStyle::bsRaised ? light : dark;
    QColor second = style_ == TBevelStyle::bsRaised ? dark : light;
    int width = Width(), height = Height();
    QRect r(0, 0, width, height);
    switch (shape_) {
    case TBevelShape::bsBox: Frame3D(p, r, first, second, 1); break;
    case TBevelShape::bsFrame: {
        // Two rings, one inside the other: an etched line.
        QRect outer(1, 1, width - 1, height - 1);
        Frame3D(p, outer, second, second, 1);
        QRect inner(0, 0, width - 1, height - 1);
        Frame3D(p, inner, first, first, 1);
        break;
    }
    case TBevelShape::bsTopLine:
        p.fillRect(QRect(0, 0, width, 1), first);
        p.fillRect(QRect(0, 1, width, 1), second);
        break;
    case TBevelShape::bsBottomLine:
        p.fillRect(QRect(0, height - 2, width, 1), first);
        p.fillRect(QRect(0, height - 1, width, 1), second);
        break;
    case TBevelShape::bsLeftLine:
        p.fillRect(QRect(0, 0, 1, height), first);
        p.fillRect(QRect(1, 0, 1, height), second);
        break;
    case TBevelShape::bsRightLine:
        p.fillRect(QRect(width - 2, 0, 1, height), first);
        p.fillRect(QRect(width - 1, 0, 1, height), second);
        break;
    case TBevelShape::bsSpacer: break;
    }
}

// --- TPanel -----------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TPanel)
void TPanel::DeclarePublished(TClassBuilder<TPanel>& c) {
    c.Enum("Alignment", &TPanel::Alignment, &TPanel::SetAlignment, {"taLeftJustify", "taRightJustify", "taCenter"})
        .Default(static_cast<int>(TAlignment::taCenter));
    c.Enum("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner, {"bvNone", "bvLowered", "bvRaised", "bvSpace"})
        .Default(static_cast<int>(TPanelBevel::bvNone));
    c.Enum("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter, {"bvNone", "bvLowered", "bvRaised", "bvSpace"})
        .Default(static_cast<int>(TPanelBevel::bvRaised));
    c.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth).Default(1);
    c.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth).Default(0);
    c.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
    c.Property("Color", &TPanel::Color, &TPanel::SetColor).NotStored();
    c.Property("Font", &TPanel::Font).StoredWhen(&TPanel::IsFontStored);
    c.Property("ParentColor", &TPanel::ParentColor, &TPanel::SetParentColor).Default(0);
    c.Property("ParentFont", &TPanel::ParentFont, &TPanel::SetParentFont).Default(1);
    c.Event("OnClick", &TPanel::OnClick);
    c.Event("OnDblClick", &TPanel::OnDblClick);
    PublishDragEvents(c);
    c.Event("OnEnter", &TPanel::OnEnter);
    c.Event("OnExit", &TPanel::OnExit);
    PublishMouseEvents(c);
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

QWidget* TPanel::CreateWidget() { return new ui::PaintedWidget([this](QPainter& p) { Paint(p); }); }

void TPanel::AdjustClientRect(ui::Rect& rect) const {
    int inset = borderWidth_;
    if (bevelOuter_ != TPanelBevel::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TPanelBevel::bvNone) inset += bevelWidth_;
    rect = rect.Inflated(-inset, -inset);
}

void TPanel::Changed() {
    AlignControls();
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
    bevelInner_ = bevel;
    Changed();
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
    bevelOuter_ = bevel;
    Changed();
}

void TPanel::SetBevelWidth(int width) {
    bevelWidth_ = std::max(1, width);
    Changed();
}

void TPanel::SetBorderWidth(int width) {
    borderWidth_ = std::max(0, width);
    Changed();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TPanel::TextChanged() { Invalidate(); }

void TPanel::Paint(QPainter& p) {
    auto* w = static_cast<QWidget*>(p.device());
    QColor light = SystemColor(ui::SystemColor::ButtonHighlight);
    QColor dark = SystemColor(ui::SystemColor::ButtonShadow);
    QColor face = ui::ToQColor(CodeToColor(EffectiveColor()));
    QRect r = w->rect();
    auto bevel = [&](TPanelBevel b) {
        if (b == TPanelBevel::bvNone) return;
        if (b == TPanelBevel::bvSpace) Frame3D(p, r, face, face, bevelWidth_);
        else if (b == TPanelBevel::bvRaised) Frame3D(p, r, light, dark, bevelWidth_);
        else Frame3D(p, r, dark, light, bevelWidth_);
    };
    bevel(bevelOuter_);
    Frame3D(p, r, face, face, borderWidth_);
    bevel(bevelInner_);
    p.fillRect(r, face);
    if (Caption().empty()) return;
    Qt::Alignment h = alignment_ == TAlignment::taLeftJustify    ? Qt::AlignLeft
                      : alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                                                 : Qt::AlignHCenter;
    p.setFont(w->font());
    p.setPen(w->palette().color(QPalette::WindowText));
    p.drawText(r, static_cast<int>(h | Qt::AlignVCenter), ui::ToQt(Caption()));
}
