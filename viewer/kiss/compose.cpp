#include "kiss/compose.h"

#include <algorithm>

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

void DrawCel(const Doll& doll, int i, Picture& out) {
    const Cel& c = *doll.cel(i);
    const Position o = doll.CelOrigin(i);
    const unsigned opacity = 255 - static_cast<unsigned>(std::clamp(doll.Translucency(i), 0, 255));
    if (opacity == 0) return;
    const int x0 = std::max(0, o.x), y0 = std::max(0, o.y);
    const int x1 = std::min(out.width, o.x + c.width), y1 = std::min(out.height, o.y + c.height);
    if (x0 >= x1 || y0 >= y1) return;
    uint32_t colors[256];
    if (c.bitsPerPixel != 32)
        for (int k = 0; k < 256; ++k) colors[k] = doll.ColorOf(i, k);
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

}  // namespace

Picture Compose(const Doll& doll) {
    Picture p;
    p.width = doll.config().width;
    p.height = doll.config().height;
    p.argb.assign(static_cast<size_t>(p.width) * p.height, 0xFF000000u | doll.Background());
    // The first cel listed lies on top: draw from the last one up.
    for (int i = doll.CelCount() - 1; i >= 0; --i)
        if (doll.Visible(i)) DrawCel(doll, i, p);
    return p;
}

}  // namespace kiss
