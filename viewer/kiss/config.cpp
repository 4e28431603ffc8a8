#include "kiss/config.h"

#include "kiss/lines.h"

#include <algorithm>
#include <cctype>

namespace kiss {
namespace {

// A cursor over one line.
struct Line {
    std::string_view s;
    size_t at = 0;

    bool End() const { return at >= s.size(); }
    char Peek() const { return End() ? '\0' : s[at]; }
    void SkipBlanks() {
        while (!End() && (s[at] == ' ' || s[at] == '\t')) ++at;
    }
    bool Digit() const { return !End() && std::isdigit(static_cast<unsigned char>(s[at])); }
    // A decimal number (with an optional minus sign); capped so that it
    // never overflows.
    std::optional<int> Number() {
        bool negative = false;
        size_t start = at;
        if (Peek() == '-') {
            negative = true;
            ++at;
        }
        if (!Digit()) {
            at = start;
            return std::nullopt;
        }
        long v = 0;
        while (Digit()) {
            if (v < 1000000) v = v * 10 + (s[at] - '0');
            ++at;
        }
        return static_cast<int>(negative ? -v : v);
    }
    std::string_view Word() {
        size_t start = at;
        while (!End() && s[at] != ' ' && s[at] != '\t') ++at;
        return s.substr(start, at - start);
    }
};

// What follows the first ';' of a line ("" when there is none).
std::string_view Comment(std::string_view line) {
    size_t semi = line.find(';');
    return semi == std::string_view::npos ? std::string_view() : line.substr(semi + 1);
}

std::string_view WithoutComment(std::string_view line) {
    size_t semi = line.find(';');
    if (semi != std::string_view::npos) line = line.substr(0, semi);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

class Reader {
public:
    Config config;

    void ReadLine(std::string_view raw, int number) {
        lineNumber_ = number;
        std::string_view text = WithoutComment(raw);
        if (text.empty()) return;
        const char kind = text[0];
        if (kind != ' ' && kind != '\t') currentSet_ = -1;
        Line line{text, 1};
        switch (kind) {
            case '(': Size(line); break;
            case '[': Border(line); break;
            case '%': PaletteFile(line); break;
            case '#': CelFile(line, Comment(raw)); break;
            case '$': Set(line); break;
            case ' ':
            case '\t':
                if (currentSet_ >= 0) Places(line);
                break;
            default: break;  // other lines are of later extensions
        }
    }

    void Finish() {
        bool any = false;
        for (const auto& s : config.sets) any = any || s.defined;
        // A file without set lines still shows its doll: everything at 0,0.
        if (!any && config.objectCount > 0) {
            auto& s = config.sets[0];
            s.defined = true;
            s.places.assign(config.objectCount, Position{});
        }
        for (auto& s : config.sets)
            if (s.defined) s.places.resize(config.objectCount);
    }

private:
    int lineNumber_ = 0;
    int currentSet_ = -1;  // the set whose places continue on blank-led lines
    int setsSeen_ = 0;
    size_t nextObject_ = 0;

    void Note(NoteKind kind) { config.notes.push_back({kind, lineNumber_, {}}); }

    void Size(Line& l) {
        l.SkipBlanks();
        auto w = l.Number();
        l.SkipBlanks();
        if (l.Peek() == ',') ++l.at;
        l.SkipBlanks();
        auto h = l.Number();
        if (!w || !h || *w < 1 || *h < 1 || *w > kMaxFieldSide || *h > kMaxFieldSide) {
            Note(NoteKind::PlayfieldSize);
            return;
        }
        config.width = *w;
        config.height = *h;
    }

    void Border(Line& l) {
        l.SkipBlanks();
        auto n = l.Number();
        if (!n || *n < 0 || *n > 255) {
            Note(NoteKind::BorderColour);
            return;
        }
        config.border = *n;
    }

    void PaletteFile(Line& l) {
        l.SkipBlanks();
        auto name = l.Word();
        if (name.empty()) {
            Note(NoteKind::PaletteWithoutFile);
            return;
        }
        config.palettes.emplace_back(name);
    }

    // The options at the start of a cel line's comment: "%u", "%tN".
    static void CelOptions(std::string_view comment, CelLine& c) {
        Line l{comment, 0};
        for (;;) {
            l.SkipBlanks();
            if (l.Peek() != '%') return;
            ++l.at;
            const char option = static_cast<char>(std::tolower(static_cast<unsigned char>(l.Peek())));
            if (option == 'u') {
                c.unmapped = true;
                ++l.at;
            } else if (option == 't') {
                ++l.at;
                if (auto t = l.Number()) c.translucency = std::clamp(*t, 0, 255);
            }
            l.Word();  // the rest of an option we do not know
        }
    }

    void CelFile(Line& l, std::string_view comment) {
        CelLine c;
        auto object = l.Number();
        if (!object || *object < 0 || *object >= kMaxObjects) {
            Note(NoteKind::ObjectNumber);
            return;
        }
        c.object = *object;
        if (l.Peek() == '.') {
            ++l.at;
            auto fix = l.Number();
            c.fix = fix && *fix > 0 ? *fix : 0;
        }
        l.SkipBlanks();
        auto file = l.Word();
        if (file.empty()) {
            Note(NoteKind::CelWithoutFile);
            return;
        }
        c.file = std::string(file);
        for (;;) {
            l.SkipBlanks();
            if (l.End()) break;
            if (l.Peek() == '*') {
                ++l.at;
                auto pal = l.Number();
                if (pal && *pal >= 0) c.palette = *pal;
            } else if (l.Peek() == ':') {
                ++l.at;
                uint16_t sets = 0;
                for (;;) {
                    l.SkipBlanks();
                    if (!l.Digit()) break;
                    auto s = l.Number();
                    if (s && *s >= 0 && *s < kSetCount) sets |= static_cast<uint16_t>(1u << *s);
                }
                c.sets = sets;
            } else {
                l.Word();  // an unknown word (a later extension) is passed over
            }
        }
        CelOptions(comment, c);
        if (c.object + 1 > config.objectCount) config.objectCount = c.object + 1;
        config.cels.push_back(std::move(c));
    }

    void Set(Line& l) {
        if (setsSeen_ >= kSetCount) {
            Note(NoteKind::TooManySets);
            currentSet_ = -1;
            return;
        }
        currentSet_ = setsSeen_++;
        auto& s = config.sets[currentSet_];
        s.defined = true;
        auto group = l.Number();
        s.paletteGroup = group && *group >= 0 ? *group : 0;
        nextObject_ = 0;
        Places(l);
    }

    void Places(Line& l) {
        auto& s = config.sets[currentSet_];
        for (;;) {
            l.SkipBlanks();
            if (l.End()) break;
            if (nextObject_ >= static_cast<size_t>(kMaxObjects)) {
                Note(NoteKind::TooManyPlaces);
                return;
            }
            if (s.places.size() <= nextObject_) s.places.resize(nextObject_ + 1);
            if (l.Peek() == '*') {
                ++l.at;
                s.places[nextObject_++] = std::nullopt;
                continue;
            }
            auto x = l.Number();
            l.SkipBlanks();
            bool comma = l.Peek() == ',';
            if (comma) ++l.at;
            l.SkipBlanks();
            auto y = comma ? l.Number() : std::nullopt;
            if (!x || !y) {
                Note(NoteKind::PlaceNotUnderstood);
                l.Word();
                s.places[nextObject_++] = std::nullopt;
                continue;
            }
            s.places[nextObject_++] = Position{*x, *y};
        }
    }
};

}  // namespace

std::optional<Position> Config::Place(int set, int object) const {
    if (set < 0 || set >= kSetCount || !sets[set].defined) return std::nullopt;
    const auto& places = sets[set].places;
    if (object < 0 || object >= static_cast<int>(places.size())) return std::nullopt;
    return places[object];
}

Config ReadConfig(std::string_view text) {
    Reader r;
    ForEachLine(text, [&](std::string_view line, int number) { r.ReadLine(line, number); });
    r.Finish();
    return std::move(r.config);
}

}  // namespace kiss
