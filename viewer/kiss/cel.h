// Cel files (.cel): one picture of a doll's part.
//
// The old form is width and height (two little-endian words) followed by
// 4-bit pixels, two a byte (the left one in the high nibble), each row
// padded to a whole byte.  The headed form starts with a 32-byte "KiSS"
// header (mark 0x20, bits per pixel 4 or 8, width, height, x and y offset)
// and holds 4-bit or 8-bit palette indexes; the mark 0x21 form holds 32-bit
// pixels (blue, green, red, alpha) that need no palette.  Index 0 (or alpha
// 0) is transparent.
#pragma once

#include "kiss/bytes.h"
#include "kiss/note.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiss {

struct Cel {
    int width = 0;
    int height = 0;
    int xOffset = 0;
    int yOffset = 0;
    int bitsPerPixel = 4;
    std::vector<uint8_t> indexes;  // 4 and 8 bits: one palette index a pixel, row by row
    std::vector<uint32_t> argb;    // 32 bits: 0xAARRGGBB a pixel, row by row

    bool Opaque(int x, int y) const;  // x, y inside the cel
};

constexpr int kMaxCelSide = 8192;

// nullopt (and the reason in `error`) when the data is no cel or is cut short.
std::optional<Cel> ReadCel(Bytes data, NoteKind* error = nullptr);

}  // namespace kiss
