// The folder and name parts of path texts, as the dialogs take them.
#include "settings/path_setting.h"
#include "settings/path_text.h"

#include <cstdlib>
#include <string>

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

// A path typed into the settings dialog in the form it is stored in.
TEST(PathText, TypedPathsTakeTheFormTheSystemStores) {
    const char* home = std::getenv("HOME");
    std::string saved = home ? home : "";
    setenv("HOME", "/home/me", 1);
    EXPECT_EQ(StoredPathForm("~/kiss/", false), "Z:\\home\\me\\kiss\\");
    EXPECT_EQ(StoredPathForm("~", true), "Z:\\home\\me\\");
    EXPECT_EQ(StoredPathForm("~\\My Sets", true), "Z:\\home\\me\\My Sets\\");
    EXPECT_EQ(StoredPathForm("~other/x", false), "~other\\x");  // another user's home is not guessed
    EXPECT_EQ(StoredPathForm("/home/me/kiss", false), "Z:\\home\\me\\kiss");
    EXPECT_EQ(StoredPathForm("\\kiss\\", false), "Z:\\kiss\\");
    EXPECT_EQ(StoredPathForm("\\\\server\\share", false), "\\\\server\\share");
    EXPECT_EQ(StoredPathForm("./work", false), ".\\work");
    EXPECT_EQ(StoredPathForm("../bin/viewer", false), "..\\bin\\viewer");
    EXPECT_EQ(StoredPathForm("tansu-kiss", false), "tansu-kiss");
    EXPECT_EQ(StoredPathForm("C:\\KISS", true), "C:\\KISS\\");
    EXPECT_EQ(StoredPathForm("C:", true), "C:");
    EXPECT_EQ(StoredPathForm("", true), "");
    // "ソ" ends in the byte of "\", which is not a separator.
    EXPECT_EQ(StoredPathForm("Z:\\\x83\x5C", true), "Z:\\\x83\x5C\\");
    setenv("HOME", "/", 1);
    EXPECT_EQ(StoredPathForm("~/kiss", false), "Z:\\kiss");
    setenv("HOME", saved.c_str(), 1);
}
