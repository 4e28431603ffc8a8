// The edit-mask engine: parsing, fitting, stepping, typing and validation.
#include "framework/edit_mask.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

MaskedText Fitted(const char* mask, std::string_view text) {
    MaskedText t{EditMask(mask)};
    t.SetText(text);
    return t;
}

TEST(EditMask, ParsesTheThreeParts) {
    EditMask id("AAA00000;1;_");
    EXPECT_EQ(id.Length(), 8u);
    EXPECT_TRUE(id.SaveLiterals());
    EXPECT_EQ(id.Blank(), "_");
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(id.IsEditable(i));
        EXPECT_TRUE(id.At(i).required);
    }
    EXPECT_EQ(id.At(2).kind, EditMask::Kind::AlphaNum);
    EXPECT_EQ(id.At(3).kind, EditMask::Kind::Digit);

    EditMask date("!0000/99/99;1;_");
    EXPECT_EQ(date.Length(), 10u);
    EXPECT_TRUE(date.LeadingBlanks());
    EXPECT_FALSE(date.IsEditable(4));
    EXPECT_EQ(date.At(4).literal, "/");
    EXPECT_TRUE(date.At(3).required);
    EXPECT_FALSE(date.At(5).required);
    EXPECT_FALSE(date.At(9).required);

    EditMask other("\\A_c;0;*");
    EXPECT_EQ(other.Length(), 3u);
    EXPECT_EQ(other.At(0).literal, "A");
    EXPECT_EQ(other.At(1).literal, " ");
    EXPECT_EQ(other.At(2).kind, EditMask::Kind::AnyChar);
    EXPECT_FALSE(other.SaveLiterals());
    EXPECT_EQ(other.Blank(), "*");

    // Only the mask: literals saved, "_" blank.  Extra ";" stay in the mask.
    EXPECT_TRUE(EditMask("00").SaveLiterals());
    EXPECT_EQ(EditMask("00").Blank(), "_");
    EditMask semi("00;00;0;*");
    EXPECT_EQ(semi.Length(), 5u);
    EXPECT_EQ(semi.At(2).literal, ";");
    EXPECT_FALSE(semi.SaveLiterals());
    EXPECT_EQ(EditMask("0\\;0").At(1).literal, ";");

    EXPECT_TRUE(EditMask("").Empty());
    EXPECT_TRUE(EditMask(";1;_").Empty());
}

TEST(EditMask, DoubleByteCharactersAreOnePosition) {
    // "ソ" is 0x83 0x5C: its second byte must not act as an escape.
    EditMask m("00ソ00年;1;＿");
    ASSERT_EQ(m.Length(), 6u);
    EXPECT_EQ(m.At(2).literal, "ソ");
    EXPECT_EQ(m.At(5).literal, "年");
    EXPECT_EQ(m.Blank(), "＿");
    EXPECT_EQ(Fitted("00ソ00年;1;＿", "").DisplayText(), "＿＿ソ＿＿年");

    EXPECT_EQ(SplitCp932("aソ\\表"), (std::vector<std::string>{"a", "ソ", "\\", "表"}));
    // A lead byte without a second byte, or with a byte that cannot follow
    // it, is a broken one-byte character.
    EXPECT_EQ(SplitCp932("a\x82"), (std::vector<std::string>{"a", "\x82"}));
    EXPECT_EQ(SplitCp932("\x82\x0A"), (std::vector<std::string>{"\x82", "\x0A"}));

    // A broken lead byte in a mask is no character: it shows as "?" and
    // cannot join the next position's byte in the field's text.
    EditMask broken("\x82>A;1;\x82");
    ASSERT_EQ(broken.Length(), 2u);
    EXPECT_EQ(broken.At(0).literal, "?");
    EXPECT_EQ(broken.Blank(), "_");
    EXPECT_EQ(Fitted("\x82>A;1;_", "?b").EditText(), "?B");
    EXPECT_EQ(EditMask("\\\x82" "0").At(0).literal, "?");  // escaped, too

    MaskedText t = Fitted("CCC;1;_", "日本語です");
    EXPECT_EQ(t.EditText(), "日本語");
    t = Fitted("CCC;1;_", "ab\x82");
    EXPECT_EQ(t.EditText(), "ab ");
    EXPECT_TRUE(t.IsBlank(2));
    ASSERT_TRUE(t.Type(1, "表"));
    EXPECT_EQ(t.EditText(), "a表 ");
}

TEST(EditMask, ClassifiesCharacters) {
    EditMask m("0#LAC");
    EXPECT_TRUE(m.Accepts(0, "7"));
    EXPECT_FALSE(m.Accepts(0, "+"));
    EXPECT_FALSE(m.Accepts(0, "１"));  // full-width digits are no digits here
    EXPECT_TRUE(m.Accepts(1, "-"));
    EXPECT_TRUE(m.Accepts(1, "+"));
    EXPECT_FALSE(m.Accepts(1, "x"));
    for (const char* letter : {"q", "Z", "ｱ", "ア", "あ", "漢", "Ａ", "ー", "Ω"}) EXPECT_TRUE(m.Accepts(2, letter)) << letter;
    for (const char* other : {"1", "_", "、", "１", "｡", "─"}) EXPECT_FALSE(m.Accepts(2, other)) << other;
    EXPECT_TRUE(m.Accepts(3, "１"));
    EXPECT_TRUE(m.Accepts(3, "9"));
    EXPECT_FALSE(m.Accepts(3, "/"));
    EXPECT_TRUE(m.Accepts(4, "、"));
    EXPECT_TRUE(m.Accepts(4, "~"));
    EXPECT_FALSE(m.Accepts(4, "\t"));
    EXPECT_FALSE(m.Accepts(4, "\x7F"));
    EXPECT_FALSE(m.Accepts(4, "\x80"));
    EXPECT_FALSE(m.Accepts(4, "\x82"));  // a broken double-byte character
    EXPECT_FALSE(m.Accepts(5, "1"));     // past the end
}

TEST(EditMask, FitsEmptyAndCompleteTexts) {
    EXPECT_EQ(Fitted("AAA00000;1;_", "").EditText(), "        ");
    EXPECT_EQ(Fitted("AAA00000;1;_", "").DisplayText(), "________");
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "").EditText(), "    /  /  ");
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "").DisplayText(), "____/__/__");

    // A masked text is taken as it stands (the field's text survives a
    // round trip through a grid cell).
    for (const char* text : {"ABC12345", "ab 12 45"}) EXPECT_EQ(Fitted("AAA00000;1;_", text).EditText(), text);
    for (const char* text : {"1997/05/12", "1997/ 5/ 3", "1997/5 /  ", "    /  /  "})
        EXPECT_EQ(Fitted("!0000/99/99;1;_", text).EditText(), text);

    // Characters a position does not take leave it blank.
    EXPECT_EQ(Fitted("AAA00000;1;_", "AB-12x45").EditText(), "AB 12 45");
    EXPECT_EQ(Fitted(">LLL;1;_", "abc").EditText(), "ABC");
    EXPECT_EQ(Fitted("<LL<>L;1;_", "ABC").EditText(), "abC");
}

TEST(EditMask, FitsOtherTextsGroupByGroup) {
    // Literals in the text end a group early; "!" right-aligns each group.
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "1997/5/3").EditText(), "1997/ 5/ 3");
    EXPECT_EQ(Fitted("0000/99/99;1;_", "1997/5/3").EditText(), "1997/5 /3 ");
    // A text without its literals fills the groups in turn.
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "19970512").EditText(), "1997/05/12");
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "97").EditText(), "  97/  /  ");
    EXPECT_EQ(Fitted("0000/99/99;1;_", "97").EditText(), "97  /  /  ");
    // An overlong group loses its surplus: "!" keeps its last characters
    // (so a doubled century prefix falls away), otherwise the first ones.
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "191997/05/12").EditText(), "1997/05/12");
    EXPECT_EQ(Fitted("0000/99/99;1;_", "191997/05/12").EditText(), "1919/05/12");
    EXPECT_EQ(Fitted("AAA00000;1;_", "ABC123456").EditText(), "ABC12345");
    EXPECT_EQ(Fitted("AAA00000;1;_", "AB").EditText(), "AB      ");
    EXPECT_EQ(Fitted("00-00-00;1;_", "12345678").EditText(), "12-34-56");

    // Without saved literals the text holds the editable positions only.
    MaskedText t = Fitted("!0000/99/99;0;_", "19970512");
    EXPECT_EQ(t.EditText(), "1997/05/12");
    EXPECT_EQ(t.Text(), "19970512");
    EXPECT_EQ(Fitted("!0000/99/99;0;_", "").Text(), "        ");
    EXPECT_EQ(Fitted("0000/99/99;0;_", "1997/5").EditText(), "1997/ 5/  ");  // "/" is no digit
    EXPECT_EQ(Fitted("0000/99/99;0;_", "1997/ 5/ 3").Text(), "1997 5 3");    // a masked text as it stands
    EXPECT_EQ(Fitted("0000/99/99;0;_", "1997 5 3").EditText(), "1997/ 5/ 3");

    // No mask: the text is kept whole.
    MaskedText plain = Fitted("", "any ソ text");
    EXPECT_EQ(plain.Text(), "any ソ text");
    EXPECT_EQ(plain.DisplayText(), "any ソ text");
}

TEST(EditMask, StepsOverLiterals) {
    EditMask m("!0000/99/99;1;_");
    EXPECT_EQ(m.NextEditable(0), 0u);
    EXPECT_EQ(m.NextEditable(4), 5u);
    EXPECT_EQ(m.NextEditable(7), 8u);
    EXPECT_EQ(m.NextEditable(10), 10u);
    EXPECT_EQ(m.NextEditable(99), 10u);
    EXPECT_EQ(m.PrevEditable(5), std::optional<size_t>(3));
    EXPECT_EQ(m.PrevEditable(8), std::optional<size_t>(6));
    EXPECT_EQ(m.PrevEditable(10), std::optional<size_t>(9));
    EXPECT_EQ(m.PrevEditable(0), std::nullopt);
    EXPECT_EQ(m.GroupEnd(5), 7u);
    EXPECT_EQ(m.GroupEnd(9), 10u);

    EditMask lit("(000)");
    EXPECT_EQ(lit.NextEditable(0), 1u);
    EXPECT_EQ(lit.NextEditable(4), 5u);
    EXPECT_EQ(lit.PrevEditable(1), std::nullopt);
}

TEST(EditMask, TypesOverwritingPositions) {
    MaskedText t{EditMask("!0000/99/99;1;_")};
    size_t caret = 0;
    std::vector<size_t> carets;
    for (const char* ch : {"1", "9", "9", "7", "0", "5", "1", "2"}) {
        auto next = t.Type(caret, ch);
        ASSERT_TRUE(next) << ch;
        caret = *next;
        carets.push_back(caret);
    }
    EXPECT_EQ(t.EditText(), "1997/05/12");
    EXPECT_EQ(carets, (std::vector<size_t>{1, 2, 3, 5, 6, 8, 9, 10}));
    EXPECT_EQ(t.Type(10, "1"), std::nullopt);  // no position left

    // A refused character changes nothing.
    EXPECT_EQ(t.Type(0, "x"), std::nullopt);
    EXPECT_EQ(t.EditText(), "1997/05/12");

    // Typing over, stepping with literals, a space blanks.
    EXPECT_EQ(t.Type(5, "5"), std::optional<size_t>(6));
    EXPECT_EQ(t.Type(6, "/"), std::optional<size_t>(8));  // on to the next group
    EXPECT_EQ(t.Type(4, "/"), std::optional<size_t>(5));  // the literal at the caret
    EXPECT_EQ(t.Type(8, " "), std::optional<size_t>(9));
    EXPECT_EQ(t.EditText(), "1997/55/ 2");
    EXPECT_EQ(t.Type(0, "/"), std::optional<size_t>(5));  // from anywhere in the year
    EXPECT_EQ(t.Type(9, "/"), std::nullopt);              // no literal after the day

    // Case conversion applies to typed text too.
    MaskedText c{EditMask(">LL<LL;1;_")};
    size_t at = 0;
    for (const char* ch : {"a", "b", "C", "D"}) at = *c.Type(at, ch);
    EXPECT_EQ(c.EditText(), "ABcd");
    MaskedText wide{EditMask(">L;1;_")};
    ASSERT_TRUE(wide.Type(0, "ａ"));
    EXPECT_EQ(wide.EditText(), "Ａ");

    EXPECT_FALSE(t.Overwrite(4, "1"));  // a literal
    EXPECT_TRUE(t.Overwrite(9, "8"));
    EXPECT_EQ(t.EditText(), "1997/55/ 8");
}

TEST(EditMask, InsertsDeletesAndClearsWithinAGroup) {
    MaskedText t = Fitted("AAA00000;1;_", "AB");
    ASSERT_TRUE(t.Insert(0, "x"));
    EXPECT_EQ(t.EditText(), "xAB     ");
    ASSERT_TRUE(t.Delete(0));
    EXPECT_EQ(t.EditText(), "AB      ");

    t = Fitted("AAA00000;1;_", "ABC1234");
    EXPECT_FALSE(t.Insert(0, "Z"));  // "C" cannot move onto a digit position
    EXPECT_EQ(t.EditText(), "ABC1234 ");
    t = Fitted("AAA00000;1;_", "ABC12345");
    EXPECT_FALSE(t.Insert(4, "9"));  // the group is full
    ASSERT_TRUE(t.Delete(0));        // digits may move onto "A" positions
    EXPECT_EQ(t.EditText(), "BC12345 ");

    MaskedText d = Fitted("0L;1;_", "1A");
    EXPECT_FALSE(d.Delete(0));  // "A" cannot move onto a digit position
    EXPECT_EQ(d.EditText(), "1A");

    // Groups end at literals: the shift stays inside the month.
    MaskedText date = Fitted("!0000/99/99;1;_", "1997/05/12");
    ASSERT_TRUE(date.Delete(5));
    EXPECT_EQ(date.EditText(), "1997/5 /12");
    ASSERT_TRUE(date.Insert(5, "0"));
    EXPECT_EQ(date.EditText(), "1997/05/12");
    EXPECT_FALSE(date.Delete(4));

    date.Clear(3, 9);
    EXPECT_EQ(date.EditText(), "199 /  / 2");
    date.Clear(0);
    EXPECT_EQ(date.DisplayText(), "_99_/__/_2");
}

TEST(EditMask, FindsTheFirstUnfilledRequiredPosition) {
    EXPECT_EQ(Fitted("AAA00000;1;_", "").FirstInvalid(), std::optional<size_t>(0));
    EXPECT_EQ(Fitted("AAA00000;1;_", "ABC1234").FirstInvalid(), std::optional<size_t>(7));
    EXPECT_EQ(Fitted("AAA00000;1;_", "A C12345").FirstInvalid(), std::optional<size_t>(1));
    EXPECT_EQ(Fitted("AAA00000;1;_", "ABC12345").FirstInvalid(), std::nullopt);
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "1997/  /  ").FirstInvalid(), std::nullopt);
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "199 /05/12").FirstInvalid(), std::optional<size_t>(3));
    EXPECT_EQ(Fitted("!0000/99/99;1;_", "").FirstInvalid(), std::optional<size_t>(0));
    EXPECT_EQ(Fitted("ccc", "").FirstInvalid(), std::nullopt);

    // Equal content compares equal; a change does not.
    MaskedText a = Fitted("!0000/99/99;1;_", "1997/05/12");
    MaskedText b = a;
    EXPECT_EQ(a, b);
    b.Clear(9);
    EXPECT_NE(a, b);
}

}  // namespace
}  // namespace ui
