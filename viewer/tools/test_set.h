// An original little KiSS set, made here for the tests and the
// demonstration: a doll and three pieces of clothing in two palette files
// (a headed 24-bit one with two groups and an old 12-bit one), with 8-bit,
// headed 4-bit and old 4-bit cels, two configuration files and a readme
// with a Shift-JIS name.
#pragma once

#include "tools/kiss_encode.h"
#include "tools/lzh_writer.h"

#include <string>
#include <vector>

namespace kisstools {

// What the tests check against.
namespace demo {
constexpr int kWidth = 300, kHeight = 260;
// Objects.
constexpr int kDoll = 0, kShirt = 1, kSkirt = 2, kHat = 3;
constexpr int kDollFix = 3;
// Set 0 (palette group 0): the doll with the clothes beside it.
constexpr int kDollX = 110, kDollY = 20;
constexpr int kShirtX0 = 10, kShirtY0 = 150;
constexpr int kSkirtX0 = 220, kSkirtY0 = 40;
constexpr int kHatX0 = 220, kHatY0 = 150;
// Set 1 (palette group 1): dressed.  Set 2 (group 0): skirt only.
constexpr int kShirtX1 = 120, kShirtY1 = 68;
constexpr int kHatX1 = 125, kHatY1 = 5;
constexpr int kSkirtX2 = 118, kSkirtY2 = 122;
// The skirt cel is stored with this offset from its object's place.
constexpr int kSkirtOffsetX = 4, kSkirtOffsetY = 2;

// Pixels inside each cel (relative to the cel's top-left) and their colours.
constexpr int kHatBrimX = 25, kHatBrimY = 20;     // brim, colour 3 of cloth.kcf
constexpr int kSkirtPixelX = 28, kSkirtPixelY = 30;  // blue, colour 1 of cloth.kcf
constexpr int kShirtPixelX = 30, kShirtPixelY = 30;  // pink, colour 10 of doll.kcf
constexpr int kBodyPixelX = 40, kBodyPixelY = 80;    // leotard, colour 4 of doll.kcf
constexpr int kHatCornerX = 1, kHatCornerY = 1;      // transparent corner of the hat cel
// Colours as 0xRRGGBB, by palette group.
constexpr unsigned kBackground[2] = {0xC8E6FF, 0x3C326E};
constexpr unsigned kSkin[2] = {0xFFDCBE, 0xC8A096};
constexpr unsigned kLeotard[2] = {0xF0F0F0, 0x9696AA};
constexpr unsigned kShirtPink[2] = {0xFA82AA, 0x963C5A};
constexpr unsigned kSkirtBlue[2] = {0x3366CC, 0x223388};
constexpr unsigned kHatYellow[2] = {0xFFDD33, 0x998822};
constexpr unsigned kHair[2] = {0x78461E, 0x50281E};
}  // namespace demo

// The files of the set, in archive order ("DEMODOLL.CNF" first).
std::vector<ArchiveFile> MakeDemoSet();

// A set that plays an event script: squares of plain colours, one for each
// thing the script does.
namespace fkiss {
constexpr int kWidth = 200, kHeight = 130, kSide = 20;
// Objects, their places and colours (0xRRGGBB).  The first listed is on top.
constexpr int kButton = 1, kCard = 2, kHidden = 3, kPiece = 4, kCounter = 5, kDone = 6, kGlass = 7, kSlot = 0;
constexpr int kButtonX = 10, kButtonY = 70;     // a press unmaps the card
constexpr int kCardX = 60, kCardY = 10;         // 40 x 40
constexpr int kHiddenX = 120, kHiddenY = 10;    // ";%u"; alarm 1 maps it
constexpr int kAlarmMs = 300;                   // set at initialize
constexpr int kPieceX = 150, kPieceY = 70;      // dropped anywhere, it snaps into the slot
constexpr int kSlotX = 98, kSlotY = 68;         // 24 x 24, under the piece's place
constexpr int kSnapX = 100, kSnapY = 70;
constexpr int kCounterX = 10, kCounterY = 100;  // presses count in N; at 3 "done" is mapped
constexpr int kDoneX = 40, kDoneY = 100;        // ";%u"
constexpr int kGlassX = 150, kGlassY = 20;      // 30 x 30, ";%t128"
constexpr int kGlassTranslucency = 128;
constexpr unsigned kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00,
                   kMagenta = 0xFF00FF, kBlack = 0x000000, kGrey = 0x888888;
constexpr const char* kReadyNotice = "ready";  // notify() of alarm 1
}  // namespace fkiss

// The script set's files ("FKISS.CNF" first).
std::vector<ArchiveFile> MakeFkissSet();

// A set of `cels` cels (8-bit, 64 x 64, ten to an object) for timing.
std::vector<ArchiveFile> MakeLargeSet(int cels);

// A ZIP archive of the files, written by libarchive.
std::string WriteZip(const std::vector<ArchiveFile>& files);

}  // namespace kisstools
