#include "kiss/fkiss_script.h"

#include "kiss/lines.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kiss {
namespace {

constexpr size_t kMaxNotes = 200;
constexpr size_t kMaxArgs = 16;
constexpr size_t kMaxVariables = 4096;

struct EventName {
    const char* name;
    Event event;
    int args;
};

constexpr EventName kEvents[] = {
    {"initialize", Event::Initialize, 0}, {"begin", Event::Begin, 0},     {"end", Event::End, 0},
    {"never", Event::Never, 0},           {"version", Event::Version, 1}, {"overflow", Event::Overflow, 0},
    {"press", Event::Press, 1},           {"release", Event::Release, 1}, {"catch", Event::Catch, 1},
    {"drop", Event::Drop, 1},             {"fixcatch", Event::FixCatch, 1}, {"fixdrop", Event::FixDrop, 1},
    {"unfix", Event::Unfix, 1},           {"set", Event::Set, 1},         {"col", Event::Col, 1},
    {"alarm", Event::Alarm, 1},           {"label", Event::Label, 1},     {"collide", Event::Collide, 2},
    {"apart", Event::Apart, 2},           {"in", Event::In, 2},           {"out", Event::Out, 2},
    {"stillin", Event::StillIn, 2},       {"stillout", Event::StillOut, 2},
};

struct OpName {
    const char* name;
    Op op;
    int minArgs;
    int maxArgs;
};

constexpr OpName kOps[] = {
    {"map", Op::Map, 1, 1}, {"unmap", Op::Unmap, 1, 1}, {"altmap", Op::Altmap, 1, 1},
    {"ghost", Op::Ghost, 2, 2}, {"transparent", Op::Transparent, 2, 2},
    {"changeset", Op::ChangeSet, 1, 1}, {"changecol", Op::ChangeCol, 1, 1},
    {"timer", Op::Timer, 2, 2}, {"randomtimer", Op::RandomTimer, 3, 3},
    {"move", Op::Move, 3, 3}, {"moveto", Op::MoveTo, 3, 3}, {"movebyx", Op::MoveByX, 3, 3},
    {"movebyy", Op::MoveByY, 3, 3}, {"moverandx", Op::MoveRandX, 3, 3}, {"moverandy", Op::MoveRandY, 3, 3},
    {"movetorand", Op::MoveToRand, 1, 1}, {"setfix", Op::SetFix, 2, 2},
    {"iffixed", Op::IfFixed, 1, 3}, {"ifnotfixed", Op::IfNotFixed, 1, 3},
    {"ifmapped", Op::IfMapped, 1, 3}, {"ifnotmapped", Op::IfNotMapped, 1, 3},
    {"ifmoved", Op::IfMoved, 1, 3}, {"ifnotmoved", Op::IfNotMoved, 1, 3},
    {"notify", Op::Notify, 0, 1}, {"sound", Op::Sound, 0, 1}, {"music", Op::Music, 0, 2},
    {"quit", Op::Quit, 0, 0}, {"nop", Op::Nop, 0, 0}, {"shell", Op::Shell, 0, 1},
    // Commands for the viewer's window and for debugging change nothing here.
    {"viewport", Op::Nop, 0, 2}, {"windowsize", Op::Nop, 0, 2}, {"debug", Op::Nop, 0, 1},
    {"restrictx", Op::Nop, 0, 3}, {"restricty", Op::Nop, 0, 3},
    {"let", Op::Let, 2, 2}, {"add", Op::Add, 3, 3}, {"sub", Op::Sub, 3, 3}, {"mul", Op::Mul, 3, 3},
    {"div", Op::Div, 3, 3}, {"mod", Op::Mod, 3, 3}, {"random", Op::Random, 3, 3},
    {"ifequal", Op::IfEqual, 2, 2}, {"ifnotequal", Op::IfNotEqual, 2, 2},
    {"ifgreaterthan", Op::IfGreater, 2, 2}, {"iflessthan", Op::IfLess, 2, 2},
    {"elseifequal", Op::ElseIfEqual, 2, 2}, {"elseifnotequal", Op::ElseIfNotEqual, 2, 2},
    {"elseifgreaterthan", Op::ElseIfGreater, 2, 2}, {"elseiflessthan", Op::ElseIfLess, 2, 2},
    {"else", Op::Else, 0, 0}, {"endif", Op::EndIf, 0, 0},
    {"goto", Op::Goto, 1, 1}, {"gosub", Op::Gosub, 1, 1}, {"gotorandom", Op::GotoRandom, 3, 3},
    {"gosubrandom", Op::GosubRandom, 3, 3}, {"exitevent", Op::ExitEvent, 0, 0},
    {"letobjectx", Op::LetObjectX, 2, 2}, {"letobjecty", Op::LetObjectY, 2, 2},
    {"letinitx", Op::LetInitX, 2, 2}, {"letinity", Op::LetInitY, 2, 2}, {"letfix", Op::LetFix, 2, 2},
    {"letmapped", Op::LetMapped, 2, 2}, {"lettransparent", Op::LetTransparent, 2, 2},
    {"letset", Op::LetSet, 1, 1}, {"letpal", Op::LetPal, 1, 1}, {"letcatch", Op::LetCatch, 1, 1},
    {"letcollide", Op::LetCollide, 3, 3}, {"letinside", Op::LetInside, 3, 3},
    {"letmousex", Op::LetMouseX, 1, 1}, {"letmousey", Op::LetMouseY, 1, 1}, {"lettimer", Op::LetTimer, 2, 2},
};

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// One command as written: a name and its raw arguments.
struct Command {
    std::string name;  // lower case
    std::vector<Arg> args;
};

class Reader {
public:
    Reader(const Config& config, Script& script) : script_(script) {
        for (size_t i = 0; i < config.cels.size(); ++i) celsByName_[Lower(config.cels[i].file)].push_back(static_cast<int>(i));
    }

    void ReadLine(std::string_view text, int number) {
        line_ = number;
        s_ = text;
        at_ = 0;
        for (;;) {
            SkipBlanks();
            if (End() || s_[at_] == ';') return;  // the rest is a comment
            std::optional<Command> c = ReadCommand();
            if (!c) {
                Note(NoteKind::ScriptNotUnderstood);
                return;
            }
            Use(*c);
        }
    }

    void Finish() {
        // Names given to labels and alarms are their codes wherever they appear.
        for (auto& h : script_.handlers) {
            for (auto& a : h.args) Resolve(a);
            for (auto& act : h.actions)
                for (auto& a : act.args) Resolve(a);
        }
        script_.Index();
    }

private:
    Script& script_;
    std::map<std::string, std::vector<int>> celsByName_;
    std::map<std::string, int> variableIndex_;
    std::map<std::string, int> symbols_;  // label and alarm names -> code
    std::string_view s_;
    size_t at_ = 0;
    int line_ = 0;
    int current_ = -1;  // the handler actions go to

    bool End() const { return at_ >= s_.size(); }
    void SkipBlanks() {
        while (!End() && (s_[at_] == ' ' || s_[at_] == '\t')) ++at_;
    }
    void Note(NoteKind kind, const std::string& name = {}) {
        if (script_.notes.size() < kMaxNotes) script_.notes.push_back({kind, line_, name});
    }

    std::optional<int> Number() {
        bool negative = false;
        if (!End() && (s_[at_] == '-' || s_[at_] == '+')) negative = s_[at_++] == '-';
        if (End() || !std::isdigit(static_cast<unsigned char>(s_[at_]))) return std::nullopt;
        long long v = 0;
        while (!End() && std::isdigit(static_cast<unsigned char>(s_[at_]))) {
            if (v < 3000000000LL) v = v * 10 + (s_[at_] - '0');
            ++at_;
        }
        v = std::min<long long>(v, 2147483647LL);
        return static_cast<int>(negative ? -v : v);
    }

    std::optional<Arg> ReadArg() {
        SkipBlanks();
        if (End()) return std::nullopt;
        Arg a;
        const char c = s_[at_];
        if (c == '"') {
            size_t close = s_.find('"', at_ + 1);
            if (close == std::string_view::npos) return std::nullopt;
            a.type = Arg::Type::Text;
            a.text = std::string(s_.substr(at_ + 1, close - at_ - 1));
            at_ = close + 1;
        } else if (c == '#') {
            ++at_;
            auto n = Number();
            if (!n) return std::nullopt;
            a.type = Arg::Type::Object;
            a.value = *n;
            if (!End() && s_[at_] == '.') {  // "#3.5": a fix value some writers keep; it is not the object's
                ++at_;
                Number();
            }
        } else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
            auto n = Number();
            if (!n) return std::nullopt;
            a.value = *n;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            size_t start = at_;
            while (!End() && IsNameChar(s_[at_])) ++at_;
            a.type = Arg::Type::Name;
            a.text = Upper(s_.substr(start, at_ - start));
        } else {
            return std::nullopt;
        }
        SkipBlanks();
        return a;
    }

    std::optional<Command> ReadCommand() {
        size_t start = at_;
        while (!End() && IsNameChar(s_[at_])) ++at_;
        if (at_ == start) return std::nullopt;
        Command c{Lower(s_.substr(start, at_ - start)), {}};
        SkipBlanks();
        if (End() || s_[at_] != '(') return std::nullopt;
        ++at_;
        SkipBlanks();
        if (!End() && s_[at_] == ')') {
            ++at_;
            return c;
        }
        for (;;) {
            auto a = ReadArg();
            if (!a || c.args.size() >= kMaxArgs) return std::nullopt;
            c.args.push_back(std::move(*a));
            if (End()) return std::nullopt;
            if (s_[at_] == ',') {
                ++at_;
                continue;
            }
            if (s_[at_] == ')') {
                ++at_;
                return c;
            }
            return std::nullopt;
        }
    }

    // A text that names a cel becomes that cel's lines; a name a variable.
    void Bind(Arg& a, bool celWanted) {
        if (a.type == Arg::Type::Text && celWanted) {
            a.type = Arg::Type::Cel;
            auto it = celsByName_.find(Lower(a.text));
            if (it != celsByName_.end()) a.cels = it->second;
        } else if (a.type == Arg::Type::Name) {
            auto [it, added] = variableIndex_.emplace(a.text, static_cast<int>(script_.variables.size()));
            if (added) {
                if (script_.variables.size() >= kMaxVariables) {
                    variableIndex_.erase(it);
                    a.type = Arg::Type::Number;
                    a.value = 0;
                    return;
                }
                script_.variables.push_back(a.text);
            }
            a.value = it->second;
        }
    }

    void Resolve(Arg& a) {
        if (a.type != Arg::Type::Name) return;
        auto it = symbols_.find(a.text);
        if (it != symbols_.end()) a.symbol = it->second;
    }

    static bool CelArgument(Op op, size_t index) {
        switch (op) {
            case Op::Map: case Op::Unmap: case Op::Altmap: case Op::Ghost: case Op::Transparent:
            case Op::IfMapped: case Op::IfNotMapped:
                return index == 0;
            case Op::LetMapped: case Op::LetTransparent:
                return index == 1;
            case Op::LetCollide:
                return index == 1 || index == 2;
            default:
                return false;
        }
    }

    void Use(Command& c) {
        if (c.name == "eventhandler") return;  // a second mark changes nothing
        for (const auto& e : kEvents) {
            if (c.name != e.name) continue;
            if (static_cast<int>(c.args.size()) < e.args) {
                Note(NoteKind::TooFewArguments, c.name);
                current_ = -1;  // its actions must not join the previous event
                return;
            }
            c.args.resize(e.args);
            for (auto& a : c.args) {
                const bool named = e.event == Event::Alarm || e.event == Event::Label;
                if (named && a.type == Arg::Type::Name) {
                    auto [it, added] = symbols_.emplace(a.text, Script::kNameBase + static_cast<int>(symbols_.size()));
                    a.type = Arg::Type::Number;
                    a.value = it->second;
                } else {
                    Bind(a, true);
                }
            }
            script_.handlers.push_back(Handler{e.event, std::move(c.args), {}});
            current_ = static_cast<int>(script_.handlers.size()) - 1;
            return;
        }
        for (const auto& o : kOps) {
            if (c.name != o.name) continue;
            const int n = static_cast<int>(c.args.size());
            if (n < o.minArgs) {
                Note(NoteKind::TooFewArguments, c.name);
                return;
            }
            if (current_ < 0) {
                Note(NoteKind::ActionBeforeEvent, c.name);
                return;
            }
            if (n > o.maxArgs) c.args.resize(o.maxArgs);
            for (size_t i = 0; i < c.args.size(); ++i) Bind(c.args[i], CelArgument(o.op, i));
            if (o.op == Op::Shell) Note(NoteKind::ShellRefused, c.name);
            script_.handlers[current_].actions.push_back(Action{o.op, std::move(c.args)});
            return;
        }
        Note(NoteKind::UnknownCommand, c.name);
    }
};

}  // namespace

const std::vector<int>& Script::Find(Event e, int key) const {
    static const std::vector<int> none;
    auto it = byKey_.find({static_cast<int>(e), key});
    return it == byKey_.end() ? none : it->second;
}

void Script::Index() {
    byKey_.clear();
    pairs_.clear();
    for (size_t i = 0; i < handlers.size(); ++i) {
        const Handler& h = handlers[i];
        const int index = static_cast<int>(i);
        const int e = static_cast<int>(h.event);
        switch (h.event) {
            case Event::Collide: case Event::Apart: case Event::In: case Event::Out:
            case Event::StillIn: case Event::StillOut:
                pairs_.push_back(index);
                break;
            default:
                if (h.args.empty()) {
                    byKey_[{e, 0}].push_back(index);
                } else if (h.args[0].type == Arg::Type::Cel) {
                    for (int cel : h.args[0].cels) byKey_[{e, CelKey(cel)}].push_back(index);
                } else {
                    byKey_[{e, h.args[0].value}].push_back(index);
                }
        }
    }
}

Script ReadScript(std::string_view text, const Config& config) {
    Script script;
    Reader reader(config, script);
    ForEachLine(text, [&](std::string_view line, int number) {
        if (line.size() < 2 || line[0] != ';' || line[1] != '@') return;
        line.remove_prefix(2);
        if (!script.present) {
            size_t first = line.find_first_not_of(" \t");
            if (first != std::string_view::npos && Lower(line.substr(first, 12)) == "eventhandler") {
                script.present = true;
                line.remove_prefix(first + 12);
                size_t rest = line.find_first_not_of(" \t");
                if (rest != std::string_view::npos && line[rest] == '(') {
                    size_t close = line.find(')', rest);
                    line.remove_prefix(close == std::string_view::npos ? line.size() : close + 1);
                }
            } else {
                return;  // script lines count only after the mark
            }
        }
        reader.ReadLine(line, number);
    });
    reader.Finish();
    return script;
}

}  // namespace kiss
