#include "kiss/field_state.h"

#include <algorithm>

namespace kiss {

FieldState FieldState::Of(const Doll& doll) {
    FieldState s;
    s.field_ = {0, 0, doll.config().width, doll.config().height};
    s.set_ = doll.currentSet();
    s.group_ = doll.PaletteGroup();
    s.cels_.resize(doll.CelCount());
    for (int i = 0; i < doll.CelCount(); ++i) {
        const int translucency = std::clamp(doll.Translucency(i), 0, 255);
        if (!doll.Visible(i) || translucency == 255) continue;
        const Position o = doll.CelOrigin(i);
        s.cels_[i] = {Intersect({o.x, o.y, doll.cel(i)->width, doll.cel(i)->height}, s.field_), o, translucency};
        // A cel wholly outside the field draws nothing however translucent:
        // its moves out there change no pixel.
        if (s.cels_[i].drawn.Empty()) s.cels_[i] = {};
    }
    return s;
}

Rect ChangedArea(const FieldState& before, const FieldState& after) {
    if (before.field_ != after.field_ || before.set_ != after.set_ || before.group_ != after.group_ ||
        before.cels_.size() != after.cels_.size())
        return after.field_;
    Rect changed;
    for (size_t i = 0; i < after.cels_.size(); ++i) {
        const FieldState::CelLook &was = before.cels_[i], &is = after.cels_[i];
        if (was == is) continue;
        changed = Unite(changed, Unite(was.drawn, is.drawn));
    }
    return changed;
}

}  // namespace kiss
