#include "framework/ui/graphics/qt_graphics.h"

#include "framework/ui/graphics/font_map.h"
#include "framework/ui/graphics/qt_text.h"

#include <QApplication>
#include <QFontInfo>

namespace ui {

QColor ToQColor(Color c, const QPalette& p) {
    if (!c.IsSystem()) return QColor(c.Red(), c.Green(), c.Blue());
    switch (c.AsSystem()) {
        case SystemColor::ButtonFace: return p.color(QPalette::Active, QPalette::Button);
        case SystemColor::ButtonShadow: return p.color(QPalette::Active, QPalette::Dark);
        case SystemColor::ButtonHighlight: return p.color(QPalette::Active, QPalette::Light);
        case SystemColor::ButtonLight: return p.color(QPalette::Active, QPalette::Midlight);
        case SystemColor::ButtonDarkShadow: return p.color(QPalette::Active, QPalette::Shadow);
        case SystemColor::ButtonText: return p.color(QPalette::Active, QPalette::ButtonText);
        case SystemColor::GrayText: return p.color(QPalette::Disabled, QPalette::Text);
        case SystemColor::Highlight: return p.color(QPalette::Active, QPalette::Highlight);
        case SystemColor::HighlightText: return p.color(QPalette::Active, QPalette::HighlightedText);
        case SystemColor::Window: return p.color(QPalette::Active, QPalette::Base);
        case SystemColor::WindowText: return p.color(QPalette::Active, QPalette::Text);
        case SystemColor::WindowFrame: return p.color(QPalette::Active, QPalette::Shadow);
    }
    return QColor(0, 0, 0);
}

QColor ToQColor(Color c) { return ToQColor(c, QApplication::palette()); }

QFont ToQFont(const Font& f, const QFont& base) {
    QFont q = base;
    // A face of the forms stands for the Japanese fonts installed here.
    if (!f.name.empty()) {
        const QFont mapped = FormFont(f.name, 0);
        q.setFamilies(mapped.families());
        q.setStyleHint(mapped.styleHint());
    }
    if (f.height != 0) q.setPixelSize(f.height < 0 ? -f.height : f.height);
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    return q;
}

QFont ToQFont(const Font& f) { return ToQFont(f, QApplication::font()); }

Font DefaultFont() {
    const QFont app = QApplication::font();
    Font f;
    f.name = FromQtName(app.family());
    f.height = -QFontInfo(app).pixelSize();
    return f;
}

}  // namespace ui
