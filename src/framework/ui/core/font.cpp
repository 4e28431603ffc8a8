#include "framework/ui/core/font.h"

TANSU_IMPLEMENT_CLASS(TFont)
void TFont::DeclarePublished(TClassBuilder<TFont>& c) {
    c.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
    // Stored by DefineProperties, by name where it has one.
    c.Property("Color", &TFont::Color, &TFont::SetColor).NotStored();
    c.Property("Height", &TFont::Height, &TFont::SetHeight).Default(0);
    c.Property("Name", &TFont::Name, &TFont::SetName);
    c.Set("Style", &TFont::Style, &TFont::SetStyle, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}).Default(0);
}

TANSU_IMPLEMENT_CLASS(TDragObject)
void TDragObject::DeclarePublished(TClassBuilder<TDragObject>&) {}

TColor ColorToCode(ui::Color color) {
    if (color.IsSystem()) return 0x80000000 + static_cast<int>(color.AsSystem());
    return color.RgbValue();
}

ui::Color CodeToColor(TColor code) {
    if (code >= 0x80000000 && code <= 0x80000000 + static_cast<int>(ui::SystemColor::WindowFrame))
        return ui::Color::System(static_cast<ui::SystemColor>(code - 0x80000000));
    return ui::Color::FromRgb(static_cast<uint32_t>(code));
}

void TFont::Changed() { OnChange(this); }

void TFont::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    DefineColorProperty(
        filer, "Color", [this] { return Color(); }, [this](TColor c) { SetColor(c); }, Color() != clWindowText);
}

void TFont::SetName(const std::string& name) {
    if (name == value_.name) return;
    value_.name = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == value_.height) return;
    value_.height = height;
    Changed();
}

void TFont::SetColor(TColor color) {
    ui::Color c = CodeToColor(color);
    if (c == value_.color) return;
    value_.color = c;
    Changed();
}

uint32_t TFont::Style() const {
    uint32_t style = 0;
    if (value_.bold) style |= fsBold;
    if (value_.italic) style |= fsItalic;
    if (value_.underline) style |= fsUnderline;
    if (value_.strikeOut) style |= fsStrikeOut;
    return style;
}

void TFont::SetStyle(uint32_t style) {
    if (style == Style()) return;
    value_.bold = style & fsBold;
    value_.italic = style & fsItalic;
    value_.underline = style & fsUnderline;
    value_.strikeOut = style & fsStrikeOut;
    Changed();
}

void TFont::SetCharset(int charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TFont::SetValue(const ui::Font& value) {
    if (value == value_) return;
    value_ = value;
    Changed();
}

void TFont::Assign(const TPersistent* source) {
    if (auto* f = ObjectCast<TFont>(const_cast<TPersistent*>(source))) {
        value_ = f->value_;
        charset_ = f->charset_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}
