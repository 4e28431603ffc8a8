// The folder and name parts of path texts, as the dialogs take them.
#include "settings/path_text.h"

#include <gtest/gtest.h>

TEST(PathText, TheFolderKeepsItsSeparatorOnlyAtARoot) {
    EXPECT_EQ(FolderOfPath("Z:\\KISS\\SET1\\A.LZH"), "Z:\\KISS\\SET1");
    EXPECT_EQ(FolderOfPath("Z:\\KISS\\A.LZH"), "Z:\\KISS");
    EXPECT_EQ(FolderOfPath("Z:\\A.LZH"), "Z:\\");
    EXPECT_EQ(FolderOfPath("\\A.LZH"), "\\");
    EXPECT_EQ(FolderOfPath("\\\\A.LZH"), "\\\\");
    EXPECT_EQ(FolderOfPath("Z:A.LZH"), "Z:");
    EXPECT_EQ(FolderOfPath("A.LZH"), "");
    EXPECT_EQ(FolderOfPath(""), "");
    EXPECT_EQ(FolderOfPath("SET1\\"), "SET1");

    EXPECT_EQ(NameOfPath("Z:\\KISS\\SET1\\A.LZH"), "A.LZH");
    EXPECT_EQ(NameOfPath("Z:A.LZH"), "A.LZH");
    EXPECT_EQ(NameOfPath("A.LZH"), "A.LZH");
    EXPECT_EQ(NameOfPath("Z:\\KISS\\"), "");
}

TEST(PathText, ASecondByteThatLooksLikeASeparatorIsPartOfItsCharacter) {
    // "\x83\x5C" is the katakana so, "\x95\x5C" the kanji for table.
    EXPECT_EQ(FolderOfPath("Z:\\KISS\\\x83\x5C\x95\x5C\\A.LZH"), "Z:\\KISS\\\x83\x5C\x95\x5C");
    EXPECT_EQ(FolderOfPath("Z:\\KISS\\\x83\x5C.LZH"), "Z:\\KISS");
    EXPECT_EQ(NameOfPath("Z:\\KISS\\\x83\x5C.LZH"), "\x83\x5C.LZH");
    EXPECT_EQ(NameOfPath("\x95\x5C"), "\x95\x5C");
    // A lead byte at the very end has no second byte to hide.
    EXPECT_EQ(FolderOfPath("A\\\x83"), "A");
}
