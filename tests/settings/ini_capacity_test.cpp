// Files and lists far beyond the starting sizes of the store (512 items, 50
// sections, a 16,000-byte pool, 511-character words), and input that is no
// settings file at all.
#include "ini_files.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace settings_test;
using namespace settings_keys;
using testsupport::TempFolder;
using namespace std::string_literals;

namespace {

// The default file's table part followed by `tail`: a file that Save
// writes back byte for byte.
std::string WithTail(const std::string& tail) { return std::string(kDefaultFile) + tail; }

}  // namespace

TEST(IniCapacity, HundredThousandKeysLoadAndSaveWhole) {
    TempFolder dir;
    std::string tail = "\r\n[Big]\r\n";
    for (int i = 0; i < 100000; ++i) tail += "key" + std::to_string(i) + " = value" + std::to_string(i * 7) + "\r\n";
    std::string file = WithTail(tail);
    INI ini;
    ASSERT_EQ(LoadText(ini, file), 0);
    ASSERT_EQ(ini.ItemCount(), 100008);
    EXPECT_STREQ(ini.Item(8).name, "key0");
    EXPECT_STREQ(ini.Item(100007).text, "value699993");
    EXPECT_EQ(ini.FindItem(4, "key54321"), 8 + 54321);
    EXPECT_EQ(SavedText(ini), file);
    EXPECT_EQ(KeyValue(ini, FormPosition, Width), 534);  // the table keys are still found
}

TEST(IniCapacity, HundredSectionsLoadAndSaveWhole) {
    TempFolder dir;
    std::string tail;
    for (int s = 0; s < 100; ++s) tail += "\r\n[Section" + std::to_string(s) + "]\r\nk = " + std::to_string(s) + "\r\n";
    std::string file = WithTail(tail);
    INI ini;
    ASSERT_EQ(LoadText(ini, file), 0);
    EXPECT_EQ(ini.SectionCount(), 103);
    EXPECT_STREQ(ini.SectionName(103), "Section99");
    EXPECT_EQ(ini.Item(ini.FindItem(ini.FindSection("Section77"), "k")).value, 77);
    EXPECT_EQ(SavedText(ini), file);
}

TEST(IniCapacity, MegabyteWordsAsNameValueAndSection) {
    TempFolder dir;
    std::string word(1 << 20, 'x');
    for (size_t i = 0; i < word.size(); i += 97) word[i] = static_cast<char>('A' + i % 26);
    // Words around the starting size of the token text too.
    std::string file = WithTail("\r\n[" + word + "]\r\n" + word + " = " + word + "\r\nw511 = " + word.substr(0, 511) +
                                "\r\nw512 = " + word.substr(0, 512) + "\r\nw513 = " + word.substr(0, 513) + "\r\n");
    INI ini;
    ASSERT_EQ(LoadText(ini, file), 0);
    ASSERT_EQ(ini.ItemCount(), 12);
    EXPECT_EQ(std::string(ini.Item(10).text), word.substr(0, 512));
    EXPECT_EQ(std::string(ini.SectionName(4)), word);
    EXPECT_EQ(std::string(ini.Item(8).name), word);
    EXPECT_EQ(std::string(ini.Item(8).text), word);
    EXPECT_EQ(SavedText(ini), file);
}

TEST(IniCapacity, KeptTextsStayPutWhileThePoolGrows) {
    TempFolder dir;
    INI ini;
    LoadText(ini, "");
    std::vector<const char*> texts;
    std::vector<std::string> expect;
    for (int i = 0; i < 20000; ++i) {
        std::string text(static_cast<size_t>(50 + i % 150), static_cast<char>('a' + i % 26));
        text += std::to_string(i);
        int at = ini.SetText(ColWidths, ("c" + std::to_string(i)).c_str(), text.c_str());
        texts.push_back(ini.Item(at).text);
        expect.push_back(text);
    }
    // A text bigger than a pool block and one that fills a block exactly.
    std::string big(100000, 'b');
    texts.push_back(ini.KeepText(big.c_str()));
    expect.push_back(big);
    std::string block(15999, 'c');
    texts.push_back(ini.KeepText(block.c_str()));
    expect.push_back(block);
    for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(texts[i], expect[i]) << i;
    ASSERT_EQ(ini.ItemCount(), 20008);
    EXPECT_EQ(ini.Item(ini.FindItem(ColWidths, "c19999")).text, texts[19999]);
    // The items were moved to bigger arrays; their texts did not move.
    for (int i = 0; i < 20000; ++i) ASSERT_EQ(ini.Item(8 + i).text, texts[static_cast<size_t>(i)]);
}

TEST(IniCapacity, AnyBytesLoadWithoutHarm) {
    TempFolder dir;
    INI ini;
    // A 10 MB line without a line end, as a value and as blanks.
    std::string huge(10 << 20, 'v');
    ASSERT_EQ(LoadText(ini, "[FilePaths]\r\nKISSDIR = " + huge), 0);
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR).size(), huge.size());
    ASSERT_EQ(LoadText(ini, "[FilePaths]\r\nKISSDIR" + std::string(10 << 20, ' ')), 0);
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "");

    // A lead byte as the very last byte of the file and of a line.
    ASSERT_EQ(LoadText(ini, "[FilePaths]\r\nKISSDIR = a\x81"), 0);
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "a\x81");
    ASSERT_EQ(LoadText(ini, "[FilePaths]\r\nKISSDIR = a\x81\r\nTMPDIR = t\r\n"), 0);
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "a\x81\r");
    EXPECT_EQ(KeyText(ini, FilePaths, TMPDIR), "t");
    ASSERT_EQ(LoadText(ini, "[\x81"), 0);
    EXPECT_STREQ(ini.SectionName(4), "\x81");

    // NUL bytes: a control character like any other.
    ASSERT_EQ(LoadText(ini, "[FilePaths]\r\nKISSDIR = a\0b\r\nTMPDIR\0= t\r\n\0\0\0"s), 0);
    EXPECT_EQ(KeyText(ini, FilePaths, KISSDIR), "a");
    EXPECT_EQ(KeyText(ini, FilePaths, TMPDIR), "");

    // Random bytes of every kind; the result is a list that saves and loads.
    std::mt19937 random(777);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<size_t>(random() % 3000), '\0');
        const char alphabet[] = "[]= \t\r\n;'\x1A\x81\x5B\x5D\xE0\xFC" "a1hb";
        for (char& c : bytes)
            c = random() % 2 ? static_cast<char>(random()) : alphabet[random() % (sizeof alphabet - 1)];
        ASSERT_EQ(LoadText(ini, bytes), 0);
        ASSERT_GE(ini.ItemCount(), 8);
        std::string saved = SavedText(ini);
        ASSERT_NE(saved, "(not saved)");
        INI again;
        ASSERT_EQ(LoadText(again, saved), 0);
        ASSERT_GE(again.ItemCount(), 8);
    }
}
