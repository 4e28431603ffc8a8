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

Picture Compose(const Doll& doll);

}  // namespace kiss
