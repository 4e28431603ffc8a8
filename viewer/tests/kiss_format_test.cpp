// The readers of palettes, cels and configurations, on hand-made bytes and
// on the generated set.
#include "kiss/config.h"
#include "kiss/cel.h"
#include "kiss/doll.h"
#include "kiss/palette.h"
#include "tools/test_set.h"

#include <gtest/gtest.h>
#include <map>

using namespace kiss;

namespace {

std::string Le(unsigned v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string Header(char mark, char bits, unsigned a, unsigned b, unsigned c = 0, unsigned d = 0) {
    std::string h = std::string("KiSS") + mark + bits + std::string(2, '\0') + Le(a) + Le(b) + Le(c) + Le(d);
    return h + std::string(16, '\0');
}

}  // namespace

TEST(KissPalette, ReadsTheOld12BitFormAndTheHeaded24BitForm) {
    // Old form: two groups of 16; colour 1 of group 0 is red F, green 8, blue 1.
    std::string old(64, '\0');
    old[2] = '\xF1';
    old[3] = '\x08';
    old[32 + 2] = '\x0F';  // group 1, colour 1: blue only
    old[32 + 3] = '\x00';
    auto p = ReadPalette(old);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->colorsPerGroup, 16);
    ASSERT_EQ(p->groups.size(), 2u);
    EXPECT_EQ(p->Color(0, 1), 0xFFFF8811u);
    EXPECT_EQ(p->Color(1, 1), 0xFF0000FFu);
    EXPECT_EQ(p->Color(7, 1), 0xFFFF8811u) << "a missing group falls back to the first";

    std::string headed = Header('\x10', 24, 4, 3) ;
    for (int g = 0; g < 3; ++g)
        for (int i = 0; i < 4; ++i) headed += std::string{static_cast<char>(g * 10 + i), 0x20, static_cast<char>(0x80 + i)};
    p = ReadPalette(headed);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->colorsPerGroup, 4);
    ASSERT_EQ(p->groups.size(), 3u);
    EXPECT_EQ(p->Color(2, 3), 0xFF172083u);

    // A file cut inside the third group keeps the two whole ones.
    p = ReadPalette(headed.substr(0, headed.size() - 1));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->groups.size(), 2u);

    kiss::NoteKind why{};
    EXPECT_FALSE(ReadPalette(Header('\x10', 16, 4, 1) + std::string(12, '\0'), &why));
    EXPECT_EQ(why, kiss::NoteKind::PaletteBitsPerColour);
    EXPECT_FALSE(ReadPalette(Header('\x20', 24, 4, 1) + std::string(12, '\0')));
    EXPECT_FALSE(ReadPalette(std::string(31, '\0'))) << "no whole group of 16 colours";
}

TEST(KissCel, ReadsOld4BitHeaded4And8And32BitForms) {
    // Old form, 3 x 2: rows padded to whole bytes, left pixel in the high nibble.
    std::string old = Le(3) + Le(2) + "\x12\x30\x45\x60";
    auto c = ReadCel(old);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->width, 3);
    EXPECT_EQ(c->bitsPerPixel, 4);
    EXPECT_EQ(c->indexes, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(c->xOffset, 0);

    auto h4 = ReadCel(Header('\x20', 4, 2, 1, 7, 9) + "\xA0");
    ASSERT_TRUE(h4);
    EXPECT_EQ(h4->indexes, (std::vector<uint8_t>{10, 0}));
    EXPECT_EQ(h4->xOffset, 7);
    EXPECT_EQ(h4->yOffset, 9);
    EXPECT_TRUE(h4->Opaque(0, 0));
    EXPECT_FALSE(h4->Opaque(1, 0)) << "index 0 is transparent";

    auto h8 = ReadCel(Header('\x20', 8, 2, 2) + std::string("\x00\xFF\x80\x01", 4));
    ASSERT_TRUE(h8);
    EXPECT_EQ(h8->indexes, (std::vector<uint8_t>{0, 255, 128, 1}));

    auto h32 = ReadCel(Header('\x21', 32, 1, 1) + std::string("\x10\x20\x30\x00", 4));
    ASSERT_TRUE(h32);
    EXPECT_EQ(h32->argb[0], 0x00302010u);
    EXPECT_FALSE(h32->Opaque(0, 0)) << "alpha 0 is transparent";

    kiss::NoteKind why{};
    EXPECT_FALSE(ReadCel(Header('\x20', 8, 2, 2) + std::string("\x00\xFF\x80", 3), &why));
    EXPECT_EQ(why, kiss::NoteKind::CelCutShort);
    EXPECT_FALSE(ReadCel(Le(0) + Le(5)));
    EXPECT_FALSE(ReadCel(Header('\x20', 5, 1, 1) + "\x01"));
    EXPECT_FALSE(ReadCel(Header('\x10', 8, 1, 1) + "\x01")) << "a palette is no cel";
    EXPECT_FALSE(ReadCel(Le(9000) + Le(1) + std::string(4500, '\x11')));
    EXPECT_FALSE(ReadCel("\x01"));
}

TEST(KissConfig, ReadsEveryKindOfLine) {
    const Config c = ReadConfig(
        "; a comment line\r\n"
        "(640,480) ; size\r\n"
        "[5\r\n"
        "%a.kcf\r\n"
        "%B.KCF ; second palette\r\n"
        "#2.12 top.cel *1 :0 2 ;%t50\r\n"
        "#0 body.cel\r\n"
        "#1 mid.cel :1\r\n"
        "#2 back.cel\r\n"
        ";@EventHandler\r\n"
        "FKiSS lines and others are passed over\r\n"
        "$3 10,20 *\r\n"
        "  30,-4 ; continued\r\n"
        "$0 1,2 3,4\r\n"
        " \r\n"
        " 5,6\r\n"
        "$1 9,9\r\n"
        "#5 a.cel\x1A" "#9 after-eof.cel\r\n");
    EXPECT_EQ(c.width, 640);
    EXPECT_EQ(c.height, 480);
    EXPECT_EQ(c.border, 5);
    EXPECT_EQ(c.palettes, (std::vector<std::string>{"a.kcf", "B.KCF"}));
    ASSERT_EQ(c.cels.size(), 5u);
    EXPECT_EQ(c.cels[0].object, 2);
    EXPECT_EQ(c.cels[0].fix, 12);
    EXPECT_EQ(c.cels[0].file, "top.cel");
    EXPECT_EQ(c.cels[0].palette, 1);
    EXPECT_EQ(c.cels[0].sets, 0b101);
    EXPECT_EQ(c.cels[1].sets, 0x3FF) << "no set list: every set";
    EXPECT_EQ(c.cels[2].sets, 0b10);
    EXPECT_EQ(c.cels[4].file, "a.cel") << "the end-of-file mark ends the text";
    EXPECT_EQ(c.objectCount, 6);

    EXPECT_TRUE(c.sets[0].defined);
    EXPECT_EQ(c.sets[0].paletteGroup, 3);
    EXPECT_EQ(c.Place(0, 0), (Position{10, 20}));
    EXPECT_EQ(c.Place(0, 1), std::nullopt) << "\"*\": not placed";
    EXPECT_EQ(c.Place(0, 2), (Position{30, -4})) << "a blank-led line continues the set";
    EXPECT_EQ(c.Place(1, 2), (Position{5, 6})) << "a blank line does not end the set";
    EXPECT_EQ(c.Place(2, 0), (Position{9, 9}));
    EXPECT_EQ(c.Place(2, 1), std::nullopt) << "objects past the set's places are not placed";
    EXPECT_FALSE(c.sets[3].defined);
    EXPECT_EQ(c.Place(3, 0), std::nullopt);
}

TEST(KissConfig, OddLinesAreNotedAndNeverOverflow) {
    std::string longLine = "#1 " + std::string(100000, 'x') + ".cel\n";
    Config c = ReadConfig("(0,5)\n(99999,99999999999999)\n#\n#-1 a.cel\n#99999 a.cel\n%\n" + longLine +
                          "$0 1,2 x,3 4\n$1\n$2\n$3\n$4\n$5\n$6\n$7\n$8\n$9\n$0 eleven\n");
    EXPECT_EQ(c.width, 448) << "a bad size leaves the default";
    EXPECT_EQ(c.height, 320);
    ASSERT_EQ(c.cels.size(), 1u);
    EXPECT_EQ(c.cels[0].file.size(), 100004u);
    using kiss::NoteKind;
    EXPECT_EQ(c.notes, (std::vector<kiss::Note>{{NoteKind::PlayfieldSize, 1, ""},
                                               {NoteKind::PlayfieldSize, 2, ""},
                                               {NoteKind::ObjectNumber, 3, ""},
                                               {NoteKind::ObjectNumber, 4, ""},
                                               {NoteKind::ObjectNumber, 5, ""},
                                               {NoteKind::PaletteWithoutFile, 6, ""},
                                               {NoteKind::PlaceNotUnderstood, 8, ""},
                                               {NoteKind::PlaceNotUnderstood, 8, ""},
                                               {NoteKind::TooManySets, 18, ""}}));
    EXPECT_EQ(c.Place(0, 0), (Position{1, 2}));
    EXPECT_EQ(c.Place(0, 1), std::nullopt);

    // Without set lines, set 0 shows every object at 0,0.
    c = ReadConfig("%p.kcf\n#0 a.cel\n#2 b.cel\n");
    EXPECT_TRUE(c.sets[0].defined);
    EXPECT_EQ(c.Place(0, 2), (Position{0, 0}));
    EXPECT_FALSE(c.sets[1].defined);
}

TEST(KissDoll, LoadsTheGeneratedSetAndDragsWithinTheField) {
    std::map<std::string, std::string> files;
    for (auto& f : kisstools::MakeDemoSet()) {
        std::string lower = f.name;
        for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        files[lower] = f.bytes;
    }
    std::vector<kiss::Note> problems;
    Doll d = Doll::Load(files["demodoll.cnf"], [&](const std::string& n) -> std::optional<std::string> {
        auto it = files.find(n);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }, problems);
    EXPECT_TRUE(problems.empty()) << static_cast<int>(problems.front().kind);
    ASSERT_EQ(d.CelCount(), 4);
    namespace demo = kisstools::demo;
    EXPECT_EQ(d.currentSet(), 0);
    EXPECT_TRUE(d.SetDefined(2));
    EXPECT_FALSE(d.SetDefined(3));
    EXPECT_FALSE(d.SelectSet(3));
    EXPECT_EQ(d.currentSet(), 0);

    // Hit testing finds the hat on its brim, nothing on its transparent corner.
    EXPECT_EQ(d.HitTest(demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY), 0);
    EXPECT_EQ(d.HitTest(demo::kHatX0 + demo::kHatCornerX, demo::kHatY0 + demo::kHatCornerY), -1);
    // The skirt cel sits at its place plus its offset.
    EXPECT_EQ(d.CelOrigin(2), (Position{demo::kSkirtX0 + demo::kSkirtOffsetX, demo::kSkirtY0 + demo::kSkirtOffsetY}));

    // The fixed doll needs its drags used up first.
    const int bodyX = demo::kDollX + demo::kBodyPixelX, bodyY = demo::kDollY + demo::kBodyPixelY;
    for (int i = 0; i < demo::kDollFix; ++i) {
        const kiss::PressResult r = d.Press(bodyX, bodyY);
        EXPECT_EQ(r.object, demo::kDoll);
        EXPECT_FALSE(r.movable);
        d.Release();
    }
    EXPECT_TRUE(d.Press(bodyX, bodyY).movable);
    d.Release();
    EXPECT_TRUE(d.Press(demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY).movable);
    d.Release();

    // Moving keeps the object inside the field.
    EXPECT_EQ(d.MoveObject(demo::kHat, {5, 6}), (Position{5, 6}));
    EXPECT_EQ(d.MoveObject(demo::kHat, {-40, 1000}), (Position{0, demo::kHeight - 24}));
    EXPECT_EQ(d.MoveObject(demo::kSkirt, {-40, -40}), (Position{-demo::kSkirtOffsetX, -demo::kSkirtOffsetY}));
    // Places belong to the set: set 1 still has the hat where the file put it.
    ASSERT_TRUE(d.SelectSet(1));
    EXPECT_EQ(d.Place(demo::kHat), (Position{demo::kHatX1, demo::kHatY1}));
    EXPECT_EQ(d.PaletteGroup(), 1);
}
