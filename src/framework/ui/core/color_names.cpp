#include "framework/persistent.h"
#include "framework/ui/core/control_types.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <array>

namespace {

struct NamedColor {
    const char* ident;
    TColor color;
};

constexpr TColor System(ui::SystemColor c) { return 0x80000000 + static_cast<int>(c); }

constexpr std::array<NamedColor, 28> kColors = {{
    {"clBlack", 0x000000},   {"clMaroon", 0x800000}, {"clGreen", 0x008000},   {"clOlive", 0x808000},
    {"clNavy", 0x000080},    {"clPurple", 0x800080}, {"clTeal", 0x008080},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0xFF0000},    {"clLime", 0x00FF00},    {"clYellow", 0xFFFF00},
    {"clBlue", 0x0000FF},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0x00FFFF},   {"clWhite", 0xFFFFFF},
    {"clBtnFace", System(ui::SystemColor::ButtonFace)},
    {"clBtnShadow", System(ui::SystemColor::ButtonShadow)},
    {"clBtnHighlight", System(ui::SystemColor::ButtonHighlight)},
    {"cl3DLight", System(ui::SystemColor::ButtonLight)},
    {"cl3DDkShadow", System(ui::SystemColor::ButtonDarkShadow)},
    {"clBtnText", System(ui::SystemColor::ButtonText)},
    {"clGrayText", System(ui::SystemColor::GrayText)},
    {"clHighlight", System(ui::SystemColor::Highlight)},
    {"clHighlightText", System(ui::SystemColor::HighlightText)},
    {"clWindow", System(ui::SystemColor::Window)},
    {"clWindowText", System(ui::SystemColor::WindowText)},
    {"clWindowFrame", System(ui::SystemColor::WindowFrame)},
}};

}  // namespace

bool IdentToColor(std::string_view ident, TColor& color) {
    for (const NamedColor& c : kColors) {
        if (SameName(c.ident, ident)) {
            color = c.color;
            return true;
        }
    }
    return false;
}

std::string ColorToIdent(TColor color) {
    for (const NamedColor& c : kColors)
        if (c.color == color) return c.ident;
    return std::string();
}

void DefineColorProperty(TFiler& filer, const std::string& name, const std::function<TColor()>& get,
                         const std::function<void(TColor)>& set, bool hasData) {
    filer.DefineProperty(
        name,
        [set, name](TReader& r) {
            if (r.NextValue() != TValueType::vaIdent) {
                set(r.ReadInt64());
                return;
            }
            std::string ident = r.ReadIdent();
            TColor color = 0;
            if (!IdentToColor(ident, color)) throw EReadError("Invalid property value " + ident + " for " + name);
            set(color);
        },
        [get](TWriter& w) {
            TColor color = get();
            std::string ident = ColorToIdent(color);
            if (ident.empty()) w.WriteInteger(color);
            else w.WriteIdent(ident);
        },
        hasData);
}
