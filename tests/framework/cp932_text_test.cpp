// Case-insensitive comparison and cutting of cp932 texts.
#include "framework/cp932_chars.h"

#include <gtest/gtest.h>

using ui::CompareTextCp932;
using ui::Cp932Prefix;
using ui::SameTextCp932;

TEST(Cp932Text, ComparisonIgnoresLetterCaseOnly) {
    EXPECT_TRUE(SameTextCp932("Apple", "aPPLE"));
    EXPECT_TRUE(SameTextCp932("ＡＢＣ", "ａｂｃ"));  // full-width Latin
    EXPECT_TRUE(SameTextCp932("ΩΑ", "ωα"));         // Greek
    EXPECT_TRUE(SameTextCp932("НОЯЁ", "нояё"));     // Cyrillic on both sides of the gap
    EXPECT_FALSE(SameTextCp932("ＡＢＣ", "ABC"));   // width counts
    EXPECT_FALSE(SameTextCp932("abc", "abd"));
    EXPECT_FALSE(SameTextCp932("ab", "abc"));
    // "ソ" is 0x83 0x5C and "ヌ" 0x83 0x7A; "・" 0x81 0x45: a second byte that
    // looks like an ASCII letter is not folded ("E" 0x45 against "e" 0x65
    // would make 0x81 0x45 equal to 0x81 0x65 "‘").
    EXPECT_FALSE(SameTextCp932("・", "\x81\x65"));
    EXPECT_FALSE(SameTextCp932("ソ", "ヌ"));
    EXPECT_TRUE(SameTextCp932("ソa", "ソA"));
    EXPECT_LT(CompareTextCp932("a", "B"), 0);
    EXPECT_GT(CompareTextCp932("b", "A"), 0);
    EXPECT_LT(CompareTextCp932("ab", "ABC"), 0);
    EXPECT_EQ(CompareTextCp932("", ""), 0);
}

TEST(Cp932Text, PrefixNeverSplitsADoubleByteCharacter) {
    EXPECT_EQ(Cp932Prefix("abc", 2), "ab");
    EXPECT_EQ(Cp932Prefix("abc", 10), "abc");
    EXPECT_EQ(Cp932Prefix("aソ", 2), "a");   // the 2-byte "ソ" does not fit
    EXPECT_EQ(Cp932Prefix("aソ", 3), "aソ");
    std::string long_(254, 'x');
    long_ += "表";  // bytes 254 and 255
    EXPECT_EQ(Cp932Prefix(long_, 255).size(), 254u);
    EXPECT_EQ(Cp932Prefix(long_, 256).size(), 256u);
}

TEST(Cp932Text, FinderMatchesWholeCharactersWithoutRegardToCase) {
    using ui::Cp932Finder;
    EXPECT_TRUE(Cp932Finder("doll").FoundIn("Sakura DOLL set"));
    EXPECT_TRUE(Cp932Finder("ＤＯＬＬ").FoundIn("夏のｄｏｌｌ"));          // full-width Latin
    EXPECT_TRUE(Cp932Finder("ｄｏｌｌ").FoundIn("ＤＯＬＬ"));
    EXPECT_TRUE(Cp932Finder("ωα").FoundIn("xΩΑ"));                         // Greek
    EXPECT_TRUE(Cp932Finder("ёя").FoundIn("ЁЯ"));                          // Cyrillic past the gap
    EXPECT_FALSE(Cp932Finder("ＤＯＬＬ").FoundIn("DOLL"));                  // width counts
    EXPECT_TRUE(Cp932Finder("着せ替え").FoundIn("ｻﾝﾌﾟﾙ着せ替え人形"));      // bytes searched as they are
    EXPECT_TRUE(Cp932Finder("ソa").FoundIn("xソAx"));
    // "\x5C" is the second byte of "ソ" (0x83 0x5C) and "E" that of "・"
    // (0x81 0x45): neither is found inside those characters.
    EXPECT_FALSE(Cp932Finder("\\").FoundIn("ソ"));
    EXPECT_FALSE(Cp932Finder("e").FoundIn("・"));
    EXPECT_TRUE(Cp932Finder("e").FoundIn("・E"));                           // the later, whole "E"
    // "ャ" (0x83 0x83) stands in "\x82\x83" "\x83\x40" only across two characters.
    EXPECT_FALSE(Cp932Finder("\x83\x83").FoundIn("\x82\x83\x83\x40"));
    EXPECT_TRUE(Cp932Finder("\x83\x83").FoundIn("\x82\x83\x83\x83"));
    EXPECT_FALSE(Cp932Finder("").FoundIn("abc"));
    EXPECT_FALSE(Cp932Finder("abcd").FoundIn("abc"));
    EXPECT_EQ(ui::FoldCaseCp932("AｂＣΩ"), "aｂｃω");
}
