#include "kiss/compose.h"

#include <algorithm>
#include <array>
#include <map>

namespace kiss {
namespace {

// `src` over the opaque `dst` with coverage `alpha` (0..255).
uint32_t Over(uint32_t dst, uint32_t src, unsigned alpha) {
    if (alpha >= 255) return 0xFF000000u | (src & 0xFFFFFFu);
    const unsigned keep = 255 - alpha;
    auto channel = [&](int shift) {
        const unsigned s = src >> shift & 0xFF, d = dst >> shift & 0xFF;
        return ((s * alpha + d * keep + 127) / 255) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// The colours of a cel's 256 indexes.  They depend only on the palette its
// line names (the group is the same for every cel), so the cels of one
// palette share a table, made when the first of them is drawn: looking up
// 256 colours for each of hundreds of cels would cost more than drawing a
// small area.
class ColorTables {
public:
    explicit ColorTables(const Doll& doll) : doll_(doll) {}
    const uint32_t* For(int cel) {
        auto [table, made] = tables_.try_emplace(doll_.celLine(cel).palette);
        if (made)
            for (int k = 0; k < 256; ++k) table->second[k] = doll_.ColorOf(cel, k);
        return table->second.data();
    }

private:
    const Doll& doll_;
    std::map<int, std::array<uint32_t, 256>> tables_;
};

// Draws the part of cel `i` inside `clip` (which lies inside the picture).
void DrawCel(const Doll& doll, int i, const Rect& clip, ColorTables& tables, Picture& out) {
    const Cel& c = *doll.cel(i);
    const Position o = doll.CelOrigin(i);
    const unsigned opacity = 255 - static_cast<unsigned>(std::clamp(doll.Translucency(i), 0, 255));
    if (opacity == 0) return;
    const int x0 = std::max(clip.x, o.x), y0 = std::max(clip.y, o.y);
    const int x1 = std::min(clip.x + clip.width, o.x + c.width), y1 = std::min(clip.y + clip.height, o.y + c.height);
    if (x0 >= x1 || y0 >= y1) return;
    const uint32_t* colors = c.bitsPerPixel == 32 ? nullptr : tables.For(i);
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = &out.argb[static_cast<size_t>(y) * out.width];
        const size_t from = static_cast<size_t>(y - o.y) * c.width + (x0 - o.x);
        for (int x = x0; x < x1; ++x) {
            const size_t at = from + (x - x0);
            uint32_t src;
            unsigned alpha;
            if (c.bitsPerPixel == 32) {
                src = c.argb[at];
                alpha = (src >> 24) * opacity / 255;
            } else {
                const uint8_t index = c.indexes[at];
                if (index == 0) continue;  // colour 0 is transparent
                src = colors[index];
                alpha = opacity;
            }
            if (alpha) row[x] = Over(row[x], src, alpha);
        }
    }
}

// Every visible cel over what `area` already holds.  The first cel listed
// lies on top: draw from the last one up.
void DrawCels(const Doll& doll, const Rect& area, Picture& out) {
    ColorTables tables(doll);
    for (int i = doll.CelCount() - 1; i >= 0; --i)
        if (doll.Visible(i)) DrawCel(doll, i, area, tables, out);
}

}  // namespace

Rect Unite(const Rect& a, const Rect& b) {
    if (a.Empty()) return b.Empty() ? Rect{} : b;
    if (b.Empty()) return a;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.width, b.x + b.width), y1 = std::max(a.y + a.height, b.y + b.height);
    return {x0, y0, x1 - x0, y1 - y0};
}

Rect Intersect(const Rect& a, const Rect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.width, b.x + b.width), y1 = std::min(a.y + a.height, b.y + b.height);
    if (x0 >= x1 || y0 >= y1) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

Picture Compose(const Doll& doll) {
    Picture p;
    p.width = doll.config().width;
    p.height = doll.config().height;
    p.argb.assign(static_cast<size_t>(p.width) * p.height, 0xFF000000u | doll.Background());
    DrawCels(doll, {0, 0, p.width, p.height}, p);
    return p;
}

void ComposeArea(const Doll& doll, Rect area, Picture& picture) {
    area = Intersect(area, {0, 0, picture.width, picture.height});
    if (area.Empty()) return;
    const uint32_t background = 0xFF000000u | doll.Background();
    for (int y = area.y; y < area.y + area.height; ++y) {
        uint32_t* row = &picture.argb[static_cast<size_t>(y) * picture.width];
        std::fill(row + area.x, row + area.x + area.width, background);
    }
    DrawCels(doll, area, picture);
}

}  // namespace kiss
