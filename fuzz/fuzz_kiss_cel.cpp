// Any bytes as a cel: a cel read has the pixels its size promises and its
// sizes within limits; what is refused says why.
#include "kiss/cel.h"
#include "fuzz_check.h"


using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzzcheck::InputBytes(data, size);
    // The reader says why it refuses: a file it read is never "not found".
    kiss::NoteKind why = kiss::NoteKind::FileNotFound;
    auto c = kiss::ReadCel(bytes, &why);
    if (!c) {
        Check(why != kiss::NoteKind::FileNotFound);
        return 0;
    }
    Check(c->width >= 1 && c->height >= 1 && c->width <= kiss::kMaxCelSide && c->height <= kiss::kMaxCelSide);
    const size_t pixels = static_cast<size_t>(c->width) * c->height;
    if (c->bitsPerPixel == 32) {
        Check(c->argb.size() == pixels && c->indexes.empty());
    } else {
        Check(c->bitsPerPixel == 4 || c->bitsPerPixel == 8);
        Check(c->indexes.size() == pixels && c->argb.empty());
        if (c->bitsPerPixel == 4)
            for (uint8_t v : c->indexes) Check(v < 16);
    }
    // Every row must have been in the file: no pixel is made up.
    const size_t header = bytes.substr(0, 4) == "KiSS" && size >= 32 ? 32 : 4;
    const size_t w = static_cast<size_t>(c->width);
    const size_t rowBytes = c->bitsPerPixel == 4 ? (w + 1) / 2 : c->bitsPerPixel == 8 ? w : 4 * w;
    Check(size >= header + rowBytes * static_cast<size_t>(c->height));
    for (int y = 0; y < c->height; y += 1 + c->height / 8)
        for (int x = 0; x < c->width; x += 1 + c->width / 8) (void)c->Opaque(x, y);
    return 0;
}
