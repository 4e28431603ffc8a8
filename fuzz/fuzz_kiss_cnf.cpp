// Any text as a KiSS configuration: reading never fails, keeps every value
// within its limits, and a doll built on it (with every file missing) stays
// consistent under set changes, hit tests and moves.
#include "kiss/config.h"
#include "kiss/doll.h"
#include "fuzz_check.h"

#include <string>

using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzzcheck::InputBytes(data, size);
    const kiss::Config c = kiss::ReadConfig(text);
    Check(c.width >= 1 && c.width <= kiss::kMaxFieldSide && c.height >= 1 && c.height <= kiss::kMaxFieldSide);
    Check(c.border >= 0 && c.border <= 255);
    Check(c.objectCount >= 0 && c.objectCount <= kiss::kMaxObjects);
    for (const auto& cel : c.cels) {
        Check(cel.object >= 0 && cel.object < c.objectCount);
        Check(cel.fix >= 0 && cel.palette >= 0 && cel.sets < 1024);
        Check(!cel.file.empty());
        Check(text.find(cel.file) != std::string_view::npos);  // names are pieces of the text
    }
    for (const auto& s : c.sets) Check(!s.defined || static_cast<int>(s.places.size()) == c.objectCount);
    // Same text, same result.
    const kiss::Config again = kiss::ReadConfig(text);
    Check(again.cels.size() == c.cels.size() && again.notes == c.notes);

    std::vector<kiss::Note> problems;
    kiss::Doll d = kiss::Doll::Load(text, [](const std::string&) { return std::optional<std::string>(); }, problems);
    Check(problems.size() >= c.cels.size() + c.palettes.size());
    for (int s = 0; s < kiss::kSetCount; ++s) {
        const bool ok = d.SelectSet(s);
        Check(ok == c.sets[s].defined);
        for (int o = 0; o < c.objectCount && o < 64; ++o) {
            if (d.Place(o)) d.MoveObject(o, {o * 7 - 100, o * 13 - 100});
        }
        Check(d.HitTest(1, 1) == -1);  // no cel could be read
        Check(d.Press(1, 1).object == -1);
    }
    return 0;
}
