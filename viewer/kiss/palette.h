// Palette files (.kcf): one or more colour groups of 16 or 256 colours.
//
// Two forms exist.  The old form has no header: groups of 16 colours, two
// bytes a colour (12-bit: red and blue nibbles in the first byte, green in
// the low nibble of the second).  The headed form starts with a 32-byte
// "KiSS" header (mark 0x10, bits per colour 12 or 24, colours per group,
// group count) and holds 24-bit colours as three bytes red, green, blue.
#pragma once

#include "kiss/bytes.h"
#include "kiss/note.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiss {

// A colour as 0xAARRGGBB with full alpha.
using Argb = uint32_t;

struct Palette {
    int colorsPerGroup = 0;
    std::vector<std::vector<Argb>> groups;  // each holds colorsPerGroup colours

    // Colour `index` of group `group`; a group the file lacks falls back to
    // the first group, an index past the group to black.
    Argb Color(int group, int index) const;
};

// nullopt (and the reason in `error`) when the data is no usable palette.
std::optional<Palette> ReadPalette(Bytes data, NoteKind* error = nullptr);

}  // namespace kiss
