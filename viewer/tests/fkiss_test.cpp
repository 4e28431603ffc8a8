// The event script without a window: how it is read, and what its events
// and actions do to the doll, its alarms and its variables.
#include "kiss/compose.h"
#include "kiss/doll.h"
#include "kiss/wave.h"

#include <gtest/gtest.h>

#include <set>

using kiss::Doll;
using kiss::Position;

namespace {

// Four objects of one 10 x 10 cel each; #1 is fixed twice, c.cel starts
// unmapped, d.cel translucent.  Set 1 has no place for #1.
const char* const kDoll =
    "(100,100)\n#0 a.cel\n#1.2 b.cel\n#2 c.cel ;%u\n#3 d.cel ;%t100 the glass\n"
    "$0 0,0 20,0 40,0 60,0\n$1 0,0 * 40,40 60,60\n;@EventHandler\n";

Doll Make(const std::string& script) {
    std::string square = {10, 0, 10, 0};
    square += std::string(50, '\x11');  // colour 1 everywhere
    std::vector<kiss::Note> problems;
    return Doll::Load(kDoll + script, [&](const std::string&) { return std::optional<std::string>(square); }, problems);
}

// Presses at x, y and releases, having dragged the object to `to` if given.
void Click(Doll& d, int x, int y, std::optional<Position> to = std::nullopt) {
    const kiss::PressResult r = d.Press(x, y);
    if (to && r.movable) d.MoveObject(r.object, *to);
    d.Release();
}

}  // namespace

TEST(FkissScript, ReadsCommandsSkipsWhatItDoesNotKnowAndRefusesShell) {
    const Doll d = Make(
        ";@press(\"A.CEL\") map(#2) ; a comment map(#3)\n"
        ";@ unmap ( \"c.cel\" ) frobnicate(1) altmap(#1)\n"
        ";@ map(#1 unmap(#2)\n"  // broken: the rest of the line goes
        ";@alarm(Blink) timer(Blink, 10) shell(\"rm -rf /\") let(Z9, 1)\n"
        ";@set(1)\n"
        "; @map(#0)\n");  // not a script line
    const kiss::Script& s = d.script();
    ASSERT_TRUE(s.present);
    ASSERT_EQ(s.handlers.size(), 3u);
    const kiss::Handler& press = s.handlers[0];
    EXPECT_EQ(press.event, kiss::Event::Press);
    EXPECT_EQ(press.args[0].cels, std::vector<int>{0}) << "cel names match without regard to case";
    ASSERT_EQ(press.actions.size(), 3u);
    EXPECT_EQ(press.actions[1].op, kiss::Op::Unmap);
    EXPECT_EQ(press.actions[2].op, kiss::Op::Altmap);
    // A named alarm is the same alarm wherever the name appears.
    const kiss::Handler& alarm = s.handlers[1];
    EXPECT_EQ(alarm.args[0].value, alarm.actions[0].args[0].symbol);
    EXPECT_EQ(s.variables, (std::vector<std::string>{"BLINK", "Z9"}));
    // frobnicate, the broken line, shell: each with its line and command.
    using kiss::NoteKind;
    EXPECT_EQ(s.notes, (std::vector<kiss::Note>{{NoteKind::UnknownCommand, 10, "frobnicate"},
                                               {NoteKind::ScriptNotUnderstood, 11, ""},
                                               {NoteKind::ShellRefused, 12, "shell"}}));
    EXPECT_EQ(s.Find(kiss::Event::Set, 1), std::vector<int>{2});

    // No script without the mark; options of the cel lines.
    std::vector<kiss::Note> problems;
    const Doll plain = Doll::Load("#0 a.cel ;%t300 %u\n;@press(#0) unmap(#0)\n", [](const std::string&) { return std::nullopt; },
                                  problems);
    EXPECT_FALSE(plain.script().present);
    EXPECT_TRUE(plain.script().handlers.empty());
    EXPECT_TRUE(plain.celLine(0).unmapped);
    EXPECT_EQ(plain.celLine(0).translucency, 255);
    EXPECT_FALSE(plain.Mapped(0));
}

TEST(FkissPlay, StartPressDragAndReleaseRunTheirEventsInOrder) {
    // Each event appends its digit to S.
    Doll d = Make(
        ";@initialize() let(S, 1) map(\"c.cel\")\n;@begin() mul(S, S, 10) add(S, S, 2)\n"
        ";@version(3) mul(S, S, 10) add(S, S, 3)\n;@set(0) mul(S, S, 10) add(S, S, 4)\n"
        ";@press(#1) let(S, 5)\n;@fixcatch(\"b.cel\") mul(S, S, 10) add(S, S, 6)\n"
        ";@unfix(#1) mul(S, S, 10) add(S, S, 7)\n;@fixdrop(#1) mul(S, S, 10) add(S, S, 8)\n"
        ";@release(#1) mul(S, S, 10) add(S, S, 9)\n"
        ";@press(#0) let(S, 1)\n;@catch(#0) mul(S, S, 10) add(S, S, 2)\n"
        ";@drop(#0) mul(S, S, 10) add(S, S, 3) movebyx(#3, #0, 5)\n"
        ";@drop(#1) mul(S, S, 10) add(S, S, 3)\n"
        ";@never() let(S, 0)\n;@end() let(E, 1)\n");
    EXPECT_FALSE(d.Visible(2));
    d.Start();
    EXPECT_EQ(d.Variable("S"), 1234);
    EXPECT_TRUE(d.Visible(2)) << "initialize maps the cel that starts unmapped";
    d.Start();
    EXPECT_EQ(d.Variable("S"), 1234) << "only once";

    Click(d, 25, 5);
    EXPECT_EQ(d.Variable("S"), 5698) << "a fixed object: press, fixcatch, release, fixdrop";
    EXPECT_EQ(d.FixLeft(1), 1);
    Click(d, 25, 5, Position{30, 30});
    EXPECT_EQ(d.Variable("S"), 5793) << "the last drag unfixes it; no longer fixed, it drops";
    EXPECT_EQ(d.Place(1), (Position{20, 0})) << "the press that unfixes does not move it";

    Click(d, 5, 5, Position{7, 50});
    EXPECT_EQ(d.Variable("S"), 123);
    EXPECT_EQ(d.Place(3), (Position{12, 0})) << "drop moved #3 to #0's x plus 5";
    EXPECT_EQ(d.Press(99, 99).object, -1);
    d.Release();
    d.Finish();
    EXPECT_EQ(d.Variable("E"), 1);
}

TEST(FkissPlay, AlarmsRunWhenDueAndARunawayScriptIsBounded) {
    Doll d = Make(
        ";@initialize() timer(1, 100) randomtimer(2, 50, 10) timer(3, 70) timer(3, 0)\n"
        ";@alarm(1) unmap(#0) add(A, A, 1) timer(1, 1)\n"
        ";@alarm(2) let(R, 1) gosub(7) goto(8)\n"
        ";@label(7) gosub(7)\n"
        ";@label(8) add(L, L, 1) goto(8)\n"
        ";@press(#3) let(P, 1)\n");
    d.SetNow(1000);
    d.Start();
    ASSERT_TRUE(d.NextAlarm());
    EXPECT_GE(*d.NextAlarm(), 1050);
    EXPECT_LE(*d.NextAlarm(), 1060);
    d.RunAlarms(1049);
    EXPECT_EQ(d.Variable("R"), 0) << "nothing before its time";
    d.RunAlarms(1099);
    EXPECT_EQ(d.Variable("R"), 1);
    EXPECT_GT(d.Variable("L"), 100) << "the goto loop ran";
    EXPECT_LT(d.Variable("L"), Doll::kStepActions) << "and stopped at the step's bound";
    EXPECT_TRUE(d.Visible(0)) << "alarm 1 is not due yet, and alarm 3 was stopped";
    EXPECT_EQ(*d.NextAlarm(), 1100);
    // An alarm that sets itself again runs once a step, not in a loop.
    d.RunAlarms(1100);
    d.RunAlarms(1200);
    EXPECT_EQ(d.Variable("A"), 2);
    EXPECT_FALSE(d.Visible(0));
    // The set still answers after the runaway steps.
    Click(d, 65, 5);
    EXPECT_EQ(d.Variable("P"), 1);

    // Overlap tests of large cels stop at the step's bound too: a hundred
    // collide events on two 1000 x 1000 cels opaque only in their last row.
    std::string big = {static_cast<char>(0xE8), 3, static_cast<char>(0xE8), 3};
    big += std::string(500 * 999, '\0') + std::string(500, '\x11');
    std::string cnf = "(2000,1000)\n#0 a.cel\n#1 b.cel\n$0 0,0 1000,0\n;@EventHandler\n;@press(#0) moveto(#1, 0, 0)\n";
    for (int i = 0; i < 100; ++i) cnf += ";@collide(\"a.cel\", \"b.cel\") add(C, C, 1)\n";
    std::vector<kiss::Note> problems;
    Doll touching = Doll::Load(cnf, [&](const std::string&) { return std::optional<std::string>(big); }, problems);
    touching.Start();
    Click(touching, 5, 999);
    EXPECT_EQ(touching.Place(1), (Position{0, 0}));
    EXPECT_GT(touching.Variable("C"), 0);
    EXPECT_LT(touching.Variable("C"), 100) << "the tests past the bound were not made";
}

TEST(FkissPlay, VariablesArithmeticConditionsAndSubroutines) {
    Doll d = Make(
        ";@initialize() let(A, 7) sub(B, A, 10) mul(C, A, 6) div(D, 45, A) mod(E, 45, A)\n"
        ";@  random(R, 3, 5) add(M, 2147483647, 1) div(Z, 1, 0)\n"
        ";@  ifequal(A, 7) let(F, 1) ifnotequal(B, -3) let(F, 2) else() add(F, F, 10) endif()\n"
        ";@  elseifequal(A, 7) let(F, 99) else() let(F, 98) endif()\n"
        ";@  iflessthan(A, 0) let(G, 1) elseifgreaterthan(A, 6) let(G, 2) else() let(G, 3) endif()\n"
        ";@  gosub(5) add(H, H, 1) gosub(6) let(H, 100)\n"
        ";@label(5) let(H, 10) exitevent() let(H, 20)\n"
        ";@label(6) add(I, I, 1)\n"
        ";@overflow() add(O, O, 1)\n"
        ";@begin() letobjectx(X, #3) letobjecty(Y, #3) letfix(K, #1) letmapped(U, \"c.cel\")\n"
        ";@  lettransparent(T, #3) letset(V) letinitx(W, #2) letinside(N, #0, #3) letcollide(Q, \"a.cel\", \"d.cel\")\n");
    d.Start();
    EXPECT_EQ(d.Variable("B"), -3);
    EXPECT_EQ(d.Variable("C"), 42);
    EXPECT_EQ(d.Variable("D"), 6);
    EXPECT_EQ(d.Variable("E"), 3);
    EXPECT_GE(d.Variable("R"), 3);
    EXPECT_LE(d.Variable("R"), 5);
    EXPECT_EQ(d.Variable("M"), 2147483647) << "held at the limit";
    EXPECT_EQ(d.Variable("O"), 2) << "overflow ran for the sum and the division by zero";
    EXPECT_EQ(d.Variable("F"), 11);
    EXPECT_EQ(d.Variable("G"), 2);
    EXPECT_EQ(d.Variable("H"), 10) << "exitevent in a subroutine ends the whole event";
    EXPECT_EQ(d.Variable("I"), 0);
    EXPECT_EQ(d.Variable("X"), 60);
    EXPECT_EQ(d.Variable("Y"), 0);
    EXPECT_EQ(d.Variable("K"), 2);
    EXPECT_EQ(d.Variable("U"), 0);
    EXPECT_EQ(d.Variable("T"), 100);
    EXPECT_EQ(d.Variable("V"), 0);
    EXPECT_EQ(d.Variable("W"), 40);
    EXPECT_EQ(d.Variable("N"), 0);
    EXPECT_EQ(d.Variable("Q"), 0);
}

TEST(FkissPlay, MovesPairEventsTimedConditionsAndWhatTheViewerIsAskedFor) {
    Doll d = Make(
        ";@press(#0) move(#3, -55, 0)\n"  // #3 onto #0
        ";@collide(\"a.cel\", \"d.cel\") add(C, C, 1)\n;@in(#0, #3) add(I, I, 1)\n"
        ";@stillin(#3, #0) add(S, S, 1)\n;@apart(\"d.cel\", \"a.cel\") add(P, P, 1)\n"
        ";@out(#0, #3) add(O, O, 1)\n;@stillout(#0, #3) add(T, T, 1)\n"
        ";@press(#3) moveto(#3, 60, 0) iffixed(#1, 4, 10) ifnotmapped(\"c.cel\", 5, 20) ifmoved(#3, 6, 30)\n"
        ";@  transparent(#3, -60) notify(\"hello\") sound(\"gone.wav\") music() sound(\"bell.wav\") music(\"song.mid\")\n");
    d.Start();
    Click(d, 5, 5);
    EXPECT_EQ(d.Place(3), (Position{5, 0}));
    EXPECT_EQ(d.Variable("C"), 1);
    EXPECT_EQ(d.Variable("I"), 1);
    EXPECT_EQ(d.Variable("S"), 1);
    EXPECT_EQ(d.Variable("T"), 0);
    // Where #3 lies over #0 alone, pressing it moves it back.
    Click(d, 12, 5);
    EXPECT_EQ(d.Place(3), (Position{60, 0}));
    EXPECT_EQ(d.Variable("P"), 1);
    EXPECT_EQ(d.Variable("O"), 1);
    EXPECT_EQ(d.Variable("T"), 1);
    EXPECT_EQ(d.Translucency(3), 40);
    ASSERT_TRUE(d.NextAlarm());
    EXPECT_EQ(*d.NextAlarm(), d.Now() + 10) << "iffixed and ifnotmapped set their alarms; #3 is back home";
    kiss::Effects e = d.TakeEffects();
    EXPECT_EQ(e.notice, std::optional<std::string>("hello"));
    EXPECT_EQ(e.sounds, (std::vector<std::string>{"bell.wav", "song.mid"})) << "music() silenced what came before";
    EXPECT_TRUE(e.silence);
    EXPECT_FALSE(e.quit);
    // A user's drag fires the pair events once, at the release.
    Click(d, 65, 5, Position{3, 3});
    EXPECT_EQ(d.Variable("I"), 2);
    EXPECT_EQ(d.Variable("S"), 2);
}

TEST(FkissPlay, ChangesOfSetAndGroupAndTheDrawingOfUnmappedAndTranslucentCels) {
    Doll d = Make(";@press(#0) changeset(1) unmap(#0)\n;@set(1) changecol(2) let(G, 1)\n;@col(2) quit()\n");
    d.Start();
    kiss::Picture p = kiss::Compose(d);
    ASSERT_EQ(p.width, 100);
    const uint32_t grey = 0xFF111111u, white = 0xFFFFFFFFu;  // colour 1 without a palette; no palette: white field
    EXPECT_EQ(p.argb[5 * 100 + 5], grey);
    EXPECT_EQ(p.argb[5 * 100 + 45], white) << "c.cel starts unmapped";
    const uint32_t glass = p.argb[5 * 100 + 65];  // 100 of 255 translucent over white
    EXPECT_NEAR(glass & 0xFF, (0x11 * 155 + 255 * 100) / 255, 1);

    Click(d, 5, 5);
    EXPECT_EQ(d.currentSet(), 1);
    EXPECT_EQ(d.PaletteGroup(), 2);
    EXPECT_EQ(d.Variable("G"), 1);
    const kiss::Effects e = d.TakeEffects();
    EXPECT_TRUE(e.setChanged);
    EXPECT_TRUE(e.quit);
    p = kiss::Compose(d);
    EXPECT_EQ(p.argb[5 * 100 + 5], white) << "unmapped in every set";
}

TEST(FkissPlay, QueriesGhostsAltmapAndRandomMoves) {
    Doll d = Make(
        ";@initialize() ghost(#0, 1) altmap(\"c.cel\") altmap(#3) altmap(#3) timer(9, 500) setfix(#1, 32767)\n"
        ";@  gosubrandom(100, 1, 2) gotorandom(0, 1, 2)\n"
        ";@catch(#1) let(K, 1)\n"
        ";@label(1) add(L, L, 1)\n;@label(2) add(L, L, 10)\n"
        ";@press(#2) letcatch(C) letmousex(X) letmousey(Y) lettimer(T, 9) letpal(P)\n"
        ";@  moverandx(#2, -5, 5) moverandy(#2, 3, 3) movetorand(#1)\n"
        ";@press(#3) moveto(#3, 2147483647, 0) move(#3, 99, 0) letcollide(V, #3, #0)\n"
        ";@  moverandy(#3, -2147483647, 2147483647) sub(M, -2147483647, 1) random(R, M, 2147483647)\n");
    d.SetNow(100);
    d.Start();
    EXPECT_EQ(d.Variable("L"), 11) << "a certain gosub to 1, a jump to 2";
    EXPECT_TRUE(d.Visible(2));
    EXPECT_TRUE(d.Visible(3));
    EXPECT_EQ(d.Press(5, 5).object, -1) << "a ghost is not hit";
    d.Release();
    for (int i = 0; i < 3; ++i) Click(d, 25, 5);
    EXPECT_EQ(d.FixLeft(1), Doll::kMaxFix) << "the greatest fix value never wears off";
    EXPECT_EQ(d.Variable("K"), 0) << "nor is such an object caught";
    d.SetNow(300);
    Click(d, 43, 7);
    EXPECT_EQ(d.Variable("C"), 2);
    EXPECT_EQ(d.Variable("X"), 43);
    EXPECT_EQ(d.Variable("Y"), 7);
    EXPECT_EQ(d.Variable("T"), 300);
    EXPECT_EQ(d.Variable("P"), 0);
    const Position moved = *d.Place(2);
    EXPECT_GE(moved.x, 35);
    EXPECT_LE(moved.x, 45);
    EXPECT_EQ(moved.y, 3);
    const Position anywhere = *d.Place(1);
    EXPECT_TRUE(anywhere.x >= 0 && anywhere.x < 100 && anywhere.y >= 0 && anywhere.y < 100);
    // A script's farthest places are kept where sums with cel sizes fit an
    // int (the sanitizer build tells), out of sight; a random move over the
    // whole range of numbers is not always its lowest.
    std::set<int> drawn;
    for (int i = 0; i < 4; ++i) {
        Click(d, 65, 5);
        EXPECT_GT(d.Place(3)->x, 100);
        drawn.insert(d.Variable("R"));
        kiss::Compose(d);
        d.MoveObject(3, {60, 0});
    }
    EXPECT_GT(drawn.size(), 1u);
}

TEST(Wave, PlainPcmIsReadAndEverythingElseRefused) {
    auto wave = [](uint16_t format, uint16_t channels, uint16_t bits, const std::string& samples, int cut = 0) {
        auto le = [](uint32_t v, int n) {
            std::string s;
            for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
            return s;
        };
        std::string fmt = le(format, 2) + le(channels, 2) + le(8000, 4) + le(8000 * channels * bits / 8, 4) +
                          le(channels * bits / 8, 2) + le(bits, 2);
        std::string body = "WAVE" + std::string("LIST") + le(3, 4) + "abc" + '\0' + "fmt " + le(16, 4) + fmt + "data" +
                           le(static_cast<uint32_t>(samples.size()), 4) + samples;
        body.resize(body.size() - cut);
        return "RIFF" + le(static_cast<uint32_t>(body.size()), 4) + body;
    };
    const std::string stereo16 = wave(1, 2, 16, std::string(40, 'x'));
    const auto w = kiss::ReadWave(stereo16);
    ASSERT_TRUE(w) << "an odd-sized chunk before the format is passed over";
    EXPECT_EQ(w->channels, 2);
    EXPECT_EQ(w->bitsPerSample, 16);
    EXPECT_EQ(w->sampleRate, 8000);
    EXPECT_EQ(w->samples, std::string(40, 'x'));
    // Cut short: whole frames of what is there.
    const std::string cut = wave(1, 2, 16, std::string(40, 'x'), 3);
    ASSERT_TRUE(kiss::ReadWave(cut));
    EXPECT_EQ(kiss::ReadWave(cut)->samples.size(), 36u);
    EXPECT_FALSE(kiss::ReadWave(wave(2, 1, 16, "xx"))) << "compressed";
    EXPECT_FALSE(kiss::ReadWave(wave(1, 3, 8, "xxx"))) << "three channels";
    EXPECT_FALSE(kiss::ReadWave(wave(1, 1, 24, "xxx")));
    EXPECT_FALSE(kiss::ReadWave("RIFF\x04\0\0\0WAVE"));
    EXPECT_FALSE(kiss::ReadWave(std::string("RIFF\0\0\0\0WAVEdata\xFF\xFF\xFF\xFF", 20))) << "no format";
}
