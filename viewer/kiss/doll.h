// A loaded KiSS set: its configuration, palettes and cels, and the state
// the user changes (the current set, every object's place in every set and
// the drags a fixed object still needs).
#pragma once

#include "kiss/cel.h"
#include "kiss/config.h"
#include "kiss/palette.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kiss {

// Reads a file of the set by the name the configuration gives it (case is
// not significant); nullopt when there is no such file.
using FileReader = std::function<std::optional<std::string>(const std::string& name)>;

class Doll {
public:
    // Reads the configuration text and every palette and cel it names.
    // Files that are missing or unreadable are noted in `problems` and left
    // out; the rest of the set still shows.
    static Doll Load(std::string_view configText, const FileReader& read, std::vector<std::string>& problems);

    const Config& config() const { return config_; }
    int CelCount() const { return static_cast<int>(cels_.size()); }
    const std::optional<Cel>& cel(int i) const { return cels_[i]; }
    const CelLine& celLine(int i) const { return config_.cels[i]; }

    int currentSet() const { return set_; }
    bool SetDefined(int set) const { return set >= 0 && set < kSetCount && config_.sets[set].defined; }
    bool SelectSet(int set);  // false (and no change) for a set the file does not define
    int PaletteGroup() const { return config_.sets[set_].paletteGroup; }

    // Whether cel `i` shows in the current set, and where its top-left is.
    bool Visible(int i) const;
    Position CelOrigin(int i) const;

    // Colours in the current palette group.
    Argb ColorOf(int celIndex, int pixel) const;
    Argb Background() const;  // colour 0 of the first palette
    Argb Border() const;      // the configuration's border colour

    // The topmost visible cel with an opaque pixel at x, y; -1 if none.
    int HitTest(int x, int y) const;

    // A press on an object: a fixed object uses up one of its drags and
    // stays (false); a free one may be dragged (true).
    bool TryPickUp(int object);
    int FixLeft(int object) const { return fix_[object]; }

    // Moves the object in the current set, kept inside the playfield as far
    // as its size allows.  Returns the place it got.
    std::optional<Position> Place(int object) const { return config_.Place(set_, object); }
    Position MoveObject(int object, Position to);

private:
    Config config_;
    std::vector<std::optional<Palette>> palettes_;
    std::vector<std::optional<Cel>> cels_;  // parallel to config_.cels
    std::vector<int> fix_;                  // by object
    int set_ = 0;

    const Palette* PaletteOf(int celIndex) const;
};

}  // namespace kiss
