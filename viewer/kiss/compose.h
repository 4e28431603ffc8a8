// The playfield of a doll as one picture: the background colour, then the
// visible cels of the current set drawn from the bottom one up, at their
// places.  No toolkit: the picture is a plain buffer of colours.
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
