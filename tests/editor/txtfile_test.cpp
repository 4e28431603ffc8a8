#include "editor/txtfile.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using testsupport::TempFolder;

namespace {
// All lines of the file as ReadLine gives them, up to EndOfText.
std::vector<std::string> Lines(const std::string& bytes, size_t limit) {
    testsupport::WriteBytes("t.txt", bytes);
    TXTFILE file;
    EXPECT_TRUE(file.OpenRead("t.txt"));
    std::vector<std::string> lines;
    std::vector<char> buffer(limit + 8, '#');
    while (!file.EndOfText) {
        size_t n = file.ReadLine(buffer.data(), limit);
        EXPECT_LT(n, limit);
        EXPECT_EQ(buffer[n], '\0');
        EXPECT_EQ(buffer[limit], '#');  // nothing past the limit
        lines.emplace_back(buffer.data(), n);
    }
    return lines;
}
}  // namespace

TEST(TxtFile, ReadLine) {
    TempFolder dir;
    using V = std::vector<std::string>;
    // LF is stored, CR dropped, the end of the file ends the last line.
    EXPECT_EQ(Lines("ab\r\ncd\n\re\rf", 256), (V{"ab\n", "cd\n", "ef"}));
    EXPECT_EQ(Lines("ab\n", 256), (V{"ab\n", ""}));
    EXPECT_EQ(Lines("", 256), (V{""}));
    // SUB ends the text; what follows is never read.
    EXPECT_EQ(Lines("ab\ncd\x1A" "ef\ngh\n", 256), (V{"ab\n", "cd"}));
    // NUL is a byte like any other.
    EXPECT_EQ(Lines(std::string("a\0b\n", 4), 256), (V{std::string("a\0b\n", 4), ""}));
    // Cut after limit - 1 bytes taken, CR bytes counted.
    EXPECT_EQ(Lines("abcdefg\n", 4), (V{"abc", "def", "g\n", ""}));
    EXPECT_EQ(Lines("a\r\rbcd", 4), (V{"a", "bcd", ""}));
}

TEST(TxtFile, EndOfTextStaysAndOpenClearsIt) {
    TempFolder dir;
    testsupport::WriteBytes("a.txt", "x\x1Ay\n");
    TXTFILE file;
    char buffer[16];
    EXPECT_FALSE(file.EndOfText);
    ASSERT_TRUE(file.OpenRead("a.txt"));
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 1u);
    EXPECT_TRUE(file.EndOfText);
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 0u);  // "y" is never read
    EXPECT_STREQ(buffer, "");
    ASSERT_TRUE(file.OpenRead("a.txt"));
    EXPECT_FALSE(file.EndOfText);
    EXPECT_EQ(file.ReadLine(buffer, 0), 0u);  // no room: nothing stored at all
    EXPECT_FALSE(file.OpenRead("missing.txt"));
    EXPECT_EQ(file.ReadLine(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(file.EndOfText);
}
