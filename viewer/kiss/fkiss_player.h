// Runs a doll's event script for one step (a press, a release, a set
// change, the alarms due at one time).  A step runs at most
// Doll::kStepActions actions and nests events and subroutines at most
// Doll::kMaxDepth deep, so a script that runs away ends its step and the
// set keeps working.
#pragma once

#include "kiss/doll.h"

namespace kiss {

class Player {
public:
    explicit Player(Doll& doll) : d_(doll) {}

    // Every handler of `e` on `key` (see Script::Find).
    void Fire(Event e, int key);
    // Every handler of `e` on cel line `cel` and on its object.
    void FireOn(Event e, int cel);
    // The set (and palette group) change with their events.
    bool ChangeSet(int set);
    void ChangeGroup(int group);

    // For each pair event (Script::Pairs): -1 when it does not concern
    // `object`, else whether its two cels or objects overlap now.
    std::vector<signed char> PairStates(int object) const;
    // The pair events of a move from the `before` states to now.
    void FirePairs(int object, const std::vector<signed char>& before);

private:
    enum class Flow { Next, Exit };
    struct IfFrame {
        bool parent;   // whether the enclosing block runs
        bool taken;    // a branch of this block ran or is running
        bool running;  // the current branch runs
    };

    Doll& d_;
    // Actions left in this step; overlap tests count against it too, so a
    // loop of moves among many pair events stays bounded in time.
    mutable int budget_ = Doll::kStepActions;
    int depth_ = 0;

    Flow Run(const std::vector<Action>* actions);
    Flow RunLabel(int label);
    const std::vector<Action>* LabelActions(int label) const;
    void Do(const Action& a, Flow& flow, const std::vector<Action>*& list, size_t& pc, bool& jumped,
            std::vector<IfFrame>& ifs);

    int Value(const Arg& a) const;
    void Store(const Arg& variable, int64_t value);
    std::vector<int> CelsOf(const Arg& target) const;
    int ObjectOf(const Arg& target) const;  // -1 when none
    bool Condition(const Action& a);
    uint32_t Random(uint32_t range);  // 0 .. range-1
    void SetTimer(int alarm, int64_t delay);
    void MoveTo(int object, Position to);

    bool AnyMapped(const std::vector<int>& cels) const;
    bool CelsTouch(int a, int b) const;
    signed char PairStateOf(size_t pair, int object) const;
    bool BoxesOverlap(int objectA, int objectB) const;
    bool PairState(const Handler& h) const;
};

}  // namespace kiss
