#include "tools/kiss_encode.h"

#include <stdexcept>

namespace kisstools {
namespace {

void PutWord(std::string& out, unsigned v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

std::string Header(unsigned mark, unsigned bits) {
    std::string h = "KiSS";
    h.push_back(static_cast<char>(mark));
    h.push_back(static_cast<char>(bits));
    PutWord(h, 0);
    return h;
}

}  // namespace

void Raster::Rect(int x, int y, int w, int h, uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Raster::Ellipse(int cx, int cy, int rx, int ry, uint8_t c) {
    for (int j = cy - ry; j <= cy + ry; ++j)
        for (int i = cx - rx; i <= cx + rx; ++i) {
            const long dx = i - cx, dy = j - cy;
            if (dx * dx * ry * ry + dy * dy * rx * rx <= static_cast<long>(rx) * rx * ry * ry) Set(i, j, c);
        }
}

void Raster::Trapezoid(int cx, int y, int h, int topWidth, int bottomWidth, uint8_t c) {
    for (int k = 0; k < h; ++k) {
        const int w = topWidth + (bottomWidth - topWidth) * k / (h > 1 ? h - 1 : 1);
        Rect(cx - w / 2, y + k, w, 1, c);
    }
}

std::string EncodeCel(const Raster& r, CelForm form) {
    std::string out;
    if (form == CelForm::Old4) {
        PutWord(out, r.width);
        PutWord(out, r.height);
    } else {
        out = Header(0x20, form == CelForm::Headed8 ? 8 : 4);
        PutWord(out, r.width);
        PutWord(out, r.height);
        PutWord(out, r.xOffset);
        PutWord(out, r.yOffset);
        out.append(16, '\0');
    }
    for (int y = 0; y < r.height; ++y) {
        if (form == CelForm::Headed8) {
            for (int x = 0; x < r.width; ++x) out.push_back(static_cast<char>(r.At(x, y)));
            continue;
        }
        for (int x = 0; x < r.width; x += 2) {
            if (r.At(x, y) > 15 || (x + 1 < r.width && r.At(x + 1, y) > 15))
                throw std::invalid_argument("4-bit cel with an index above 15");
            const unsigned hi = r.At(x, y);
            const unsigned lo = x + 1 < r.width ? r.At(x + 1, y) : 0;
            out.push_back(static_cast<char>(hi << 4 | lo));
        }
    }
    return out;
}

std::string EncodePalette24(const std::vector<std::vector<Rgb>>& groups) {
    std::string out = Header(0x10, 24);
    PutWord(out, static_cast<unsigned>(groups.front().size()));
    PutWord(out, static_cast<unsigned>(groups.size()));
    out.append(20, '\0');
    for (const auto& g : groups)
        for (const Rgb& c : g) {
            out.push_back(static_cast<char>(c.r));
            out.push_back(static_cast<char>(c.g));
            out.push_back(static_cast<char>(c.b));
        }
    return out;
}

std::string EncodePalette12(const std::vector<std::vector<Rgb>>& groups) {
    std::string out;
    for (const auto& g : groups) {
        if (g.size() != 16) throw std::invalid_argument("old palettes hold 16 colours a group");
        for (const Rgb& c : g) {
            out.push_back(static_cast<char>((c.r & 15) << 4 | (c.b & 15)));
            out.push_back(static_cast<char>(c.g & 15));
        }
    }
    return out;
}

}  // namespace kisstools
