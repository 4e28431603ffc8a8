#include "kiss/fkiss_player.h"

#include <algorithm>
#include <climits>

namespace kiss {
namespace {

bool IsBlockIf(const Action& a) {
    switch (a.op) {
        case Op::IfEqual: case Op::IfNotEqual: case Op::IfGreater: case Op::IfLess:
            return true;
        case Op::IfFixed: case Op::IfNotFixed: case Op::IfMapped: case Op::IfNotMapped: case Op::IfMoved:
        case Op::IfNotMoved:
            return a.args.size() < 3;  // with an alarm and a delay it sets a timer instead
        default:
            return false;
    }
}

bool IsElseIf(Op op) {
    return op == Op::ElseIfEqual || op == Op::ElseIfNotEqual || op == Op::ElseIfGreater || op == Op::ElseIfLess;
}

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

// ---------------------------------------------------------------- events

void Player::Fire(Event e, int key) {
    // The script does not change while it plays, so the list stays valid
    // through nested events.
    const std::vector<int>& found = d_.script_.Find(e, key);
    for (int h : found) {
        if (budget_ <= 0) return;
        Run(&d_.script_.handlers[h].actions);
    }
}

void Player::FireOn(Event e, int cel) {
    if (cel < 0 || cel >= d_.CelCount()) return;
    Fire(e, Script::CelKey(cel));
    Fire(e, d_.config_.cels[cel].object);
}

bool Player::ChangeSet(int set) {
    if (!d_.SetDefined(set)) return false;
    if (set == d_.set_) return true;
    const int group = d_.PaletteGroup();
    d_.set_ = set;
    d_.effects_.setChanged = true;
    Fire(Event::Set, set);
    if (d_.PaletteGroup() != group) Fire(Event::Col, d_.PaletteGroup());
    return true;
}

void Player::ChangeGroup(int group) {
    group = std::clamp(group, 0, 255);
    int& current = d_.config_.sets[d_.set_].paletteGroup;
    if (current == group) return;
    current = group;
    d_.effects_.setChanged = true;
    Fire(Event::Col, group);
}

// ---------------------------------------------------------------- overlap

bool Player::AnyMapped(const std::vector<int>& cels) const {
    return std::any_of(cels.begin(), cels.end(), [&](int c) { return d_.mapped_[c]; });
}

bool Player::CelsTouch(int a, int b) const {
    if (budget_ <= 0 || a == b || !d_.Visible(a) || !d_.Visible(b)) return false;
    const Cel& ca = *d_.cels_[a];
    const Cel& cb = *d_.cels_[b];
    const Position oa = d_.CelOrigin(a), ob = d_.CelOrigin(b);
    const int left = std::max(oa.x, ob.x), right = std::min(oa.x + ca.width, ob.x + cb.width);
    const int top = std::max(oa.y, ob.y), bottom = std::min(oa.y + ca.height, ob.y + cb.height);
    if (left >= right || top >= bottom) return false;
    budget_ -= static_cast<int>(std::min<int64_t>(int64_t{right - left} * (bottom - top) / 1024, Doll::kStepActions));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (ca.Opaque(x - oa.x, y - oa.y) && cb.Opaque(x - ob.x, y - ob.y)) return true;
    return false;
}

bool Player::BoxesOverlap(int objectA, int objectB) const {
    auto box = [&](int object, int& l, int& t, int& r, int& b) {
        l = t = INT_MAX;
        r = b = INT_MIN;
        if (object < 0 || object >= static_cast<int>(d_.celsOf_.size())) return false;
        for (int c : d_.celsOf_[object]) {
            if (!d_.Visible(c)) continue;
            const Position o = d_.CelOrigin(c);
            l = std::min(l, o.x);
            t = std::min(t, o.y);
            r = std::max(r, o.x + d_.cels_[c]->width);
            b = std::max(b, o.y + d_.cels_[c]->height);
        }
        return l < r && t < b;
    };
    int l1, t1, r1, b1, l2, t2, r2, b2;
    if (objectA == objectB || !box(objectA, l1, t1, r1, b1) || !box(objectB, l2, t2, r2, b2)) return false;
    return l1 < r2 && l2 < r1 && t1 < b2 && t2 < b1;
}

bool Player::PairState(const Handler& h) const {
    if (h.event == Event::Collide || h.event == Event::Apart) {
        for (int a : CelsOf(h.args[0]))
            for (int b : CelsOf(h.args[1]))
                if (CelsTouch(a, b)) return true;
        return false;
    }
    return BoxesOverlap(ObjectOf(h.args[0]), ObjectOf(h.args[1]));
}

signed char Player::PairStateOf(size_t pair, int object) const {
    if (budget_ <= 0) return -1;  // past the step's bound nothing more is tested
    --budget_;
    const Handler& h = d_.script_.handlers[d_.script_.Pairs()[pair]];
    bool concerns = false;
    for (const Arg& a : h.args) {
        for (int c : CelsOf(a)) concerns = concerns || d_.config_.cels[c].object == object;
        concerns = concerns || (a.type != Arg::Type::Cel && ObjectOf(a) == object);
    }
    if (!concerns) return -1;
    return PairState(h) ? 1 : 0;
}

std::vector<signed char> Player::PairStates(int object) const {
    std::vector<signed char> states(d_.script_.Pairs().size(), -1);
    for (size_t i = 0; i < states.size(); ++i) states[i] = PairStateOf(i, object);
    return states;
}

// Each pair is tested just before its event may fire, so the events of
// the first pairs run even where testing them all would pass the bound.
void Player::FirePairs(int object, const std::vector<signed char>& before) {
    const auto& pairs = d_.script_.Pairs();
    for (size_t i = 0; i < pairs.size() && i < before.size(); ++i) {
        if (before[i] < 0) continue;
        const signed char after = PairStateOf(i, object);
        if (after < 0) continue;
        const Handler& h = d_.script_.handlers[pairs[i]];
        const bool was = before[i] == 1, is = after == 1;
        bool fire = false;
        switch (h.event) {
            case Event::Collide: case Event::In: fire = !was && is; break;
            case Event::Apart: case Event::Out: fire = was && !is; break;
            case Event::StillIn: fire = is; break;
            case Event::StillOut: fire = !is; break;
            default: break;
        }
        if (fire && budget_ > 0) Run(&h.actions);
    }
}

// ---------------------------------------------------------------- values

int Player::Value(const Arg& a) const {
    switch (a.type) {
        case Arg::Type::Number:
        case Arg::Type::Object:
            return a.value;
        case Arg::Type::Name:
            if (a.symbol >= 0) return a.symbol;
            return a.value >= 0 && a.value < static_cast<int>(d_.variables_.size()) ? d_.variables_[a.value] : 0;
        default:
            return 0;
    }
}

void Player::Store(const Arg& variable, int64_t value) {
    if (variable.type != Arg::Type::Name || variable.value < 0 ||
        variable.value >= static_cast<int>(d_.variables_.size()))
        return;
    if (value < INT32_MIN || value > INT32_MAX) Fire(Event::Overflow, 0);
    d_.variables_[variable.value] = Clamp32(value);
}

std::vector<int> Player::CelsOf(const Arg& target) const {
    if (target.type == Arg::Type::Cel) return target.cels;
    const int object = ObjectOf(target);
    return object < 0 ? std::vector<int>() : d_.celsOf_[object];
}

int Player::ObjectOf(const Arg& target) const {
    int object = -1;
    if (target.type == Arg::Type::Cel) {
        if (!target.cels.empty()) object = d_.config_.cels[target.cels.front()].object;
    } else if (target.type != Arg::Type::Text) {
        object = Value(target);
    }
    return object >= 0 && object < static_cast<int>(d_.celsOf_.size()) ? object : -1;
}

uint32_t Player::Random(uint32_t range) {
    uint32_t& x = d_.random_;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return range == 0 ? 0 : x % range;
}

void Player::SetTimer(int alarm, int64_t delay) {
    if (delay <= 0) {  // zero stops the alarm
        d_.alarms_.erase(alarm);
        return;
    }
    if (d_.alarms_.size() >= Doll::kMaxAlarms && !d_.alarms_.count(alarm)) return;
    d_.alarms_[alarm] = d_.now_ + delay;
}

void Player::MoveTo(int object, Position to) {
    if (object < 0 || !d_.Place(object)) return;
    const auto before = PairStates(object);
    to.x = std::clamp(to.x, -Doll::kMaxPlace, Doll::kMaxPlace);
    to.y = std::clamp(to.y, -Doll::kMaxPlace, Doll::kMaxPlace);
    d_.config_.sets[d_.set_].places[object] = to;
    FirePairs(object, before);
}

bool Player::Condition(const Action& a) {
    const auto& g = a.args;
    auto object = [&] { return ObjectOf(g[0]); };
    auto moved = [&] {
        const int o = object();
        if (o < 0) return false;
        const auto& initial = d_.initial_[d_.set_];
        const std::optional<Position> now = d_.Place(o);
        if (o >= static_cast<int>(initial.size()) || !initial[o]) return now.has_value();
        return !now || !(*now == *initial[o]);
    };
    switch (a.op) {
        case Op::IfEqual: case Op::ElseIfEqual: return Value(g[0]) == Value(g[1]);
        case Op::IfNotEqual: case Op::ElseIfNotEqual: return Value(g[0]) != Value(g[1]);
        case Op::IfGreater: case Op::ElseIfGreater: return Value(g[0]) > Value(g[1]);
        case Op::IfLess: case Op::ElseIfLess: return Value(g[0]) < Value(g[1]);
        case Op::IfFixed: return object() >= 0 && d_.fix_[object()] > 0;
        case Op::IfNotFixed: return object() >= 0 && d_.fix_[object()] == 0;
        case Op::IfMapped: return AnyMapped(CelsOf(g[0]));
        case Op::IfNotMapped: return !AnyMapped(CelsOf(g[0]));
        case Op::IfMoved: return moved();
        case Op::IfNotMoved: return !moved();
        default: return false;
    }
}

// ---------------------------------------------------------------- actions

const std::vector<Action>* Player::LabelActions(int label) const {
    const auto& found = d_.script_.Find(Event::Label, label);
    return found.empty() ? nullptr : &d_.script_.handlers[found.front()].actions;
}

Player::Flow Player::RunLabel(int label) {
    const auto* actions = LabelActions(label);
    return actions ? Run(actions) : Flow::Next;
}

Player::Flow Player::Run(const std::vector<Action>* list) {
    if (depth_ >= Doll::kMaxDepth) return Flow::Next;
    ++depth_;
    std::vector<IfFrame> ifs;
    bool jumped = false;
    size_t pc = 0;
    Flow flow = Flow::Next;
    while (flow == Flow::Next && pc < list->size()) {
        if (budget_ <= 0) {
            flow = Flow::Exit;
            break;
        }
        --budget_;
        const Action& a = (*list)[pc++];
        Do(a, flow, list, pc, jumped, ifs);
    }
    --depth_;
    return jumped ? Flow::Exit : flow;  // after a goto the event does not go on
}

void Player::Do(const Action& a, Flow& flow, const std::vector<Action>*& list, size_t& pc, bool& jumped,
                std::vector<IfFrame>& ifs) {
    const bool running = ifs.empty() || ifs.back().running;
    if (IsBlockIf(a)) {
        const bool c = running && Condition(a);
        ifs.push_back({running, c, c});
        return;
    }
    if (IsElseIf(a.op) || a.op == Op::Else) {
        if (ifs.empty()) return;
        IfFrame& f = ifs.back();
        if (!f.parent || f.taken) {
            f.running = false;
        } else {
            f.running = a.op == Op::Else || Condition(a);
            f.taken = f.running;
        }
        return;
    }
    if (a.op == Op::EndIf) {
        if (!ifs.empty()) ifs.pop_back();
        return;
    }
    if (!running) return;

    const auto& g = a.args;
    Doll& d = d_;
    switch (a.op) {
        case Op::Map:
        case Op::Unmap:
        case Op::Altmap:
            for (int c : CelsOf(g[0])) d.mapped_[c] = a.op == Op::Map ? true : a.op == Op::Unmap ? false : !d.mapped_[c];
            break;
        case Op::Ghost:
            for (int c : CelsOf(g[0])) d.ghost_[c] = Value(g[1]) != 0;
            break;
        case Op::Transparent:
            for (int c : CelsOf(g[0])) d.translucency_[c] = std::clamp<int64_t>(int64_t{d.translucency_[c]} + Value(g[1]), 0, 255);
            break;
        case Op::ChangeSet: ChangeSet(Value(g[0])); break;
        case Op::ChangeCol: ChangeGroup(Value(g[0])); break;
        case Op::Timer: SetTimer(Value(g[0]), Value(g[1])); break;
        case Op::RandomTimer: {
            const int64_t range = std::max(0, Value(g[2]));
            SetTimer(Value(g[0]), int64_t{Value(g[1])} + Random(static_cast<uint32_t>(range + 1)));
            break;
        }
        case Op::Move:
        case Op::MoveTo:
        case Op::MoveByX:
        case Op::MoveByY:
        case Op::MoveRandX:
        case Op::MoveRandY:
        case Op::MoveToRand: {
            const int o = ObjectOf(g[0]);
            if (o < 0 || !d.Place(o)) break;
            Position p = *d.Place(o);
            auto spread = [&](int low, int high) {
                if (high < low) std::swap(low, high);
                const int64_t range = std::min<int64_t>(int64_t{high} - low + 1, UINT32_MAX);
                return Clamp32(low + int64_t{Random(static_cast<uint32_t>(range))});
            };
            switch (a.op) {
                case Op::Move: p.x = Clamp32(int64_t{p.x} + Value(g[1])); p.y = Clamp32(int64_t{p.y} + Value(g[2])); break;
                case Op::MoveTo: p = {Value(g[1]), Value(g[2])}; break;
                case Op::MoveByX:
                case Op::MoveByY: {
                    const int other = ObjectOf(g[1]);
                    if (other < 0 || !d.Place(other)) return;
                    if (a.op == Op::MoveByX) p.x = Clamp32(int64_t{d.Place(other)->x} + Value(g[2]));
                    else p.y = Clamp32(int64_t{d.Place(other)->y} + Value(g[2]));
                    break;
                }
                case Op::MoveRandX: p.x = Clamp32(int64_t{p.x} + spread(Value(g[1]), Value(g[2]))); break;
                case Op::MoveRandY: p.y = Clamp32(int64_t{p.y} + spread(Value(g[1]), Value(g[2]))); break;
                default: p = {spread(0, d.config_.width - 1), spread(0, d.config_.height - 1)}; break;
            }
            MoveTo(o, p);
            break;
        }
        case Op::SetFix: {
            const int o = ObjectOf(g[0]);
            if (o >= 0) d.fix_[o] = std::max(0, Value(g[1]));
            break;
        }
        case Op::IfFixed: case Op::IfNotFixed: case Op::IfMapped: case Op::IfNotMapped: case Op::IfMoved:
        case Op::IfNotMoved:
            if (Condition(a)) SetTimer(Value(g[1]), Value(g[2]));
            break;
        case Op::Notify:
            if (g.empty()) d.effects_.notice = std::string();
            else if (g[0].type == Arg::Type::Text || g[0].type == Arg::Type::Cel) d.effects_.notice = g[0].text;
            else d.effects_.notice = std::to_string(Value(g[0]));
            break;
        case Op::Sound:
        case Op::Music:
            if (!g.empty() && g[0].type == Arg::Type::Text) {
                if (d.effects_.sounds.size() < 16) d.effects_.sounds.push_back(g[0].text);
            } else if (a.op == Op::Music) {
                d.effects_.silence = true;
                d.effects_.sounds.clear();
            }
            break;
        case Op::Quit: d.effects_.quit = true; break;
        case Op::Nop: case Op::Shell: break;  // a set never starts a program
        case Op::Let: Store(g[0], Value(g[1])); break;
        case Op::Add: Store(g[0], int64_t{Value(g[1])} + Value(g[2])); break;
        case Op::Sub: Store(g[0], int64_t{Value(g[1])} - Value(g[2])); break;
        case Op::Mul: Store(g[0], int64_t{Value(g[1])} * Value(g[2])); break;
        case Op::Div:
        case Op::Mod: {
            const int64_t x = Value(g[1]), y = Value(g[2]);
            if (y == 0) Fire(Event::Overflow, 0);
            else Store(g[0], a.op == Op::Div ? x / y : x % y);
            break;
        }
        case Op::Random: {
            int low = Value(g[1]), high = Value(g[2]);
            if (high < low) std::swap(low, high);
            const int64_t range = std::min<int64_t>(int64_t{high} - low + 1, UINT32_MAX);
            Store(g[0], low + int64_t{Random(static_cast<uint32_t>(range))});
            break;
        }
        case Op::Goto:
        case Op::GotoRandom: {
            const int label = a.op == Op::Goto ? Value(g[0]) : Random(100) < static_cast<uint32_t>(std::max(0, Value(g[0]))) ? Value(g[1]) : Value(g[2]);
            const auto* target = LabelActions(label);
            if (!target) break;
            // A jump replaces what is left of this list: no deeper nesting,
            // so a loop of jumps is bounded by the step's actions alone.
            list = target;
            pc = 0;
            ifs.clear();
            jumped = true;
            break;
        }
        case Op::Gosub:
        case Op::GosubRandom: {
            const int label = a.op == Op::Gosub ? Value(g[0]) : Random(100) < static_cast<uint32_t>(std::max(0, Value(g[0]))) ? Value(g[1]) : Value(g[2]);
            if (RunLabel(label) == Flow::Exit) flow = Flow::Exit;
            break;
        }
        case Op::ExitEvent: flow = Flow::Exit; break;
        case Op::LetObjectX:
        case Op::LetObjectY:
        case Op::LetInitX:
        case Op::LetInitY: {
            const int o = ObjectOf(g[1]);
            std::optional<Position> p;
            if (o >= 0 && (a.op == Op::LetObjectX || a.op == Op::LetObjectY)) p = d.Place(o);
            else if (o >= 0 && o < static_cast<int>(d.initial_[d.set_].size())) p = d.initial_[d.set_][o];
            const Position at = p.value_or(Position{});
            Store(g[0], a.op == Op::LetObjectX || a.op == Op::LetInitX ? at.x : at.y);
            break;
        }
        case Op::LetFix: {
            const int o = ObjectOf(g[1]);
            Store(g[0], o >= 0 ? d.fix_[o] : 0);
            break;
        }
        case Op::LetMapped: Store(g[0], AnyMapped(CelsOf(g[1])) ? 1 : 0); break;
        case Op::LetTransparent: {
            const auto cels = CelsOf(g[1]);
            int t = cels.empty() ? 0 : d.translucency_[cels.front()];
            for (int c : cels)
                if (d.translucency_[c] != t) t = -1;
            Store(g[0], t);
            break;
        }
        case Op::LetSet: Store(g[0], d.set_); break;
        case Op::LetPal: Store(g[0], d.PaletteGroup()); break;
        case Op::LetCatch: Store(g[0], d.caught_); break;
        case Op::LetCollide: {
            bool touch = false;
            for (int x : CelsOf(g[1]))
                for (int y : CelsOf(g[2])) touch = touch || CelsTouch(x, y);
            Store(g[0], touch ? 1 : 0);
            break;
        }
        case Op::LetInside: Store(g[0], BoxesOverlap(ObjectOf(g[1]), ObjectOf(g[2])) ? 1 : 0); break;
        case Op::LetMouseX: Store(g[0], d.mouse_.x); break;
        case Op::LetMouseY: Store(g[0], d.mouse_.y); break;
        case Op::LetTimer: {
            auto it = d.alarms_.find(Value(g[1]));
            Store(g[0], it == d.alarms_.end() ? 0 : std::max<int64_t>(0, it->second - d.now_));
            break;
        }
        default: break;
    }
}

// ---------------------------------------------------------------- the doll's play

void Doll::Start() {
    if (started_) return;
    started_ = true;
    Player p(*this);
    p.Fire(Event::Initialize, 0);
    p.Fire(Event::Begin, 0);
    for (int version = 1; version <= 3; ++version) p.Fire(Event::Version, version);
    p.Fire(Event::Set, set_);
    effects_.setChanged = false;  // the viewer shows the first state anyway
}

bool Doll::SelectSet(int set) {
    Player p(*this);
    return p.ChangeSet(set);
}

PressResult Doll::Press(int x, int y) {
    PressResult r;
    mouse_ = {x, y};
    const int cel = HitTest(x, y);
    if (cel < 0) return r;
    const int object = config_.cels[cel].object;
    Player p(*this);
    caught_ = object;
    caughtCel_ = cel;
    p.FireOn(Event::Press, cel);
    // A fix value at the maximum never wears off and is never caught.
    const bool fixed = fix_[object] > 0;
    if (fix_[object] < kMaxFix) p.FireOn(Event::Catch, cel);
    if (fix_[object] > 1) p.FireOn(Event::FixCatch, cel);
    if (fix_[object] == 1) p.FireOn(Event::Unfix, cel);
    if (fix_[object] > 0 && fix_[object] < kMaxFix) --fix_[object];
    // The user's drag starts where the press events left the object.
    caughtFrom_ = Place(object);
    pairsBefore_ = p.PairStates(object);
    r.object = object;
    r.movable = !fixed && Place(object).has_value();
    return r;
}

void Doll::Release() {
    if (caught_ < 0) return;
    const int object = caught_;
    Player p(*this);
    if (Place(object) != caughtFrom_) p.FirePairs(object, pairsBefore_);
    p.FireOn(Event::Release, caughtCel_);
    p.FireOn(fix_[object] > 0 ? Event::FixDrop : Event::Drop, caughtCel_);
    caught_ = -1;
    caughtCel_ = -1;
}

void Doll::Finish() {
    Player p(*this);
    p.Fire(Event::End, 0);
}

std::optional<int64_t> Doll::NextAlarm() const {
    std::optional<int64_t> next;
    for (const auto& [alarm, due] : alarms_)
        if (!next || due < *next) next = due;
    return next;
}

void Doll::RunAlarms(int64_t ms) {
    SetNow(ms);
    std::vector<std::pair<int64_t, int>> due;
    for (const auto& [alarm, time] : alarms_)
        if (time <= now_) due.emplace_back(time, alarm);
    std::sort(due.begin(), due.end());
    Player p(*this);
    for (const auto& [time, alarm] : due) {
        auto it = alarms_.find(alarm);
        if (it == alarms_.end() || it->second != time) continue;  // stopped or set again meanwhile
        alarms_.erase(it);
        p.Fire(Event::Alarm, alarm);
    }
}

Effects Doll::TakeEffects() {
    Effects e = std::move(effects_);
    effects_ = Effects();
    return e;
}

int Doll::Variable(const std::string& name) const {
    for (size_t i = 0; i < script_.variables.size(); ++i)
        if (script_.variables[i] == name) return variables_[i];
    return 0;
}

}  // namespace kiss
