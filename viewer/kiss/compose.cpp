#include "kiss/compose.h"

#include <algorithm>

namespace kiss {
namespace {

// `over` laid on `under`, which is opaque: the result is opaque too.
uint32_t Blend(uint32_t under, uint32_t over) {
    const uint32_t a = over >> 24;
    if (a == 0xFF) return over;
    if (a == 0) return under;
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t u = under >> shift & 0xFF, o = over >> shift & 0xFF;
        out |= ((o * a + u * (255 - a) + 127) / 255) << shift;
    }
    return out;
}

}  // namespace

Picture Compose(const Doll& doll) {
    Picture pic;
    pic.width = doll.config().width;
    pic.height = doll.config().height;
    pic.argb.assign(static_cast<size_t>(pic.width) * pic.height, doll.Background() | 0xFF000000u);
    // The first cel listed lies on top: draw from the last one up.
    for (int i = doll.CelCount() - 1; i >= 0; --i) {
        if (!doll.Visible(i)) continue;
        const Cel& c = *doll.cel(i);
        const Position o = doll.CelOrigin(i);
        const int x0 = std::max(0, o.x), x1 = std::min(pic.width, o.x + c.width);
        const int y0 = std::max(0, o.y), y1 = std::min(pic.height, o.y + c.height);
        if (x0 >= x1 || y0 >= y1) continue;
        uint32_t colors[256];
        if (c.bitsPerPixel != 32) {
            colors[0] = 0;  // index 0 is transparent
            for (int k = 1; k < 256; ++k) colors[k] = doll.ColorOf(i, k);
        }
        for (int y = y0; y < y1; ++y) {
            uint32_t* out = &pic.argb[static_cast<size_t>(y) * pic.width];
            const size_t row = static_cast<size_t>(y - o.y) * c.width;
            for (int x = x0; x < x1; ++x) {
                const size_t at = row + (x - o.x);
                const uint32_t color = c.bitsPerPixel == 32 ? c.argb[at] : colors[c.indexes[at]];
                out[x] = Blend(out[x], color);
            }
        }
    }
    return pic;
}

}  // namespace kiss
