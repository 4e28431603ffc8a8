#include "tools/test_set.h"

#include <archive.h>
#include <archive_entry.h>
#include <stdexcept>

namespace kisstools {
namespace {

Rgb FromHex(unsigned v) { return Rgb{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)}; }

std::string DollPalette() {
    using namespace demo;
    std::vector<std::vector<Rgb>> groups(2, std::vector<Rgb>(256, Rgb{0, 0, 0}));
    for (int g = 0; g < 2; ++g) {
        auto& p = groups[g];
        p[0] = FromHex(kBackground[g]);
        p[1] = FromHex(kSkin[g]);
        p[2] = FromHex(kHair[g]);
        p[3] = g == 0 ? Rgb{40, 40, 80} : Rgb{20, 20, 40};
        p[4] = FromHex(kLeotard[g]);
        p[10] = FromHex(kShirtPink[g]);
        p[11] = g == 0 ? Rgb{255, 255, 255} : Rgb{160, 160, 180};
    }
    return EncodePalette24(groups);
}

// 12-bit colours: each channel a nibble (the 8-bit value is 17 times it).
Rgb Nibbles(unsigned v) {
    return Rgb{static_cast<uint8_t>((v >> 16 & 0xFF) / 17), static_cast<uint8_t>((v >> 8 & 0xFF) / 17),
               static_cast<uint8_t>((v & 0xFF) / 17)};
}

std::string ClothPalette() {
    using namespace demo;
    std::vector<std::vector<Rgb>> groups(2, std::vector<Rgb>(16, Rgb{0, 0, 0}));
    for (int g = 0; g < 2; ++g) {
        auto& p = groups[g];
        p[1] = Nibbles(kSkirtBlue[g]);
        p[2] = g == 0 ? Rgb{15, 15, 15} : Rgb{9, 9, 10};
        p[3] = Nibbles(kHatYellow[g]);
        p[4] = g == 0 ? Rgb{13, 2, 2} : Rgb{7, 1, 1};
    }
    return EncodePalette12(groups);
}

Raster Body() {
    Raster r(80, 220);
    r.Rect(34, 40, 12, 14, 1);     // neck
    r.Ellipse(40, 25, 20, 20, 1);  // face
    r.Ellipse(40, 16, 21, 12, 2);  // hair
    r.Rect(19, 16, 6, 26, 2);
    r.Rect(55, 16, 6, 26, 2);
    r.Rect(31, 27, 4, 4, 3);  // eyes
    r.Rect(45, 27, 4, 4, 3);
    r.Rect(20, 50, 40, 72, 4);  // leotard over the body
    r.Rect(8, 52, 12, 64, 1);   // arms
    r.Rect(60, 52, 12, 64, 1);
    r.Rect(24, 122, 14, 94, 1);  // legs
    r.Rect(42, 122, 14, 94, 1);
    return r;
}

Raster Shirt() {
    Raster r(60, 60);
    r.Rect(10, 0, 40, 60, 10);
    r.Rect(0, 2, 10, 22, 10);  // sleeves
    r.Rect(50, 2, 10, 22, 10);
    r.Rect(22, 0, 16, 3, 11);  // collar
    return r;
}

Raster Skirt() {
    Raster r(60, 38);  // stored trimmed, with an offset
    r.xOffset = demo::kSkirtOffsetX;
    r.yOffset = demo::kSkirtOffsetY;
    r.Trapezoid(30, 0, 38, 40, 60, 1);
    for (int y = 8; y < 38; y += 10) r.Trapezoid(30, y, 2, 40 + y / 2, 40 + (y + 1) / 2, 2);
    return r;
}

Raster Hat() {
    Raster r(50, 24);
    r.Rect(10, 0, 30, 16, 3);  // crown
    r.Rect(10, 11, 30, 4, 4);  // band
    r.Rect(0, 16, 50, 8, 3);   // brim
    r.Set(demo::kHatCornerX, demo::kHatCornerY, 0);
    return r;
}

std::string Place(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

}  // namespace

std::vector<ArchiveFile> MakeDemoSet() {
    using namespace demo;
    const std::string dressedSkirt = Place(kSkirtX2, kSkirtY2);
    std::string cnf =
        "; TANSU demonstration doll, made by the test-set generator\r\n"
        "(" + std::to_string(kWidth) + "," + std::to_string(kHeight) + ")\r\n"
        "[0\r\n"
        "%doll.kcf    ; 24-bit, two groups\r\n"
        "%cloth.kcf   ; old 12-bit form\r\n"
        "#3 hat.cel *1 :0 1 2      ; old 4-bit cel\r\n"
        "#1 shirt.cel              ; 8-bit\r\n"
        "#2 skirt.cel *1 :0 1 2    ; 4-bit with offset\r\n"
        "#0." + std::to_string(kDollFix) + " body.cel          ; the doll, fixed\r\n"
        ";\r\n"
        "$0 " + Place(kDollX, kDollY) + " " + Place(kShirtX0, kShirtY0) + "\r\n"
        "   " + Place(kSkirtX0, kSkirtY0) + " " + Place(kHatX0, kHatY0) + "\r\n"
        "$1 " + Place(kDollX, kDollY) + " " + Place(kShirtX1, kShirtY1) + " " + dressedSkirt + " " +
        Place(kHatX1, kHatY1) + "\r\n"
        "$0 " + Place(kDollX, kDollY) + " * " + dressedSkirt + " *\r\n"
        ";@EventHandler\r\n"
        ";@initialize()\r\n";
    std::string second =
        "; the doll alone\r\n(200,240)\r\n%doll.kcf\r\n#0 body.cel\r\n$0 60,10\r\n";
    Raster body = Body(), shirt = Shirt(), skirt = Skirt(), hat = Hat();
    return {
        {"DEMODOLL.CNF", cnf},
        {"DEMODOL2.CNF", second},
        {"DOLL.KCF", DollPalette()},
        {"CLOTH.KCF", ClothPalette()},
        {"BODY.CEL", EncodeCel(body, CelForm::Headed8)},
        {"SHIRT.CEL", EncodeCel(shirt, CelForm::Headed8)},
        {"SKIRT.CEL", EncodeCel(skirt, CelForm::Headed4)},
        {"HAT.CEL", EncodeCel(hat, CelForm::Old4)},
        {"\x90\xE0\x96\xBE.TXT" /* 説明 */, "TANSU demonstration doll.\r\n"},
    };
}

std::vector<ArchiveFile> MakeFkissSet() {
    using namespace fkiss;
    // Palette: 0 white (background), 1 red, 2 green, 3 blue, 4 yellow,
    // 5 magenta, 6 black, 7 grey.
    std::vector<std::vector<Rgb>> pal(1, std::vector<Rgb>(16, Rgb{0, 0, 0}));
    pal[0][0] = {15, 15, 15};
    pal[0][1] = {15, 0, 0};
    pal[0][2] = {0, 15, 0};
    pal[0][3] = {0, 0, 15};
    pal[0][4] = {15, 15, 0};
    pal[0][5] = {15, 0, 15};
    pal[0][6] = {0, 0, 0};
    pal[0][7] = {8, 8, 8};
    auto square = [](int side, uint8_t colour) {
        Raster r(side, side);
        r.Rect(0, 0, side, side, colour);
        return EncodeCel(r, CelForm::Headed4);
    };
    std::string cnf =
        "; TANSU script test doll, made by the test-set generator\r\n"
        "(" + std::to_string(kWidth) + "," + std::to_string(kHeight) + ")\r\n"
        "%fk.kcf\r\n"
        "#1 button.cel\r\n"
        "#2 card.cel\r\n"
        "#3 hidden.cel ;%u  shown by alarm 1\r\n"
        "#4 piece.cel\r\n"
        "#5 counter.cel\r\n"
        "#6 done.cel ;%u\r\n"
        "#7 glass.cel ;%t" + std::to_string(kGlassTranslucency) + "\r\n"
        "#0 slot.cel\r\n"
        "$0 " + Place(kSlotX, kSlotY) + " " + Place(kButtonX, kButtonY) + " " + Place(kCardX, kCardY) + " " +
        Place(kHiddenX, kHiddenY) + "\r\n"
        "   " + Place(kPieceX, kPieceY) + " " + Place(kCounterX, kCounterY) + " " + Place(kDoneX, kDoneY) + " " +
        Place(kGlassX, kGlassY) + "\r\n"
        ";@EventHandler\r\n"
        ";@initialize()\r\n"
        ";@  timer(1, " + std::to_string(kAlarmMs) + ")\r\n"
        ";@press(\"button.cel\") unmap(\"card.cel\")\r\n"
        ";@alarm(1) map(\"hidden.cel\") notify(\"" + kReadyNotice + "\")\r\n"
        ";@catch(#4) nop()\r\n"
        ";@drop(#4) moveto(#4, " + Place(kSnapX, kSnapY) + ")  ; into the slot\r\n"
        ";@press(#5) add(N, N, 1)\r\n"
        ";@  ifequal(N, 3) map(\"done.cel\") endif()\r\n"
        ";@wobble(#5)  ; a command of no version: skipped\r\n"
        ";@shell(\"never.exe\")\r\n";
    return {
        {"FKISS.CNF", cnf},
        {"FK.KCF", EncodePalette12(pal)},
        {"BUTTON.CEL", square(kSide, 2)},
        {"CARD.CEL", square(40, 3)},
        {"HIDDEN.CEL", square(kSide, 4)},
        {"PIECE.CEL", square(kSide, 5)},
        {"COUNTER.CEL", square(kSide, 6)},
        {"DONE.CEL", square(kSide, 2)},
        {"GLASS.CEL", square(30, 3)},
        {"SLOT.CEL", square(24, 7)},
    };
}

std::vector<ArchiveFile> MakeLargeSet(int cels) {
    const int objects = (cels + 9) / 10;
    std::vector<std::vector<Rgb>> groups(1, std::vector<Rgb>(256));
    for (int i = 0; i < 256; ++i) groups[0][i] = Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 128};
    std::string cnf = "(640,480)\r\n%large.kcf\r\n";
    std::vector<ArchiveFile> files;
    for (int i = 0; i < cels; ++i) {
        Raster r(64, 64);
        r.Ellipse(32, 32, 30, 20 + i % 10, static_cast<uint8_t>(1 + i % 255));
        const std::string name = "C" + std::to_string(i) + ".CEL";
        files.push_back({name, EncodeCel(r, CelForm::Headed8)});
        cnf += "#" + std::to_string(i / 10) + " c" + std::to_string(i) + ".cel\r\n";
    }
    cnf += "$0";
    for (int o = 0; o < objects; ++o) cnf += " " + Place(o % 10 * 57, o / 10 * 40);
    cnf += "\r\n";
    files.insert(files.begin(), {"LARGE.KCF", EncodePalette24(groups)});
    files.insert(files.begin(), {"LARGE.CNF", cnf});
    return files;
}

std::string WriteZip(const std::vector<ArchiveFile>& files) {
    std::string out;
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_set_bytes_in_last_block(a, 1);
    auto opened = [](archive*, void*) -> int { return ARCHIVE_OK; };
    auto write = [](archive*, void* data, const void* buffer, size_t length) -> la_ssize_t {
        static_cast<std::string*>(data)->append(static_cast<const char*>(buffer), length);
        return static_cast<la_ssize_t>(length);
    };
    auto closed = [](archive*, void*) -> int { return ARCHIVE_OK; };
    if (archive_write_open(a, &out, opened, write, closed) != ARCHIVE_OK)
        throw std::runtime_error("cannot start a ZIP archive");
    for (const auto& f : files) {
        archive_entry* e = archive_entry_new();
        archive_entry_copy_pathname(e, f.name.c_str());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, static_cast<la_int64_t>(f.bytes.size()));
        archive_write_header(a, e);
        archive_write_data(a, f.bytes.data(), f.bytes.size());
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
    return out;
}

}  // namespace kisstools
