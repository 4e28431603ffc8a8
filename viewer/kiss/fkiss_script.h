// The event script of a set (FKiSS 1 to 3): the ";@" lines of the
// configuration after ";@EventHandler".  Each line holds commands
// `name(arg, ...)`; an event command starts a handler, the actions after it
// belong to it.  Arguments are numbers, object numbers "#n", cel names in
// quotes, texts in quotes, and names (variables, or labels and alarms with
// a name).  A command that is not understood is skipped with a note; the
// rest of the script still plays.
#pragma once

#include "kiss/config.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kiss {

enum class Event {
    Initialize, Begin, End, Never, Version, Overflow,
    Press, Release, Catch, Drop, FixCatch, FixDrop, Unfix,  // on an object or a cel
    Set, Col, Alarm, Label,                                  // numbered
    Collide, Apart,                                          // two cels, pixel overlap
    In, Out, StillIn, StillOut,                              // two objects, box overlap
};

enum class Op {
    Map, Unmap, Altmap, Ghost, Transparent,
    ChangeSet, ChangeCol,
    Timer, RandomTimer,
    Move, MoveTo, MoveByX, MoveByY, MoveRandX, MoveRandY, MoveToRand,
    SetFix,
    IfFixed, IfNotFixed, IfMapped, IfNotMapped, IfMoved, IfNotMoved,  // 3 arguments: set a timer when true
    Notify, Sound, Music, Quit, Nop,
    Shell,  // refused: a set never starts a program
    Let, Add, Sub, Mul, Div, Mod, Random,
    IfEqual, IfNotEqual, IfGreater, IfLess,
    ElseIfEqual, ElseIfNotEqual, ElseIfGreater, ElseIfLess, Else, EndIf,
    Goto, Gosub, GotoRandom, GosubRandom, ExitEvent,
    LetObjectX, LetObjectY, LetInitX, LetInitY, LetFix, LetMapped, LetTransparent,
    LetSet, LetPal, LetCatch, LetCollide, LetInside, LetMouseX, LetMouseY, LetTimer,
};

struct Arg {
    enum class Type { Number, Object, Cel, Text, Name };
    Type type = Type::Number;
    int value = 0;           // Number: the number; Object: its number; Name: the variable's index
    std::string text;        // Cel: the name as written; Text: the text; Name: the name, upper case
    std::vector<int> cels;   // Cel: every cel line of that name
    int symbol = -1;         // Name: the code of a label or alarm of that name, if any
};

struct Action {
    Op op;
    std::vector<Arg> args;
};

struct Handler {
    Event event;
    std::vector<Arg> args;
    std::vector<Action> actions;
};

struct Script {
    bool present = false;  // ";@EventHandler" seen
    std::vector<Handler> handlers;
    std::vector<std::string> variables;  // variable names by index
    std::vector<Note> notes;             // commands skipped, for the curious

    // Handlers of an event on one key: an object's number, CelKey(i) for cel
    // line i, or the number of a set, palette group, alarm, label or version.
    const std::vector<int>& Find(Event e, int key) const;
    // Handlers of the pair events (collide, apart, in, out, stillin, stillout).
    const std::vector<int>& Pairs() const { return pairs_; }

    static constexpr int kCelKeyBase = 1 << 20;
    static constexpr int kNameBase = 1 << 24;  // labels and alarms with a name
    static int CelKey(int cel) { return kCelKeyBase + cel; }

    // Called once after reading: builds the lookup.
    void Index();

private:
    std::map<std::pair<int, int>, std::vector<int>> byKey_;
    std::vector<int> pairs_;
};

Script ReadScript(std::string_view configText, const Config& config);

}  // namespace kiss
