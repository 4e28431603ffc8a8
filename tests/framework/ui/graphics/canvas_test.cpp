#include "framework/ui/graphics/canvas.h"
#include "framework/ui/graphics/qt_graphics.h"
#include "framework/ui/graphics/system_metrics.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>

#include <gtest/gtest.h>

#include <functional>

using namespace ui;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// Paints on a white image through a canvas with a black 14-pixel font.
QImage Paint(int w, int h, const std::function<void(Canvas&)>& draw) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    Canvas canvas(painter);
    Font f;
    f.height = -14;
    f.color = colors::Black;
    canvas.SetFont(f);
    draw(canvas);
    return image;
}

bool IsDark(QRgb p) { return qGray(p) < 128; }

// The columns (or rows) holding dark pixels inside a box of the image.
struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    int count = 0;
};

Ink InkIn(const QImage& image, QRect box) {
    Ink ink;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (IsDark(image.pixel(x, y))) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

}  // namespace

TEST(Canvas, TextSitsAtItsReferencePointByAlignment) {
    int width = 0;
    int height = 0;
    const QImage image = Paint(300, 90, [&](Canvas& c) {
        width = c.TextWidth("HHHH");
        height = c.TextHeight("HHHH");
        c.SetBrushColor(colors::White);
        c.TextRect({10, 0, 290, 30}, 200, 5, "HHHH", TextAlign::Right);
        c.TextRect({10, 30, 290, 60}, 150, 35, "HHHH", TextAlign::Center);
        // "表示" in cp932, centred like any text.
        c.TextRect({10, 60, 290, 90}, 150, 65, "\x95\x5C\x8E\xA6", TextAlign::Center);
    });
    ASSERT_GT(width, 20);
    ASSERT_GT(height, 10);

    // Right: the text ends at x = 200 and starts one text width before.
    const Ink right = InkIn(image, QRect(0, 0, 300, 30));
    ASSERT_GT(right.count, 0);
    EXPECT_LE(right.right, 199);
    EXPECT_GE(right.right, 196);
    EXPECT_NEAR(right.left, 200 - width, 3);
    EXPECT_GE(right.top, 5);
    EXPECT_LT(right.bottom, 5 + height);

    // Centre: as much ink left of x = 150 as right of it.
    const Ink centre = InkIn(image, QRect(0, 30, 300, 30));
    ASSERT_GT(centre.count, 0);
    EXPECT_NEAR((centre.left + centre.right + 1) / 2.0, 150, 2);
    const Ink japanese = InkIn(image, QRect(0, 60, 300, 30));
    ASSERT_GT(japanese.count, 20);
    EXPECT_NEAR((japanese.left + japanese.right + 1) / 2.0, 150, 2);
}

TEST(Canvas, TextRectFillsItsRectangleAndClipsTheText) {
    const QRgb red = qRgb(255, 0, 0);
    const QImage image = Paint(200, 40, [&](Canvas& c) {
        c.SetBrushColor(Color::Rgb(255, 0, 0));
        // Far too long for its rectangle, and taller than it.
        c.TextRect({40, 10, 90, 20}, 42, 8, "WWWWWWWWWWWWWWWW");
    });
    // Nothing outside the rectangle changed.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (x < 40 || x >= 90 || y < 10 || y >= 20) {
                ASSERT_EQ(image.pixel(x, y), kWhite) << x << "," << y;
            }
    // Inside: the red fill and the text over it.
    EXPECT_EQ(image.pixel(40, 10), red);
    EXPECT_EQ(image.pixel(89, 19), red);
    EXPECT_GT(InkIn(image, QRect(40, 10, 50, 10)).count, 10);

    // Without the options the text runs on and nothing is filled.
    const QImage plain = Paint(200, 40, [&](Canvas& c) {
        c.SetBrushColor(Color::Rgb(255, 0, 0));
        c.TextRect({40, 10, 90, 30}, 42, 10, "WWWWWWWWWWWWWWWW", TextAlign::Left, 0);
    });
    EXPECT_EQ(plain.pixel(40, 10), kWhite);
    EXPECT_GT(InkIn(plain, QRect(90, 0, 110, 40)).count, 0);
}

TEST(Canvas, EdgesUseTheirColoursRingByRing) {
    const QRgb light = ToQColor(colors::ButtonLight).rgb();
    const QRgb dark = ToQColor(colors::ButtonDarkShadow).rgb();
    const QRgb highlight = ToQColor(colors::ButtonHighlight).rgb();
    const QRgb shadow = ToQColor(colors::ButtonShadow).rgb();
    const QRgb face = ToQColor(colors::ButtonFace).rgb();
    ASSERT_NE(highlight, shadow);
    ASSERT_NE(face, kWhite);

    Rect inside;
    const QImage raised = Paint(40, 40, [&](Canvas& c) {
        inside = c.DrawEdge({10, 10, 30, 30}, kEdgeRaised, kSideRect | kSideMiddle);
    });
    EXPECT_EQ(inside, (Rect{12, 12, 28, 28}));
    EXPECT_EQ(raised.pixel(10, 20), light);      // outer left
    EXPECT_EQ(raised.pixel(20, 10), light);      // outer top
    EXPECT_EQ(raised.pixel(29, 20), dark);       // outer right
    EXPECT_EQ(raised.pixel(20, 29), dark);       // outer bottom
    EXPECT_EQ(raised.pixel(29, 10), dark);       // the far corners take the bottom-right colour
    EXPECT_EQ(raised.pixel(11, 20), highlight);  // inner left
    EXPECT_EQ(raised.pixel(28, 20), shadow);     // inner right
    EXPECT_EQ(raised.pixel(20, 20), face);       // middle
    EXPECT_EQ(raised.pixel(9, 9), kWhite);

    const QImage sunken = Paint(40, 40, [&](Canvas& c) { c.DrawEdge({10, 10, 30, 30}, kEdgeSunken, kSideRect); });
    EXPECT_EQ(sunken.pixel(10, 20), shadow);
    EXPECT_EQ(sunken.pixel(29, 20), highlight);
    EXPECT_EQ(sunken.pixel(11, 20), dark);
    EXPECT_EQ(sunken.pixel(28, 20), light);
    EXPECT_EQ(sunken.pixel(20, 20), kWhite);  // no middle asked for

    // One ring on two sides: only those sides change, and only they move in.
    const QImage half = Paint(40, 40, [&](Canvas& c) {
        inside = c.DrawEdge({10, 10, 30, 30}, kRaisedInner, kSideBottomRight | kSideMiddle);
    });
    EXPECT_EQ(inside, (Rect{10, 10, 29, 29}));
    EXPECT_EQ(half.pixel(29, 20), shadow);
    EXPECT_EQ(half.pixel(20, 29), shadow);
    EXPECT_EQ(half.pixel(10, 20), face);
    EXPECT_EQ(half.pixel(20, 10), face);
}

TEST(Canvas, LinesLeaveTheirEndPointOutAndFocusFramesInvert) {
    const QImage lines = Paint(40, 40, [](Canvas& c) {
        c.SetPenColor(colors::Black);
        c.MoveTo(5, 5);
        c.LineTo(15, 5);  // 5..14
        const Point corner[] = {{20, 30}, {20, 20}, {30, 20}};
        c.Polyline(corner);
    });
    EXPECT_TRUE(IsDark(lines.pixel(5, 5)));
    EXPECT_TRUE(IsDark(lines.pixel(14, 5)));
    EXPECT_FALSE(IsDark(lines.pixel(15, 5)));
    EXPECT_TRUE(IsDark(lines.pixel(20, 30)));
    EXPECT_TRUE(IsDark(lines.pixel(20, 20)));
    EXPECT_TRUE(IsDark(lines.pixel(29, 20)));
    EXPECT_FALSE(IsDark(lines.pixel(30, 20)));

    // Every other border pixel inverted; a second frame takes it away.
    const QImage once = Paint(40, 40, [](Canvas& c) { c.DrawFocusRect({10, 10, 30, 20}); });
    EXPECT_TRUE(IsDark(once.pixel(10, 10)));
    EXPECT_FALSE(IsDark(once.pixel(11, 10)));
    EXPECT_TRUE(IsDark(once.pixel(12, 10)));
    EXPECT_TRUE(IsDark(once.pixel(29, 19)));
    EXPECT_FALSE(IsDark(once.pixel(20, 15)));
    const QImage twice = Paint(40, 40, [](Canvas& c) {
        c.DrawFocusRect({10, 10, 30, 20});
        c.DrawFocusRect({10, 10, 30, 20});
    });
    EXPECT_EQ(InkIn(twice, QRect(0, 0, 40, 40)).count, 0);
}

TEST(Canvas, ScrollArrowWidthComesFromTheStyle) {
    if (QApplication::style()->name().compare(u"fusion", Qt::CaseInsensitive) != 0) GTEST_SKIP() << "not Fusion";
    EXPECT_EQ(ScrollArrowWidth(), 14);
}
