// What the picture of a doll's field depends on that the user and the
// script change: the set shown, its palette group, and for every cel where
// it is drawn and how translucent.  (The cels' pixels and the palettes never
// change once read.)  Two of these, taken before and after a step, tell the
// part of the field a viewer has to draw anew; often none at all.
#pragma once

#include "kiss/compose.h"
#include "kiss/doll.h"

#include <vector>

namespace kiss {

class FieldState {
public:
    FieldState() = default;
    static FieldState Of(const Doll& doll);

    // The part of the field whose pixels may differ between the two states:
    // the whole field when the set or the palette group differs (every
    // colour may), else the least rectangle holding the old and the new
    // place of every cel that moved, appeared, went or changed its
    // translucency; empty when nothing that shows changed.
    friend Rect ChangedArea(const FieldState& before, const FieldState& after);

private:
    struct CelLook {
        Rect drawn;            // inside the field; empty when nothing of the cel is drawn
        Position origin;       // where its top-left is when something is drawn: a cel
                               // larger than the field may move and still fill `drawn`
        int translucency = 0;  // 0..254 (255 draws nothing)
        bool operator==(const CelLook&) const = default;
    };
    Rect field_;
    int set_ = -1;
    int group_ = -1;
    std::vector<CelLook> cels_;
};

}  // namespace kiss
