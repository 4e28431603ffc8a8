// Small value types of the drawing layer: points, rectangles, colours, fonts,
// pens and brushes.  They carry no toolkit types, so components can publish
// and stream them; the canvas turns them into toolkit objects when it draws.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle given by its edges; right and bottom lie just outside it, so
// the width is right - left.  A rectangle whose width or height is not
// positive is empty.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Contains(int x, int y) const { return Contains(Point{x, y}); }
    Rect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Colours the look of the desktop decides; resolved when drawn, so a
// component that keeps one follows the style.
enum class SystemColor : uint8_t {
    ButtonFace,
    ButtonShadow,      // the darker line of a 3-D edge
    ButtonHighlight,   // the lightest line of a 3-D edge
    ButtonLight,       // the light line beside the highlight (outer raised edge)
    ButtonDarkShadow,  // the darkest line (outer raised edge)
    ButtonText,
    GrayText,
    Highlight,
    HighlightText,
    Window,
    WindowText,
    WindowFrame,
};

// An RGB colour or a reference to a system colour.
class Color {
public:
    constexpr Color() = default;
    static constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
        return Color((uint32_t{r} << 16) | (uint32_t{g} << 8) | b);
    }
    // 0xRRGGBB.
    static constexpr Color FromRgb(uint32_t rgb) { return Color(rgb & 0xFFFFFFu); }
    static constexpr Color System(SystemColor c) { return Color(kSystemFlag | static_cast<uint32_t>(c)); }

    constexpr bool IsSystem() const { return (value_ & kSystemFlag) != 0; }
    constexpr SystemColor AsSystem() const { return static_cast<SystemColor>(value_ & 0xFFu); }
    // For an RGB colour; see IsSystem.
    constexpr uint32_t RgbValue() const { return value_ & 0xFFFFFFu; }
    constexpr uint8_t Red() const { return (value_ >> 16) & 0xFF; }
    constexpr uint8_t Green() const { return (value_ >> 8) & 0xFF; }
    constexpr uint8_t Blue() const { return value_ & 0xFF; }

    friend constexpr bool operator==(Color, Color) = default;

private:
    static constexpr uint32_t kSystemFlag = 0x80000000u;
    constexpr explicit Color(uint32_t v) : value_(v) {}
    uint32_t value_ = 0;  // black
};

namespace colors {
inline constexpr Color Black = Color::Rgb(0, 0, 0);
inline constexpr Color White = Color::Rgb(255, 255, 255);
inline constexpr Color Silver = Color::Rgb(192, 192, 192);
inline constexpr Color Gray = Color::Rgb(128, 128, 128);
inline constexpr Color ButtonFace = Color::System(SystemColor::ButtonFace);
inline constexpr Color ButtonShadow = Color::System(SystemColor::ButtonShadow);
inline constexpr Color ButtonHighlight = Color::System(SystemColor::ButtonHighlight);
inline constexpr Color ButtonLight = Color::System(SystemColor::ButtonLight);
inline constexpr Color ButtonDarkShadow = Color::System(SystemColor::ButtonDarkShadow);
inline constexpr Color ButtonText = Color::System(SystemColor::ButtonText);
inline constexpr Color GrayText = Color::System(SystemColor::GrayText);
inline constexpr Color Highlight = Color::System(SystemColor::Highlight);
inline constexpr Color HighlightText = Color::System(SystemColor::HighlightText);
inline constexpr Color Window = Color::System(SystemColor::Window);
inline constexpr Color WindowText = Color::System(SystemColor::WindowText);
inline constexpr Color WindowFrame = Color::System(SystemColor::WindowFrame);
}  // namespace colors

// A font by name (a cp932 text; empty: the application's default family)
// and pixel height.  A negative height is the character height without
// internal leading, a positive one the full cell height; 0 takes the
// application's default size.
struct Font {
    std::string name;
    int height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Color color = colors::WindowText;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class PenStyle : uint8_t { Solid, Dash, Dot, Clear };

struct Pen {
    Color color = colors::Black;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle : uint8_t { Solid, Clear };

struct Brush {
    Color color = colors::White;
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const Brush&, const Brush&) = default;
};

}  // namespace ui
