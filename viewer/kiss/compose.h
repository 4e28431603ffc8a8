// The playfield of a doll's current set as it shows: the background, then
// every visible cel from the bottom of the list up, each drawn with its
// translucency (and a 32-bit cel with its own alpha).  The one drawing of a
// doll: the viewer and the catalog's preview both show this picture.
#pragma once

#include "kiss/doll.h"

#include <cstdint>
#include <vector>

namespace kiss {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // 0xAARRGGBB, not premultiplied, row by row
};

// A rectangle of the field in pixels; empty when a side is 0 or less.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const Rect&) const = default;
};
Rect Unite(const Rect& a, const Rect& b);  // the least rectangle holding both; an empty one adds nothing
Rect Intersect(const Rect& a, const Rect& b);

Picture Compose(const Doll& doll);

// Draws `area` of the field anew in `picture`, a picture of the same doll's
// field (as Compose made it): afterwards its pixels there are those a whole
// Compose gives, and the rest is left as it was.  A viewer that knows what
// part of the field changed draws only that.
void ComposeArea(const Doll& doll, Rect area, Picture& picture);

}  // namespace kiss
