// Drawing only the part of the field a step changed: the part a change
// names, composed into the picture from before, must give the picture a
// whole compose gives, pixel for pixel.
#include "kiss/compose.h"
#include "kiss/doll.h"
#include "kiss/field_state.h"
#include "tools/kiss_encode.h"

#include <gtest/gtest.h>
#include <functional>
#include <map>

using kiss::Doll;
using kiss::Picture;
using kiss::Rect;

namespace {

constexpr int kWidth = 60, kHeight = 40;

// A red square on top, a translucent blue one, a yellow one that starts
// unmapped and a green one at the bottom; each alarm makes one change.
Doll MakeLayers() {
    using kisstools::Raster;
    using kisstools::Rgb;
    auto square = [](int side, uint8_t colour) {
        Raster r(side, side);
        r.Rect(0, 0, side, side, colour);
        r.Set(1, 1, 0);  // a transparent pixel
        return kisstools::EncodeCel(r, kisstools::CelForm::Headed4);
    };
    // Red and green stripes wider than the field.
    kisstools::Raster band(kWidth + 20, 4);
    for (int x = 0; x < band.width; x += 2) band.Rect(x, 0, 1, 4, 1), band.Rect(x + 1, 0, 1, 4, 3);
    std::vector<std::vector<Rgb>> groups(2, std::vector<Rgb>(16, Rgb{15, 15, 15}));
    groups[0][1] = {15, 0, 0}, groups[0][2] = {0, 0, 15}, groups[0][3] = {0, 15, 0}, groups[0][4] = {15, 15, 0};
    groups[1][0] = {2, 2, 2}, groups[1][1] = {8, 0, 0}, groups[1][2] = {0, 0, 8}, groups[1][3] = {0, 8, 0};
    std::map<std::string, std::string> files{{"p.kcf", kisstools::EncodePalette12(groups)},
                                             {"top.cel", square(10, 1)},
                                             {"glass.cel", square(20, 2)},
                                             {"hidden.cel", square(8, 4)},
                                             {"back.cel", square(30, 3)},
                                             {"band.cel", kisstools::EncodeCel(band, kisstools::CelForm::Headed4)}};
    const std::string cnf =
        "(60,40)\n%p.kcf\n#0 top.cel\n#1 glass.cel ;%t128\n#2 hidden.cel ;%u\n#3 back.cel\n#4 band.cel\n$0 2,2 5,5 40,20 20,5 0,0\n"
        ";@EventHandler\n"
        ";@initialize() timer(1, 10) timer(2, 20) timer(3, 30) timer(4, 40) timer(5, 50) timer(6, 60) timer(7, 70)\n"
        ";@alarm(1) map(#2)\n"
        ";@alarm(2) transparent(#1, -60)\n"
        ";@alarm(3) move(#1, 20, 5)\n"
        ";@alarm(4) unmap(#0)\n"
        ";@alarm(5) moveto(#3, -10, 25)\n"
        ";@alarm(6) let(X, 1)\n"
        ";@alarm(7) changecol(1)\n";
    std::vector<kiss::Note> problems;
    Doll d = Doll::Load(cnf, [&](const std::string& n) -> std::optional<std::string> { return files.at(n); }, problems);
    EXPECT_TRUE(problems.empty());
    return d;
}

int PixelsThatDiffer(const Picture& a, const Picture& b) {
    int n = 0;
    for (size_t i = 0; i < a.argb.size(); ++i) n += a.argb[i] != b.argb[i];
    return n;
}

}  // namespace

TEST(KissCompose, TheChangedAreaComposedAnewEqualsTheWholeCompose) {
    Doll d = MakeLayers();
    d.Start();
    const Rect field{0, 0, kWidth, kHeight};
    // Makes the change; checks the partial picture against a whole one and
    // gives the area that was composed anew.
    auto step = [&](const std::string& what, const std::function<void()>& change) {
        SCOPED_TRACE(what);
        const Picture before = kiss::Compose(d);
        const kiss::FieldState was = kiss::FieldState::Of(d);
        change();
        const Rect area = ChangedArea(was, kiss::FieldState::Of(d));
        Picture partial = before;
        kiss::ComposeArea(d, area, partial);
        const Picture whole = kiss::Compose(d);
        EXPECT_EQ(PixelsThatDiffer(partial, whole), 0);
        return std::pair(area, PixelsThatDiffer(before, whole));
    };
    auto alarm = [&](int n) { return [&d, n] { d.RunAlarms(10 * n); }; };

    // A move: the old and the new place of the red square, no more.
    auto [area, changed] = step("a move", [&] { d.MoveObject(0, {30, 12}); });
    EXPECT_EQ(area, (Rect{2, 2, 38, 20}));
    EXPECT_GT(changed, 0);
    // A cel wider than the field moved along it: the part of it inside the
    // field stays where it was, its pixels there do not.
    std::tie(area, changed) = step("a wide cel moved", [&] { d.MoveObject(4, {-1, 0}); });
    EXPECT_GT(changed, 0);
    EXPECT_EQ(area, (Rect{0, 0, kWidth, 4}));
    // A cel mapped over another, the translucent one made clearer and then
    // moved over the others, a cel unmapped, one moved partly out of the
    // field: each a part of the field only.
    for (int n = 1; n <= 5; ++n) {
        std::tie(area, changed) = step("alarm " + std::to_string(n), alarm(n));
        EXPECT_GT(changed, 0);
        EXPECT_FALSE(area.Empty());
        EXPECT_LT(area.width * area.height, kWidth * kHeight);
    }
    EXPECT_EQ(d.Place(3), (kiss::Position{-10, 25}));
    // A step that changes nothing seen: nothing to compose.
    std::tie(area, changed) = step("a variable", alarm(6));
    EXPECT_EQ(d.Variable("X"), 1);
    EXPECT_TRUE(area.Empty());
    // Another palette group: every colour may change.
    std::tie(area, changed) = step("the palette group", alarm(7));
    EXPECT_EQ(area, field);
    EXPECT_GT(changed, kWidth * kHeight / 2);
}
