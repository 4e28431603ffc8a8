#include "kiss/palette.h"

#include <algorithm>

namespace kiss {
namespace {

constexpr int kMaxGroups = 256;

Argb FromRgb(unsigned r, unsigned g, unsigned b) { return 0xFF000000u | (r << 16) | (g << 8) | b; }

// 12-bit colour: first byte red (high nibble) and blue (low nibble), second
// byte green (low nibble); each nibble widens to 0..255.
Argb From12Bit(unsigned first, unsigned second) {
    return FromRgb(((first >> 4) & 15) * 17, (second & 15) * 17, (first & 15) * 17);
}

bool Fail(NoteKind* error, NoteKind why) {
    if (error) *error = why;
    return false;
}

}  // namespace

Argb Palette::Color(int group, int index) const {
    if (groups.empty()) return 0xFF000000u;
    const auto& g = (group >= 0 && group < static_cast<int>(groups.size())) ? groups[group] : groups[0];
    if (index < 0 || index >= static_cast<int>(g.size())) return 0xFF000000u;
    return g[index];
}

std::optional<Palette> ReadPalette(Bytes data, NoteKind* error) {
    Palette p;
    size_t start = 0;
    int bits = 12;
    int groupCount = 0;
    if (HasKissHeader(data)) {
        if (Byte(data, 4) != 0x10) {
            Fail(error, NoteKind::PaletteWrongMark);
            return std::nullopt;
        }
        bits = static_cast<int>(Byte(data, 5));
        p.colorsPerGroup = static_cast<int>(Word(data, 8));
        groupCount = static_cast<int>(Word(data, 10));
        start = 32;
        if (bits != 12 && bits != 24) {
            Fail(error, NoteKind::PaletteBitsPerColour);
            return std::nullopt;
        }
        if (p.colorsPerGroup < 1 || p.colorsPerGroup > 256) {
            Fail(error, NoteKind::PaletteColourCount);
            return std::nullopt;
        }
    } else {
        p.colorsPerGroup = 16;
        groupCount = kMaxGroups;  // as many as the file holds
    }
    const size_t bytesPerColor = bits == 24 ? 3 : 2;
    const size_t groupBytes = bytesPerColor * static_cast<size_t>(p.colorsPerGroup);
    const size_t available = (data.size() - start) / groupBytes;
    if (groupCount > kMaxGroups) groupCount = kMaxGroups;
    // A file cut short keeps the groups it holds whole.
    const size_t count = std::min<size_t>(available, static_cast<size_t>(groupCount));
    if (count == 0) {
        Fail(error, NoteKind::PaletteNoWholeGroup);
        return std::nullopt;
    }
    p.groups.resize(count);
    size_t at = start;
    for (auto& g : p.groups) {
        g.reserve(p.colorsPerGroup);
        for (int i = 0; i < p.colorsPerGroup; ++i, at += bytesPerColor) {
            if (bits == 24)
                g.push_back(FromRgb(Byte(data, at), Byte(data, at + 1), Byte(data, at + 2)));
            else
                g.push_back(From12Bit(Byte(data, at), Byte(data, at + 1)));
        }
    }
    return p;
}

}  // namespace kiss
