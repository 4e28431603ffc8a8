#include "framework/ui/graphics/canvas.h"

#include "framework/ui/graphics/qt_text.h"
#include "framework/ui/graphics/qt_graphics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <optional>
#include <vector>

namespace ui {

struct Canvas::State {
    explicit State(QPainter& p) : painter(p), palette(QApplication::palette()), baseFont(p.font()) {}

    QPainter& painter;
    QPalette palette;
    QFont baseFont;
    Font font;
    QFont qfont;
    std::optional<QFontMetrics> metrics;  // empty while the font is to be made
    Pen pen;
    Brush brush;
    Point penPos;

    QColor Resolve(Color c) const { return ToQColor(c, palette); }

    const QFontMetrics& Metrics() {
        if (!metrics) {
            qfont = ToQFont(font, baseFont);
            painter.setFont(qfont);
            metrics.emplace(qfont, painter.device());
        }
        return *metrics;
    }

    void Fill(int left, int top, int right, int bottom, const QColor& c) {
        if (right > left && bottom > top) painter.fillRect(left, top, right - left, bottom - top, c);
    }
};

Canvas::Canvas(QPainter& painter) : s_(std::make_unique<State>(painter)) {
    s_->font.color = colors::WindowText;
}

Canvas::~Canvas() = default;

const Font& Canvas::GetFont() const { return s_->font; }

void Canvas::SetFont(const Font& font) {
    if (font == s_->font) return;
    const bool sameFace = font.name == s_->font.name && font.height == s_->font.height &&
                          font.bold == s_->font.bold && font.italic == s_->font.italic &&
                          font.underline == s_->font.underline && font.strikeOut == s_->font.strikeOut;
    s_->font = font;
    if (!sameFace) s_->metrics.reset();
}

void Canvas::SetFontColor(Color color) { s_->font.color = color; }
const Pen& Canvas::GetPen() const { return s_->pen; }
void Canvas::SetPen(const Pen& pen) { s_->pen = pen; }
void Canvas::SetPenColor(Color color) { s_->pen.color = color; }
void Canvas::SetPenWidth(int width) { s_->pen.width = width; }
const Brush& Canvas::GetBrush() const { return s_->brush; }
void Canvas::SetBrush(const Brush& brush) { s_->brush = brush; }
void Canvas::SetBrushColor(Color color) { s_->brush.color = color; }

int Canvas::TextWidth(std::string_view text) {
    return s_->Metrics().horizontalAdvance(ToQt(text));
}

int Canvas::TextHeight(std::string_view) { return s_->Metrics().height(); }

void Canvas::TextOut(int x, int y, std::string_view text) {
    const QFontMetrics& m = s_->Metrics();
    const QString s = ToQt(text);
    if (s_->brush.style == BrushStyle::Solid)
        s_->Fill(x, y, x + m.horizontalAdvance(s), y + m.height(), s_->Resolve(s_->brush.color));
    s_->painter.setPen(s_->Resolve(s_->font.color));
    s_->painter.drawText(x, y + m.ascent(), s);
}

void Canvas::TextRect(const Rect& rect, int x, int y, std::string_view text, TextAlign align, unsigned options) {
    const QFontMetrics& m = s_->Metrics();
    const QString s = ToQt(text);
    const int w = m.horizontalAdvance(s);
    const int h = m.height();
    int left = x;
    if (align == TextAlign::Center) left = x - w / 2;
    if (align == TextAlign::Right) left = x - w;

    if (options & kTextOpaque) s_->Fill(rect.left, rect.top, rect.right, rect.bottom, s_->Resolve(s_->brush.color));
    if (s.isEmpty()) return;
    QPainter& p = s_->painter;
    // Most texts fit their cell; only those that do not pay for a clip.
    const bool clip = (options & kTextClipped) &&
                      (left < rect.left || left + w > rect.right || y < rect.top || y + h > rect.bottom);
    if (clip) {
        if (rect.IsEmpty()) return;
        p.save();
        p.setClipRect(ToQRect(rect), Qt::IntersectClip);
    }
    p.setPen(s_->Resolve(s_->font.color));
    p.drawText(left, y + m.ascent(), s);
    if (clip) p.restore();
}

void Canvas::FillRect(const Rect& rect) {
    if (s_->brush.style == BrushStyle::Clear) return;
    s_->Fill(rect.left, rect.top, rect.right, rect.bottom, s_->Resolve(s_->brush.color));
}

void Canvas::FrameRect(const Rect& rect) {
    if (rect.IsEmpty()) return;
    const QColor c = s_->Resolve(s_->brush.color);
    s_->Fill(rect.left, rect.top, rect.right, rect.top + 1, c);
    s_->Fill(rect.left, rect.bottom - 1, rect.right, rect.bottom, c);
    s_->Fill(rect.left, rect.top, rect.left + 1, rect.bottom, c);
    s_->Fill(rect.right - 1, rect.top, rect.right, rect.bottom, c);
}

void Canvas::Rectangle(const Rect& rect) {
    FillRect(rect);
    if (s_->pen.style == PenStyle::Clear || rect.IsEmpty()) return;
    const QColor c = s_->Resolve(s_->pen.color);
    s_->Fill(rect.left, rect.top, rect.right, rect.top + 1, c);
    s_->Fill(rect.left, rect.bottom - 1, rect.right, rect.bottom, c);
    s_->Fill(rect.left, rect.top, rect.left + 1, rect.bottom, c);
    s_->Fill(rect.right - 1, rect.top, rect.right, rect.bottom, c);
}

void Canvas::Frame3D(Rect& r, Color topLeft, Color bottomRight) {
    if (!r.IsEmpty()) {
        const QColor tl = s_->Resolve(topLeft);
        const QColor br = s_->Resolve(bottomRight);
        s_->Fill(r.left, r.top, r.right, r.top + 1, tl);
        s_->Fill(r.left, r.top, r.left + 1, r.bottom, tl);
        s_->Fill(r.left, r.bottom - 1, r.right, r.bottom, br);
        s_->Fill(r.right - 1, r.top, r.right, r.bottom, br);
    }
    r = r.Inflated(-1, -1);
}

void Canvas::MoveTo(int x, int y) { s_->penPos = {x, y}; }

Point Canvas::PenPos() const { return s_->penPos; }

void Canvas::LineTo(int x, int y) {
    const Point from = s_->penPos;
    s_->penPos = {x, y};
    const Pen& pen = s_->pen;
    if (pen.style == PenStyle::Clear || (from.x == x && from.y == y)) return;
    const int w = pen.width < 1 ? 1 : pen.width;
    const QColor c = s_->Resolve(pen.color);
    if (pen.style == PenStyle::Solid && (from.y == y || from.x == x)) {
        // Straight lines as rectangles: exact pixels, end point left out.
        const int lo = w / 2;
        if (from.y == y) {
            const int a = from.x < x ? from.x : x + 1;
            const int b = from.x < x ? x : from.x + 1;
            s_->Fill(a, y - lo, b, y - lo + w, c);
        } else {
            const int a = from.y < y ? from.y : y + 1;
            const int b = from.y < y ? y : from.y + 1;
            s_->Fill(x - lo, a, x - lo + w, b, c);
        }
        return;
    }
    Qt::PenStyle style = Qt::SolidLine;
    if (pen.style == PenStyle::Dash) style = Qt::DashLine;
    if (pen.style == PenStyle::Dot) style = Qt::DotLine;
    // A flat cap leaves the end point out, as the lines above do.
    QPen qpen(c, w == 1 ? 0 : w, style, Qt::FlatCap, Qt::MiterJoin);
    QPainter& p = s_->painter;
    p.setPen(qpen);
    p.drawLine(from.x, from.y, x, y);
}

void Canvas::Polyline(std::span<const Point> points) {
    if (points.empty()) return;
    MoveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].x, points[i].y);
}

Rect Canvas::DrawEdge(const Rect& rect, unsigned edges, unsigned sides) {
    Rect in = rect;
    auto ring = [&](Color tl, Color br) {
        const QColor t = s_->Resolve(tl);
        const QColor b = s_->Resolve(br);
        if (sides & kSideTop) s_->Fill(in.left, in.top, in.right, in.top + 1, t);
        if (sides & kSideLeft) s_->Fill(in.left, in.top, in.left + 1, in.bottom, t);
        if (sides & kSideBottom) s_->Fill(in.left, in.bottom - 1, in.right, in.bottom, b);
        if (sides & kSideRight) s_->Fill(in.right - 1, in.top, in.right, in.bottom, b);
        if (sides & kSideLeft) ++in.left;
        if (sides & kSideTop) ++in.top;
        if (sides & kSideRight) --in.right;
        if (sides & kSideBottom) --in.bottom;
    };
    if (edges & kRaisedOuter)
        ring(colors::ButtonLight, colors::ButtonDarkShadow);
    else if (edges & kSunkenOuter)
        ring(colors::ButtonShadow, colors::ButtonHighlight);
    if (edges & kRaisedInner)
        ring(colors::ButtonHighlight, colors::ButtonShadow);
    else if (edges & kSunkenInner)
        ring(colors::ButtonDarkShadow, colors::ButtonLight);
    if (sides & kSideMiddle) s_->Fill(in.left, in.top, in.right, in.bottom, s_->Resolve(colors::ButtonFace));
    return in;
}

void Canvas::DrawFocusRect(const Rect& r) {
    if (r.IsEmpty()) return;
    // Every other pixel of the border, each pixel once, inverted.
    QPolygon dots;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) dots << QPoint(x, y);
    };
    const int right = r.right - 1;
    const int bottom = r.bottom - 1;
    for (int x = r.left; x <= right; ++x) {
        dot(x, r.top);
        if (bottom > r.top) dot(x, bottom);
    }
    for (int y = r.top + 1; y < bottom; ++y) {
        dot(r.left, y);
        if (right > r.left) dot(right, y);
    }
    QPainter& p = s_->painter;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(QColor(255, 255, 255), 0));
    p.drawPoints(dots);
    p.restore();
}

QPainter& Canvas::Painter() {
    // The caller may change the painter's font; the next text sets ours again.
    s_->metrics.reset();
    return s_->painter;
}

}  // namespace ui
