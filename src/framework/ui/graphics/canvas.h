// A drawing surface over a Qt painter with what cell drawing needs: a font,
// a pen and a brush as value types, text output at a reference point,
// clipped to and filled over a rectangle, lines with the end point left
// out, 3-D edges and the dotted focus frame.  Texts are cp932 byte strings.
#pragma once

#include "framework/ui/graphics/graphics_types.h"

#include <memory>
#include <span>
#include <string_view>

class QPainter;

namespace ui {

// Where the reference point of TextRect lies on the text: at its left end,
// its horizontal centre or its right end.  The y of the reference point is
// always the top of the text.
enum class TextAlign : uint8_t { Left, Center, Right };

// Options of TextRect.
enum TextOption : unsigned {
    kTextClipped = 1,  // nothing is drawn outside the rectangle
    kTextOpaque = 2,   // the whole rectangle is first filled in the brush colour
};

// The edges of DrawEdge: one outer and one inner ring, each raised or sunken.
enum EdgeKind : unsigned {
    kRaisedOuter = 0x1,
    kSunkenOuter = 0x2,
    kRaisedInner = 0x4,
    kSunkenInner = 0x8,
    kEdgeRaised = kRaisedOuter | kRaisedInner,
    kEdgeSunken = kSunkenOuter | kSunkenInner,
};

// The sides DrawEdge draws on, and the fill of what lies inside.
enum EdgeSide : unsigned {
    kSideLeft = 0x1,
    kSideTop = 0x2,
    kSideRight = 0x4,
    kSideBottom = 0x8,
    kSideTopLeft = kSideLeft | kSideTop,
    kSideBottomRight = kSideRight | kSideBottom,
    kSideRect = 0xF,
    kSideMiddle = 0x800,  // fill the inside in the button-face colour
};

class Canvas {
public:
    // The painter must outlive the canvas.  Its font at this moment is what
    // a Font with an empty name or no height falls back on.
    explicit Canvas(QPainter& painter);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const Font& GetFont() const;
    void SetFont(const Font& font);
    void SetFontColor(Color color);
    const Pen& GetPen() const;
    void SetPen(const Pen& pen);
    void SetPenColor(Color color);
    void SetPenWidth(int width);
    const Brush& GetBrush() const;
    void SetBrush(const Brush& brush);
    void SetBrushColor(Color color);

    // Width of the text and height of a line in the current font.
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);

    // The text with its left and top at (x, y); a solid brush fills the
    // text's box behind it.
    void TextOut(int x, int y, std::string_view text);
    // The text with its reference point at (x, y), placed by `align`, with
    // the options of TextOption (both by default).
    void TextRect(const Rect& rect, int x, int y, std::string_view text, TextAlign align = TextAlign::Left,
                  unsigned options = kTextClipped | kTextOpaque);

    void FillRect(const Rect& rect);   // in the brush
    void FrameRect(const Rect& rect);  // a 1-pixel frame in the brush colour
    void Rectangle(const Rect& rect);  // outline in the pen colour, inside in the brush
    // One 1-pixel ring: top and left in `topLeft`, bottom and right in
    // `bottomRight`; `rect` then shrinks by 1 on every side.
    void Frame3D(Rect& rect, Color topLeft, Color bottomRight);

    // Lines in the pen; the end point itself is not drawn.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    Point PenPos() const;
    void Polyline(std::span<const Point> points);

    // Draws the rings of `edges` on `sides`, outer ring on the rectangle's
    // border, and returns what lies inside them (filled with kSideMiddle).
    Rect DrawEdge(const Rect& rect, unsigned edges, unsigned sides);

    // The dotted frame of the focused item, inverting what lies beneath, so
    // drawing it twice takes it away.
    void DrawFocusRect(const Rect& rect);

    // The painter, for drawing this interface does not cover.
    QPainter& Painter();

private:
    struct State;
    std::unique_ptr<State> s_;
};

}  // namespace ui
