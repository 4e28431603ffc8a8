// Writers of the KiSS picture and palette forms, for generated test sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kisstools {

struct Rgb {
    uint8_t r, g, b;
};

// A picture of palette indexes, drawn with simple shapes.
struct Raster {
    int width = 0;
    int height = 0;
    int xOffset = 0;
    int yOffset = 0;
    std::vector<uint8_t> pixels;  // row by row

    Raster(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, uint8_t c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = c;
    }
    void Rect(int x, int y, int w, int h, uint8_t c);
    void Ellipse(int cx, int cy, int rx, int ry, uint8_t c);
    // Rows from y to y+h-1 widening linearly from `topWidth` to `bottomWidth`,
    // centred on cx.
    void Trapezoid(int cx, int y, int h, int topWidth, int bottomWidth, uint8_t c);
};

enum class CelForm { Old4, Headed4, Headed8 };

std::string EncodeCel(const Raster& r, CelForm form);
// A headed 24-bit palette of `groups` groups of equal size (16 or 256).
std::string EncodePalette24(const std::vector<std::vector<Rgb>>& groups);
// The old 12-bit form: groups of 16 colours, values 0..15 a channel.
std::string EncodePalette12(const std::vector<std::vector<Rgb>>& groups);

}  // namespace kisstools
