// Any bytes as a palette: a palette read holds whole groups of the stated
// size, all colours opaque, and never more data than the file has.
#include "kiss/palette.h"
#include "fuzz_check.h"


using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzzcheck::InputBytes(data, size);
    // The reader says why it refuses: a file it read is never "not found".
    kiss::NoteKind why = kiss::NoteKind::FileNotFound;
    auto p = kiss::ReadPalette(bytes, &why);
    if (!p) {
        Check(why != kiss::NoteKind::FileNotFound);
        return 0;
    }
    Check(p->colorsPerGroup >= 1 && p->colorsPerGroup <= 256);
    Check(!p->groups.empty() && p->groups.size() <= 256);
    for (const auto& g : p->groups) {
        Check(static_cast<int>(g.size()) == p->colorsPerGroup);
        for (kiss::Argb c : g) Check((c >> 24) == 0xFF);
    }
    Check(p->groups.size() * static_cast<size_t>(p->colorsPerGroup) * 2 <= size);
    Check(p->Color(-1, 0) == p->groups[0][0] && p->Color(0, 999) == 0xFF000000u);
    return 0;
}
