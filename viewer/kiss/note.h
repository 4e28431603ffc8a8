// What the viewer could not use in a set, for the user: the kind of trouble
// and where it is (a line of the configuration file, a file or a command
// name).  The viewer words each kind for the user; this library holds no
// text of its own, so that it stays plain ASCII.
#pragma once

#include <string>

namespace kiss {

enum class NoteKind {
    // A line of the configuration file (`line`).
    PlayfieldSize,       // "(w,h)" not understood
    BorderColour,        // "[n" not understood
    PaletteWithoutFile,  // "%" and no name
    ObjectNumber,        // "#" with no number, or one out of range
    CelWithoutFile,      // "#n" and no name
    TooManySets,         // an eleventh set line
    TooManyPlaces,       // more places than objects
    PlaceNotUnderstood,  // "x,y" not understood
    // A file the configuration names (`name`).
    FileNotFound,
    CelWrongMark,        // a headed file that is no cel
    CelBitsPerPixel,     // not 4, 8 or 32
    CelTooShort,         // not even its size
    CelSizeOutOfRange,
    CelCutShort,         // fewer pixels than its size promises
    PaletteWrongMark,    // a headed file that is no palette
    PaletteBitsPerColour,  // neither 12 nor 24
    PaletteColourCount,    // colours per group out of range
    PaletteNoWholeGroup,
    // An event script line (`line`; `name` the command where known).
    ScriptNotUnderstood,  // the rest of the line is skipped
    TooFewArguments,
    ActionBeforeEvent,
    ShellRefused,  // a set never starts a program
    UnknownCommand,
};

struct Note {
    NoteKind kind = NoteKind::FileNotFound;
    int line = 0;      // 1-based; 0 for a file
    std::string name;  // bytes as in the configuration file
    bool operator==(const Note&) const = default;
};

}  // namespace kiss
