#include "settings/ini_lex.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using testsupport::TempFolder;
using namespace std::string_literals;

namespace {

// The tokens of `bytes`, one per entry: W(word) N(text=value) C(char)
// S(section) L (line end) E (end of input); reading stops at the first E.
std::string Tokens(const std::string& bytes) {
    TempFolder dir;
    testsupport::WriteBytes(dir.file("t.ini"), bytes);
    IniLEX lex;
    if (lex.Open("t.ini") != 0) return "not opened";
    std::string out;
    for (int guard = 0; guard < 1000; ++guard) {
        uint16_t kind = lex.NextToken();
        EXPECT_EQ(kind, lex.kind);
        EXPECT_EQ(static_cast<size_t>(lex.length), std::strlen(lex.text) + (kind == TK_CHAR && lex.text[0] == 0));
        std::string text(lex.text, static_cast<size_t>(lex.length));
        if (!out.empty()) out += ' ';
        switch (kind) {
        case TK_EOF: return out + "E";
        case TK_EOL: out += "L"; break;
        case TK_WORD: out += "W(" + text + ")"; break;
        case TK_CHAR: out += "C(" + text + ")"; break;
        case TK_SECTION: out += "S(" + text + ")"; break;
        case TK_NUM: out += "N(" + text + "=" + std::to_string(lex.value) + ")"; break;
        default: out += "?"; break;
        }
    }
    return out + " (no end)";
}

}  // namespace

TEST(IniLex, KeyLinesCommentsAndOtherCharacters) {
    EXPECT_EQ(Tokens("KISSDIR = C:\\KISS\\\r\n"), "W(KISSDIR) C(=) W(C:\\KISS\\) L E");
    EXPECT_EQ(Tokens("KISSDIR=C:\\KISS\\\n"), "W(KISSDIR) C(=) W(C:\\KISS\\) L E");
    EXPECT_EQ(Tokens("\tkey\t  value  \n\n"), "W(key) W(value) L L E");
    EXPECT_EQ(Tokens("; a comment\nkey ;old value\nx"), "L W(key) L W(x) E");
    EXPECT_EQ(Tokens("a;b c=d"), "W(a;b) W(c) C(=) W(d) E");  // ";" inside a word
    EXPECT_EQ(Tokens("\\x .5 -4 = ] ~"), "C(\\) W(x) C(.) N(5=5) C(-) N(4=4) C(=) C(]) C(~) E");
    EXPECT_EQ(Tokens("; comment at the end"), "E");
    EXPECT_EQ(Tokens(""), "E");
    EXPECT_EQ(Tokens("a\0b"s), "W(a) C(\0) W(b) E"s);  // NUL is a control character
}

TEST(IniLex, NumbersInEveryBaseAndWordsThatLookLikeNumbers) {
    EXPECT_EQ(Tokens("12 12h 1010b 17o 99t 0FFh 1fh 7T 0"),
              "N(12=12) N(12h=18) N(1010b=10) N(17o=15) N(99t=99) N(0FFh=255) N(1fh=31) N(7T=7) N(0=0) E");
    EXPECT_EQ(Tokens("12x 2b 8o 12ab 1A 9.5 3\x82\x60"), "W(12x) W(2b) W(8o) W(12ab) W(1A) W(9.5) W(3\x82\x60) E");
    // 32-bit arithmetic: wraps modulo 2^32.
    EXPECT_EQ(Tokens("4294967295 4294967296 4294967297 FFFFFFFFFh"), "N(4294967295=4294967295) N(4294967296=0) N(4294967297=1) W(FFFFFFFFFh) E");
    EXPECT_EQ(Tokens("1FFFFFFFFh"), "N(1FFFFFFFFh=4294967295) E");
}

TEST(IniLex, QuotedCharacterConstants) {
    EXPECT_EQ(Tokens("'A' 'AB' 'ABCD' 'ABCDE' ''"), "N(=65) N(=16706) N(=1094861636) N(=1111704645) N(=0) E");
    // An LF ends an open constant and stays as the line end; so does the end.
    EXPECT_EQ(Tokens("'ab\nx 'c"), "N(=24930) L W(x) N(=99) E");
    EXPECT_EQ(Tokens("'\xFF\x81'"), "N(=65409) E");  // bytes count unsigned
}

TEST(IniLex, CarriageReturnsAreDroppedWhereverTheyStand) {
    EXPECT_EQ(Tokens("a\r\nb\n"), "W(a) L W(b) L E");
    EXPECT_EQ(Tokens("a\rb"), "W(a) W(b) E");                  // a lone CR vanishes
    EXPECT_EQ(Tokens("\r\r\n"), "C(\r) L E");                   // the second one is taken as it is
    EXPECT_EQ(Tokens(" \r x"), "C( ) W(x) E");                  // so is a blank after a CR
    EXPECT_EQ(Tokens("a\r"), "W(a) E");
}

TEST(IniLex, CtrlZEndsTheInputAnywhere) {
    EXPECT_EQ(Tokens("a\x1A b\n"), "W(a) E");
    EXPECT_EQ(Tokens("ab\x1A" "cd\n"), "W(ab) E");
    EXPECT_EQ(Tokens("12\x1A" "3"), "N(12=12) E");
    EXPECT_EQ(Tokens("'a\x1A" "b'"), "N(=97) E");
    EXPECT_EQ(Tokens("; x\x1A\nb"), "E");
    EXPECT_EQ(Tokens("\r\x1A\nb"), "E");
    EXPECT_EQ(Tokens("[\x1A]"), "S() E");
    EXPECT_EQ(Tokens("[ab\x1A]"), "S(ab) E");
    EXPECT_EQ(Tokens("\x1A"), "E");
    // A Ctrl-Z in the place of a second byte still ends the input.
    EXPECT_EQ(Tokens("a\x81\x1A" "b"), "W(a\x81) E");
}

TEST(IniLex, SectionHeaders) {
    EXPECT_EQ(Tokens("[FilePaths]\r\n"), "S(FilePaths) L E");
    EXPECT_EQ(Tokens("[ FilePaths]"), "S( FilePaths) E");
    EXPECT_EQ(Tokens("[abc\nx"), "S(abc) L W(x) E");      // no closing bracket
    EXPECT_EQ(Tokens("[a b]"), "S(a) W(b) C(]) E");
    EXPECT_EQ(Tokens("[x] k=1"), "S(x) W(k) C(=) N(1=1) E");  // the rest of the line goes on
    // The first byte of the name is taken whatever it is.
    EXPECT_EQ(Tokens("[]\r\n"), "S(]) L E");
    EXPECT_EQ(Tokens("[=a]"), "S(=a) E");
    EXPECT_EQ(Tokens("[\nx]"), "S(\nx) E");
    EXPECT_EQ(Tokens("["), "S() E");
    EXPECT_EQ(Tokens("[[a]]"), "S([a) C(]) E");
}

TEST(IniLex, DoubleByteCharactersStayWholeInsideWords) {
    // Long vowel mark 0x81 0x5B and "ze" 0x83 0x5B end in "["; 0x83 0x5D in "]".
    EXPECT_EQ(Tokens("A\x81\x5B" "B ]"), "W(A\x81[B) C(]) E");
    EXPECT_EQ(Tokens("[\x83\x5B\x83\x8B]\r\n"), "S(\x83[\x83\x8B) L E");
    EXPECT_EQ(Tokens("[a\x83\x5D]"), "S(a\x83]) E");
    EXPECT_EQ(Tokens("\x81\x5D]"), "W(\x81]) C(]) E");  // lead byte first in the word
    // The byte after a second byte starts a new character: 0x81 0x81 is one
    // character, then 0x81 "=" another.
    EXPECT_EQ(Tokens("\x81\x81\x81=x"), "W(\x81\x81\x81=x) E");
    EXPECT_EQ(Tokens("\x81\x81" "a=x"), "W(\x81\x81" "a) C(=) W(x) E");
    // Half-width katakana are single bytes: "[" after one ends the word.
    EXPECT_EQ(Tokens("\xB1[x]"), "W(\xB1) S(x) E");
    // A lead byte as the very last byte of the file or of a line.
    EXPECT_EQ(Tokens("ab\x81"), "W(ab\x81) E");
    EXPECT_EQ(Tokens("ab\x81\r\nc"), "W(ab\x81\r) L W(c) E");
    EXPECT_EQ(Tokens("ab\x81\nc d"), "W(ab\x81\nc) W(d) E");
    EXPECT_EQ(Tokens("a\xFC  \x80"), "W(a\xFC ) W(\x80) E");  // a blank as second byte
}

TEST(IniLex, SkipLineAndTheEndStayPut) {
    TempFolder dir;
    testsupport::WriteBytes(dir.file("t.ini"), "first line\nsecond\n");
    IniLEX lex;
    ASSERT_EQ(lex.Open("t.ini"), 0);
    EXPECT_EQ(lex.SkipLine(), TK_EOL);  // nothing held yet
    EXPECT_EQ(lex.NextToken(), TK_WORD);
    EXPECT_STREQ(lex.text, "second");
    EXPECT_EQ(lex.SkipLine(), TK_EOL);  // the LF held after the word
    EXPECT_EQ(lex.SkipLine(), TK_EOF);
    EXPECT_EQ(lex.kind, TK_EOF);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lex.NextToken(), TK_EOF);
}

TEST(IniLex, OpenFailureSaysSoOnStandardOutput) {
    TempFolder dir;
    IniLEX lex;
    testing::internal::CaptureStdout();
    EXPECT_EQ(lex.Open("missing.ini"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't open the file");
    EXPECT_EQ(lex.NextToken(), TK_EOF);

    // A file held open by another reader cannot be opened either.
    testsupport::WriteBytes(dir.file("held.ini"), "a\n");
    BUFFILE holder;
    ASSERT_TRUE(holder.OpenRead("held.ini"));
    testing::internal::CaptureStdout();
    EXPECT_EQ(lex.Open("held.ini"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can't open the file");
    holder.Close();
    EXPECT_EQ(lex.Open("held.ini"), 0);
    EXPECT_EQ(lex.NextToken(), TK_WORD);
}

TEST(IniToken, DescribeFormatsEveryKindWithinTheBuffer) {
    IniToken t;
    auto describe = [&](uint16_t kind, uint32_t value, const char* text) {
        t.kind = kind;
        t.value = value;
        t.text = text;
        char buf[64];
        int n = t.Describe(buf, sizeof buf);
        EXPECT_EQ(n, static_cast<int>(std::strlen(buf)));
        return std::string(buf);
    };
    EXPECT_EQ(describe(TK_EOF, 0, ""), "[EOF]");
    EXPECT_EQ(describe(TK_EOL, 0, ""), "[\\n]\n");
    EXPECT_EQ(describe(TK_NUM, 4294967295u, "FFFFFFFFh"), "<4294967295>");
    EXPECT_EQ(describe(TK_WORD, 0, "C:\\KISS"), "<C:\\KISS>");
    EXPECT_EQ(describe(TK_CHAR, 0, "="), "\xA2=\xA3");  // half-width corner brackets
    EXPECT_EQ(describe(TK_SECTION, 0, "FilePaths"), "[FilePaths]");
    EXPECT_EQ(describe(0, 0, ""), "[??0x0000??]");
    EXPECT_EQ(describe(0xF600, 0, ""), "[??0xf600??]");

    // A short buffer gets as much as fits and its zero, and not a byte more.
    std::string longWord(300, 'w');
    t.kind = TK_WORD;
    t.text = longWord.c_str();
    char buf[16];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(t.Describe(buf, 8), 302);
    EXPECT_STREQ(buf, "<wwwwww");
    for (size_t i = 8; i < sizeof buf; ++i) EXPECT_EQ(buf[i], '#');
    EXPECT_EQ(t.Describe(buf, 0), 302);  // size 0 writes nothing
    EXPECT_EQ(buf[0], '<');
    EXPECT_EQ(t.Describe(nullptr, 0), 302);
}
