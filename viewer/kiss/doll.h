// A loaded KiSS set: its configuration, palettes and cels, its event
// script, and the state the user and the script change (the current set,
// every object's place in every set, the drags a fixed object still needs,
// which cels are mapped and how translucent, variables and alarms).
#pragma once

#include "kiss/cel.h"
#include "kiss/config.h"
#include "kiss/fkiss_script.h"
#include "kiss/palette.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kiss {

// What the script asked of the viewer since the viewer last looked.
struct Effects {
    std::optional<std::string> notice;  // notify(): the latest text (bytes as in the file)
    std::vector<std::string> sounds;    // sound() and music(): file names in order
    bool silence = false;               // music() without a file: stop what plays (before the sounds)
    bool quit = false;
    bool setChanged = false;  // the script changed the set or its palette group
};

struct PressResult {
    int object = -1;       // the object pressed, -1 for none
    bool movable = false;  // free to be dragged now
};

// Reads a file of the set by the name the configuration gives it (case is
// not significant); nullopt when there is no such file.
using FileReader = std::function<std::optional<std::string>(const std::string& name)>;

class Doll {
public:
    // Reads the configuration text and every palette and cel it names.
    // Lines not understood are noted in `problems`, and so are files that
    // are missing or unreadable, which are left out; the rest of the set
    // still shows.
    static Doll Load(std::string_view configText, const FileReader& read, std::vector<Note>& problems);

    const Config& config() const { return config_; }
    int CelCount() const { return static_cast<int>(cels_.size()); }
    const std::optional<Cel>& cel(int i) const { return cels_[i]; }
    const CelLine& celLine(int i) const { return config_.cels[i]; }

    int currentSet() const { return set_; }
    bool SetDefined(int set) const { return set >= 0 && set < kSetCount && config_.sets[set].defined; }
    // Shows another set and runs its set() and col() events; false (and no
    // change) for a set the file does not define.
    bool SelectSet(int set);
    int PaletteGroup() const { return config_.sets[set_].paletteGroup; }

    // Whether cel `i` shows in the current set (read, in the set, its object
    // placed, mapped), and where its top-left is.
    bool Visible(int i) const;
    bool Mapped(int i) const { return mapped_[i]; }
    int Translucency(int i) const { return translucency_[i]; }  // 0 opaque .. 255 invisible
    Position CelOrigin(int i) const;

    // Colours in the current palette group.
    Argb ColorOf(int celIndex, int pixel) const;
    Argb Background() const;  // colour 0 of the first palette
    Argb Border() const;      // the configuration's border colour

    // The topmost visible cel with an opaque pixel at x, y; -1 if none.
    int HitTest(int x, int y) const;

    int FixLeft(int object) const { return fix_[object]; }

    // Moves the object in the current set, kept inside the playfield as far
    // as its size allows.  Returns the place it got.
    std::optional<Position> Place(int object) const { return config_.Place(set_, object); }
    Position MoveObject(int object, Position to);

    // --- The event script.  Nothing here waits or starts a timer: the
    // viewer asks when the next alarm is due and runs it then.
    const Script& script() const { return script_; }
    // The state the viewer first shows: the initialize, begin, version and
    // set events of the first set run (once).
    void Start();
    // A press of the mouse at x, y: the press, catch, fixcatch and unfix
    // events run; a fixed object uses up one of its drags and stays (one
    // fixed at kMaxFix stays for good).
    PressResult Press(int x, int y);
    // The end of that press, after any drag: the pair events (collide,
    // apart, in, out, stillin, stillout) of a moved object, then release and
    // drop (fix value 0 now) or fixdrop.
    void Release();
    // The end() event, when the set is closed.
    void Finish();
    // Time in milliseconds on the viewer's clock; it never goes back.
    void SetNow(int64_t ms) { now_ = std::max(now_, ms); }
    int64_t Now() const { return now_; }
    std::optional<int64_t> NextAlarm() const;  // the earliest time an alarm is due
    // Runs every alarm due at `ms` (alarms they set run at a later step).
    void RunAlarms(int64_t ms);
    Effects TakeEffects();
    // A variable's value by name (0 for a name the script does not use).
    int Variable(const std::string& name) const;

    // Bounds on a runaway script: actions a step may run, and how deep
    // events and subroutines may nest.
    static constexpr int kStepActions = 20000;
    static constexpr int kMaxDepth = 32;
    static constexpr size_t kMaxAlarms = 10000;
    static constexpr int kMaxFix = 32767;
    // A script places objects no farther out than this, so that a place
    // plus a cel's offset and size still fits an int.
    static constexpr int kMaxPlace = 1 << 20;

private:
    friend class Player;
    Config config_;
    std::vector<std::optional<Palette>> palettes_;
    std::vector<std::optional<Cel>> cels_;  // parallel to config_.cels
    std::vector<int> fix_;                  // by object
    std::vector<std::vector<int>> celsOf_;  // cel lines by object
    int set_ = 0;
    std::array<std::vector<std::optional<Position>>, kSetCount> initial_;  // places as the file gives them

    Script script_;
    std::vector<bool> mapped_;       // by cel line
    std::vector<int> translucency_;  // by cel line
    std::vector<bool> ghost_;        // by cel line: not hit by the mouse
    std::vector<int32_t> variables_;
    std::map<int, int64_t> alarms_;  // alarm -> time due
    int64_t now_ = 0;
    Effects effects_;
    bool started_ = false;
    int caught_ = -1;  // the object pressed and not yet released
    int caughtCel_ = -1;
    std::optional<Position> caughtFrom_;
    std::vector<signed char> pairsBefore_;
    Position mouse_;
    uint32_t random_ = 0x2545F491u;

    const Palette* PaletteOf(int celIndex) const;
};

}  // namespace kiss
