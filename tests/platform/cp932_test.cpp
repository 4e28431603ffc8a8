#include "platform/cp932.h"
#include "platform/os_path.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Cp932, RoundTripsTextsWithBackslashTrailBytes) {
    // "ソ表ﾌｧｲﾙ～＼" in cp932: two trail bytes are 0x5C.
    const std::string cp932 = "\x83\x5C\x95\x5C\xCC\xA7\xB2\xD9\x81\x60\x81\x5F";
    auto utf8 = Cp932ToUtf8(cp932);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(*utf8, reinterpret_cast<const char*>(u8"ソ表ﾌｧｲﾙ～＼"));
    auto back = Utf8ToCp932(*utf8);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, cp932);
}

TEST(Cp932, UnconvertibleTextIsAnErrorNotAQuestionMark) {
    EXPECT_FALSE(Cp932ToUtf8("ab\x80"));          // 0x80 has no character
    EXPECT_FALSE(Cp932ToUtf8("ab\x83"));          // lead byte cut off at the end
    EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80"));  // an emoji has no cp932 form
    EXPECT_FALSE(Utf8ToCp932("\xC3"));            // broken UTF-8
    EXPECT_EQ(Cp932ToUtf8ForDisplay("a\x80z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(*Cp932ToUtf8(""), "");
}

TEST(OsPath, OnlySingleByteBackslashIsASeparator) {
    // Z:\ソ\a.lzh: the "\" inside ソ (0x83 0x5C) stays, the separators turn.
    auto os = ToOsPath("Z:\\\x83\x5C\\a.lzh");
    ASSERT_TRUE(os);
    EXPECT_EQ(*os, std::string("/") + reinterpret_cast<const char*>(u8"ソ") + "/a.lzh");
    auto back = FromOsPath(*os);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, "Z:\\\x83\x5C\\a.lzh");
    EXPECT_FALSE(ToOsPath("bad\x80name"));
    EXPECT_FALSE(FromOsPath("\xF0\x9F\x98\x80.txt"));
}
