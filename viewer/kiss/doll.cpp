#include "kiss/doll.h"

#include <algorithm>
#include <climits>

namespace kiss {

Doll Doll::Load(std::string_view configText, const FileReader& read, std::vector<Note>& problems) {
    Doll d;
    d.config_ = ReadConfig(configText);
    for (const auto& n : d.config_.notes) problems.push_back(n);
    for (const auto& name : d.config_.palettes) {
        auto bytes = read(name);
        NoteKind why = NoteKind::FileNotFound;
        std::optional<Palette> p;
        if (bytes) p = ReadPalette(*bytes, &why);
        if (!p) problems.push_back({why, 0, name});
        d.palettes_.push_back(std::move(p));
    }
    d.cels_.reserve(d.config_.cels.size());
    for (const auto& line : d.config_.cels) {
        auto bytes = read(line.file);
        NoteKind why = NoteKind::FileNotFound;
        std::optional<Cel> c;
        if (bytes) c = ReadCel(*bytes, &why);
        if (!c) problems.push_back({why, 0, line.file});
        d.cels_.push_back(std::move(c));
    }
    d.fix_.assign(d.config_.objectCount, 0);
    d.celsOf_.assign(d.config_.objectCount, {});
    const int celCount = static_cast<int>(d.config_.cels.size());
    d.mapped_.assign(celCount, true);
    d.translucency_.assign(celCount, 0);
    d.ghost_.assign(celCount, false);
    for (int i = 0; i < celCount; ++i) {
        const CelLine& line = d.config_.cels[i];
        d.fix_[line.object] = std::max(d.fix_[line.object], line.fix);
        d.celsOf_[line.object].push_back(i);
        d.mapped_[i] = !line.unmapped;
        d.translucency_[i] = line.translucency;
    }
    for (int s = kSetCount - 1; s >= 0; --s) {
        d.initial_[s] = d.config_.sets[s].places;
        if (d.config_.sets[s].defined) d.set_ = s;
    }
    d.script_ = ReadScript(configText, d.config_);
    d.variables_.assign(d.script_.variables.size(), 0);
    return d;
}

bool Doll::Visible(int i) const {
    const CelLine& line = config_.cels[i];
    return cels_[i] && mapped_[i] && (line.sets >> set_ & 1) && config_.Place(set_, line.object);
}

Position Doll::CelOrigin(int i) const {
    const CelLine& line = config_.cels[i];
    Position p = config_.Place(set_, line.object).value_or(Position{});
    if (cels_[i]) {
        p.x += cels_[i]->xOffset;
        p.y += cels_[i]->yOffset;
    }
    return p;
}

const Palette* Doll::PaletteOf(int celIndex) const {
    int n = config_.cels[celIndex].palette;
    if (n < 0 || n >= static_cast<int>(palettes_.size()) || !palettes_[n]) n = 0;
    if (palettes_.empty() || !palettes_[n]) return nullptr;
    return &*palettes_[n];
}

Argb Doll::ColorOf(int celIndex, int pixel) const {
    const Palette* p = PaletteOf(celIndex);
    if (!p) return 0xFF000000u | (pixel * 0x111111u & 0xFFFFFFu);  // a grey ramp stands in
    return p->Color(PaletteGroup(), pixel);
}

Argb Doll::Background() const {
    if (palettes_.empty() || !palettes_[0]) return 0xFFFFFFFFu;
    return palettes_[0]->Color(PaletteGroup(), 0);
}

Argb Doll::Border() const {
    if (palettes_.empty() || !palettes_[0]) return 0xFF000000u;
    return palettes_[0]->Color(PaletteGroup(), config_.border);
}

int Doll::HitTest(int x, int y) const {
    for (int i = 0; i < CelCount(); ++i) {
        if (!Visible(i) || ghost_[i]) continue;
        const Cel& c = *cels_[i];
        Position o = CelOrigin(i);
        const int cx = x - o.x;
        const int cy = y - o.y;
        if (cx >= 0 && cy >= 0 && cx < c.width && cy < c.height && c.Opaque(cx, cy)) return i;
    }
    return -1;
}

Position Doll::MoveObject(int object, Position to) {
    auto& places = config_.sets[set_].places;
    if (object < 0 || object >= static_cast<int>(places.size()) || !places[object]) return to;
    // The object's extent relative to its place, over the cels it shows.
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int i = 0; i < CelCount(); ++i) {
        if (config_.cels[i].object != object || !Visible(i)) continue;
        const Cel& c = *cels_[i];
        left = std::min(left, c.xOffset);
        top = std::min(top, c.yOffset);
        right = std::max(right, c.xOffset + c.width);
        bottom = std::max(bottom, c.yOffset + c.height);
    }
    if (left != INT_MAX) {
        auto keep = [](int v, int low, int high) { return low <= high ? std::clamp(v, low, high) : v; };
        to.x = keep(to.x, -left, config_.width - right);
        to.y = keep(to.y, -top, config_.height - bottom);
    }
    places[object] = to;
    return to;
}

}  // namespace kiss
