// A control's font: face name (cp932), pixel height, colour, style and
// character set, as forms store them ("Font.Name" ...).
#pragma once

#include "framework/persistent.h"
#include "framework/ui/core/control_types.h"

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int SHIFTJIS_CHARSET = 128;

class TFont : public TPersistent {
    TANSU_CLASS(TFont, TPersistent)
public:
    TFont() = default;

    const std::string& Name() const { return value_.name; }
    void SetName(const std::string& name);
    // Negative: the character height in pixels; positive: the cell height.
    int Height() const { return value_.height; }
    void SetHeight(int height);
    TColor Color() const { return ColorToCode(value_.color); }
    void SetColor(TColor color);
    uint32_t Style() const;
    void SetStyle(uint32_t style);
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    const ui::Font& Value() const { return value_; }
    void SetValue(const ui::Font& value);

    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;
    TNotifyEvent OnChange;

private:
    void Changed();
    ui::Font value_;
    int charset_ = DEFAULT_CHARSET;
};
