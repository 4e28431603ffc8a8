#include "kiss/cel.h"

namespace kiss {
namespace {

std::optional<Cel> Fail(NoteKind* error, NoteKind why) {
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

bool Cel::Opaque(int x, int y) const {
    const size_t at = static_cast<size_t>(y) * width + x;
    if (bitsPerPixel == 32) return (argb[at] >> 24) != 0;
    return indexes[at] != 0;
}

std::optional<Cel> ReadCel(Bytes data, NoteKind* error) {
    Cel c;
    size_t start;
    if (HasKissHeader(data)) {
        const unsigned mark = Byte(data, 4);
        c.bitsPerPixel = static_cast<int>(Byte(data, 5));
        if (mark != 0x20 && mark != 0x21) return Fail(error, NoteKind::CelWrongMark);
        if (c.bitsPerPixel != 4 && c.bitsPerPixel != 8 && c.bitsPerPixel != 32)
            return Fail(error, NoteKind::CelBitsPerPixel);
        c.width = static_cast<int>(Word(data, 8));
        c.height = static_cast<int>(Word(data, 10));
        c.xOffset = static_cast<int>(Word(data, 12));
        c.yOffset = static_cast<int>(Word(data, 14));
        start = 32;
    } else {
        if (data.size() < 4) return Fail(error, NoteKind::CelTooShort);
        c.width = static_cast<int>(Word(data, 0));
        c.height = static_cast<int>(Word(data, 2));
        start = 4;
    }
    if (c.width < 1 || c.height < 1 || c.width > kMaxCelSide || c.height > kMaxCelSide)
        return Fail(error, NoteKind::CelSizeOutOfRange);
    size_t rowBytes = static_cast<size_t>(c.width);
    if (c.bitsPerPixel == 4) rowBytes = (rowBytes + 1) / 2;
    if (c.bitsPerPixel == 32) rowBytes *= 4;
    if ((data.size() - start) / rowBytes < static_cast<size_t>(c.height))
        return Fail(error, NoteKind::CelCutShort);

    const size_t pixels = static_cast<size_t>(c.width) * c.height;
    if (c.bitsPerPixel == 32) {
        c.argb.resize(pixels);
        for (size_t i = 0; i < pixels; ++i) {
            const size_t at = start + i * 4;
            c.argb[i] = (Byte(data, at + 3) << 24) | (Byte(data, at + 2) << 16) | (Byte(data, at + 1) << 8) |
                        Byte(data, at);
        }
        return c;
    }
    c.indexes.resize(pixels);
    uint8_t* out = c.indexes.data();
    for (int y = 0; y < c.height; ++y) {
        const size_t row = start + static_cast<size_t>(y) * rowBytes;
        for (int x = 0; x < c.width; ++x) {
            if (c.bitsPerPixel == 8) {
                *out++ = static_cast<uint8_t>(Byte(data, row + x));
            } else {
                const unsigned b = Byte(data, row + x / 2);
                *out++ = static_cast<uint8_t>((x & 1) ? (b & 15) : (b >> 4));
            }
        }
    }
    return c;
}

}  // namespace kiss
