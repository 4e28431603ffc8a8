// Any text as the event script of a small doll: reading never fails, and
// playing it (start, presses, drags, releases, set changes, alarms over
// time) ends every step within its bounds and keeps the doll consistent;
// the area a round changed, composed into the picture from before, gives
// the whole picture.
#include "kiss/compose.h"
#include "kiss/doll.h"
#include "kiss/field_state.h"
#include "kiss/wave.h"
#include "fuzz_check.h"

#include <string>

using fuzzcheck::Check;

namespace {

// Every cel of the doll is this 16 x 16 square (old form, colour 1).
std::string Square() {
    std::string c = {16, 0, 16, 0};
    c += std::string(16 * 8, '\x11');
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The same bytes as a sound the script might play.
    const std::string_view bytes = fuzzcheck::InputBytes(data, size);
    if (const auto w = kiss::ReadWave(bytes)) {
        Check(w->samples.data() >= bytes.data() && w->samples.data() + w->samples.size() <= bytes.data() + bytes.size());
        Check(w->samples.size() % (static_cast<size_t>(w->channels) * (w->bitsPerSample / 8)) == 0);
    }
    const std::string cnf = "(64,48)\n#0 a.cel\n#1.2 b.cel ;%u\n#1 c.cel ;%t128\n#2 d.cel\n$0 0,0 10,10 30,20\n$1 5,5 * 20,20\n"
                            ";@EventHandler\n" +
                            std::string(fuzzcheck::InputBytes(data, size));
    const std::string square = Square();
    std::vector<kiss::Note> problems;
    kiss::Doll d = kiss::Doll::Load(cnf, [&](const std::string&) { return std::optional<std::string>(square); }, problems);
    Check(d.CelCount() >= 4 && d.script().present);  // the input may add cel lines of its own
    for (const auto& h : d.script().handlers)
        for (const auto& a : h.args)
            for (int c : a.cels) Check(c >= 0 && c < d.CelCount());

    d.Start();
    kiss::Picture before = kiss::Compose(d);
    kiss::FieldState shown = kiss::FieldState::Of(d);
    int64_t now = 0;
    for (int round = 0; round < 6; ++round) {
        const int x = 3 + round * 9, y = 3 + round * 7;
        d.SetNow(now);
        const kiss::PressResult r = d.Press(x, y);
        Check(r.object >= -1 && r.object < d.config().objectCount);
        if (r.movable) d.MoveObject(r.object, {x + 5, y - 3});
        d.Release();
        if (round == 2) d.SelectSet(1);
        if (round == 4) d.SelectSet(0);
        for (int step = 0; step < 4; ++step) {
            const auto due = d.NextAlarm();
            if (!due) break;
            Check(*due >= 0);
            now = std::max(now + 17, *due);
            d.RunAlarms(now);
        }
        Check(d.SetDefined(d.currentSet()));
        for (int i = 0; i < d.CelCount(); ++i) Check(d.Translucency(i) >= 0 && d.Translucency(i) <= 255);
        const kiss::Picture p = kiss::Compose(d);
        Check(p.width == d.config().width && p.height == d.config().height);
        Check(p.argb.size() == static_cast<size_t>(p.width) * p.height);
        for (uint32_t px : p.argb) Check(px >> 24 == 0xFF);
        kiss::FieldState state = kiss::FieldState::Of(d);
        kiss::ComposeArea(d, ChangedArea(shown, state), before);
        Check(before.argb == p.argb);
        shown = std::move(state);
        d.TakeEffects();
    }
    d.Finish();
    return 0;
}
