// The configuration file (.cnf) of a KiSS set: a text file whose lines are
// told apart by their first character.
//
//   (w,h)                      playfield size
//   [n                         border colour (index in the first palette)
//   %name.kcf                  palette files, numbered from 0 in order
//   #obj[.fix] name.cel [*pal] [:s s ...]
//                              a cel of object `obj`; `fix` drags are needed
//                              before the object moves; palette number; the
//                              sets (0..9) the cel shows in (all if omitted)
//   $grp x,y x,y * ...         one set: its palette group and the place of
//                              every object in number order, "*" for an
//                              object not placed; lines starting with a blank
//                              continue it
//   ; ...                      comment (also after any line)
//
// A cel line's comment may start with options: ";%u" (the cel starts
// unmapped) and ";%tN" (translucency N, 0 opaque to 255 invisible).
// Cels listed first are drawn on top.  The event script (";@" lines) is
// read by fkiss_script.h.  Lines are read whole, whatever their length.
#pragma once

#include "kiss/note.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiss {

constexpr int kSetCount = 10;
constexpr int kMaxObjects = 4096;
constexpr int kMaxFieldSide = 4096;

struct CelLine {
    int object = 0;
    int fix = 0;
    std::string file;       // as written (case is not significant)
    int palette = 0;
    uint16_t sets = 0x3FF;  // bit s: shown in set s
    bool unmapped = false;  // ";%u": hidden until the script maps it
    int translucency = 0;   // ";%tN": 0 opaque .. 255 invisible
};

struct Position {
    int x = 0;
    int y = 0;
    bool operator==(const Position&) const = default;
};

struct SetLine {
    bool defined = false;
    int paletteGroup = 0;
    std::vector<std::optional<Position>> places;  // by object number; missing = not placed
};

struct Config {
    int width = 448;   // the playfield of the first viewers
    int height = 320;
    int border = 0;
    std::vector<std::string> palettes;
    std::vector<CelLine> cels;  // in file order: the first is on top
    std::array<SetLine, kSetCount> sets;
    int objectCount = 0;             // highest object number + 1
    std::vector<Note> notes;  // lines that could not be used, for the user

    std::optional<Position> Place(int set, int object) const;
};

Config ReadConfig(std::string_view text);

}  // namespace kiss
