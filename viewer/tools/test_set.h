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

// A set of `cels` cels (8-bit, 64 x 64, ten to an object) for timing.
std::vector<ArchiveFile> MakeLargeSet(int cels);

// A ZIP archive of the files, written by libarchive.
std::string WriteZip(const std::vector<ArchiveFile>& files);

}  // namespace kisstools
