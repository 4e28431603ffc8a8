#include "editor/hosoku_file.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <random>

using testsupport::TempFolder;

namespace {

// The header of a typical description file (cp932, CR LF).
const std::string kHeader =
    "データ名：KISS/GNU 着せ替え\r\n"
    "　　　ID：GHB01234\r\n"
    "登録日付：  97/05/12\r\n"
    "　　属性：A\r\n"
    "　バイト：123456\r\n"
    "　　参照：なし　\r\n";

struct Read {
    int result;
    HosokuData data;
};

Read ReadText(const std::string& bytes) {
    // The same name as the OS sees it (UTF-8) and as the system does (cp932).
    testsupport::WriteBytes(reinterpret_cast<const char*>(u8"set.ﾎｿｸ"), bytes);
    HosokuFile file;
    int result = file.ReadHosoku("set.ﾎｿｸ");
    return {result, file};
}

std::vector<std::string> Header(const HosokuData& d) {
    return {d.DataName, d.Id, d.RegDate, d.Attr, d.Bytes, d.Refer};
}
std::vector<std::string> AllFields(const HosokuData& d) {
    return {d.DataName, d.Id, d.RegDate, d.Attr, d.Bytes, d.Refer, d.Title, d.FileName, d.Author};
}
const std::vector<std::string> kNineEmpty(9);

}  // namespace

TEST(Hosoku, TablesHoldTheTexts) {
    // The escapes in the reader are the texts as this compiler writes them.
    const char* labels[] = {"データ名：", "　　　ID：", "登録日付：", "　　属性：", "　バイト：", "　　参照："};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(HosokuLabels[i].label, labels[i]) << i;
        EXPECT_EQ(HosokuLabels[i].label.size(), 10u);
    }
    EXPECT_EQ(HosokuItems[0].name, "名称");
    EXPECT_EQ(HosokuItems[1].name, "登録名");
    EXPECT_EQ(HosokuItems[2].name, "制作者名");
}

TEST(Hosoku, ReadsAWholeFile) {
    TempFolder dir;
    auto r = ReadText("--------------------\r\n" + kHeader +
                      "\r\n"
                      "【名称】  着せ替えセット　第一弾  \r\n"
                      "  ≪登録名≫ABC.LZH 12345 bytes\r\n"
                      "【制作者名】山田\r\n"
                      "ほかの行\r\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.data.DataName, "KISS/GNU 着せ替え");
    EXPECT_EQ(r.data.Id, "GHB01234");
    EXPECT_EQ(r.data.RegDate, "  97/05/12");  // leading spaces of a value stay
    EXPECT_EQ(r.data.Attr, "A");
    EXPECT_EQ(r.data.Bytes, "123456");
    EXPECT_EQ(r.data.Refer, "なし　");  // full-width spaces are never trimmed
    EXPECT_EQ(r.data.Title, "着せ替えセット　第一弾");
    EXPECT_EQ(r.data.FileName, "ABC.LZH");
    EXPECT_EQ(r.data.Author, "山田");

    // Without the dash line the same; with two, the header is not found.
    EXPECT_EQ(AllFields(ReadText(kHeader + "【名称】T\n").data),
              (std::vector<std::string>{"KISS/GNU 着せ替え", "GHB01234", "  97/05/12", "A", "123456", "なし　",
                                        "T", "", ""}));
    auto two = ReadText("---\r\n---\r\n" + kHeader + "【名称】T\n");
    EXPECT_EQ(Header(two.data), std::vector<std::string>(6));
    EXPECT_EQ(two.data.Title, "T");
}

TEST(Hosoku, HeaderLabelsInOrderOnly) {
    TempFolder dir;
    // A missing label: the next one is tried on the same line.
    auto r = ReadText("データ名：D\r\n　　　ID：I\r\n　　属性：A\r\n　バイト：B\r\n");
    EXPECT_EQ(Header(r.data), (std::vector<std::string>{"D", "I", "", "A", "B", ""}));
    // An unknown header line (two spaces before ID) ends the header.
    r = ReadText("データ名：D\r\n　　ID：I\r\n登録日付：R\r\n【名称】T\r\n");
    EXPECT_EQ(Header(r.data), (std::vector<std::string>{"D", "", "", "", "", ""}));
    EXPECT_EQ(r.data.Title, "T");
    // A label after a later one is not found.
    r = ReadText("　　　ID：I\r\nデータ名：D\r\n");
    EXPECT_EQ(Header(r.data), (std::vector<std::string>{"", "I", "", "", "", ""}));
    // Not at the start of the line: no label.
    r = ReadText(" データ名：D\r\n");
    EXPECT_EQ(r.data.DataName, "");
    // A label value is trimmed only when the line ends in LF.
    r = ReadText("データ名：D  ");
    EXPECT_EQ(r.data.DataName, "D  ");
}

TEST(Hosoku, Items) {
    TempFolder dir;
    auto title = [](const std::string& line) { return ReadText(line + "\r\n").data.Title; };
    EXPECT_EQ(title("【 名 称 】T"), "T");
    EXPECT_EQ(title("【名　称】T"), "T");
    EXPECT_EQ(title("≪名称≫T"), "T");
    EXPECT_EQ(title("【名称≫T"), "T");  // marks need not pair up
    EXPECT_EQ(title("   【名称】 　 T  U  "), "T  U");
    EXPECT_EQ(title("【名称"), "");
    EXPECT_EQ(title("【名称】"), "");
    EXPECT_EQ(title("【名称】   "), "");
    EXPECT_EQ(title("【名称】　　"), "");
    EXPECT_EQ(title("x【名称】T"), "");
    EXPECT_EQ(title("【名前】T"), "");
    EXPECT_EQ(title("\t【名称】T"), "");  // only single-byte spaces before the mark

    auto r = ReadText("≪登録名≫ABC.LZH と他\r\n【登録名】 NOSPACE.LZH\r\n");
    EXPECT_EQ(r.data.FileName, "NOSPACE.LZH");  // the last occurrence wins
    r = ReadText("【制作者名】A\r\n【制作者名】B\r\n");
    EXPECT_EQ(r.data.Author, "B");
}

TEST(Hosoku, EndOfTheText) {
    TempFolder dir;
    // The last line is examined only when it ends in LF.
    EXPECT_EQ(ReadText("【名称】T\n").data.Title, "T");
    EXPECT_EQ(ReadText("【名称】T").data.Title, "");
    EXPECT_EQ(ReadText("【名称】T\x1A\n").data.Title, "");
    // Nothing after a SUB byte is read, not even by a header label.
    auto r = ReadText("データ名：D\x1A　　　ID：I\r\n【名称】T\r\n");
    EXPECT_EQ(r.data.DataName, "D");
    EXPECT_EQ(r.data.Id, "");
    EXPECT_EQ(r.data.Title, "");
    r = ReadText("-\x1A" "データ名：D\r\n");
    EXPECT_EQ(r.data.DataName, "");
    // Empty file, or nothing known: nine empty fields and success.
    r = ReadText("");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(AllFields(r.data), kNineEmpty);
    EXPECT_EQ(AllFields(ReadText("abc\r\n\r\n[x]\r\n").data), kNineEmpty);
}

TEST(Hosoku, LongLinesAndNames) {
    TempFolder dir;
    // 300 bytes without a line end: 255 bytes, then 45 as the next line.
    auto r = ReadText(std::string(255, 'a') + "【名称】" + std::string(39, 'b') + "\r\n");
    EXPECT_EQ(r.data.Title, std::string(39, 'b'));
    // CR bytes count towards the 255.
    r = ReadText(std::string(250, 'a') + "\r\r\r\r\r【名称】X\n");
    EXPECT_EQ(r.data.Title, "X");
    // A value is at most what the line holds.
    r = ReadText("【名称】" + std::string(400, 'v') + "\n");
    EXPECT_EQ(r.data.Title, std::string(247, 'v'));
    r = ReadText("データ名：" + std::string(400, 'v') + "\n");
    EXPECT_EQ(r.data.DataName, std::string(245, 'v'));

    // Names of 79 bytes and more are no items; the lines after them are.
    for (size_t n : {78u, 79u, 80u, 81u, 200u, 250u}) {
        r = ReadText("【" + std::string(n, 'n') + "】V\r\n【名称】T\r\n【" + std::string(n, '\x81') + "\n");
        EXPECT_EQ(AllFields(r.data), (std::vector<std::string>{"", "", "", "", "", "", "T", "", ""})) << n;
    }
}

TEST(Hosoku, AnyBytesAreAccepted) {
    TempFolder dir;
    // NUL bytes are kept in a value; a lead byte at the end of a line or of
    // the file is an ordinary byte.
    auto r = ReadText("【名称】a" + std::string(1, '\0') + "b\n【登録名】F\x81\n【制作者名】\x81\xE1");
    EXPECT_EQ(r.data.Title, std::string("a\0b", 3));
    EXPECT_EQ(r.data.FileName, "F\x81");
    EXPECT_EQ(r.data.Author, "");
    EXPECT_EQ(ReadText("【名称\x81\n").data.Title, "");
    // A line cut at 255 bytes whose last byte is a lead byte.
    r = ReadText(std::string(250, ' ') + "【名\x81" + "\x7A" + "T\n【名称】U\n");
    EXPECT_EQ(r.data.Title, "U");
    EXPECT_EQ(ReadText("\x81").result, 0);

    // Random garbage: a defined result, no field with a line end or SUB.
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 3000, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 6 == 0 ? "\x81\x79\x7A\xE1\xE2\x40\n "[random() % 8]
                                                                      : random());
        r = ReadText(bytes);
        ASSERT_EQ(r.result, 0);
        for (const auto& f : AllFields(r.data)) {
            EXPECT_LE(f.size(), 255u);
            EXPECT_EQ(f.find_first_of(std::string_view("\r\n\x1A", 3)), std::string::npos);
        }
        EXPECT_EQ(r.data.FileName.find(' '), std::string::npos);
    }

    // A 10 MB line without a line end.
    r = ReadText(std::string(10 << 20, 'x'));
    EXPECT_EQ(AllFields(r.data), kNineEmpty);
}

TEST(Hosoku, FilesThatCannotBeRead) {
    TempFolder dir;
    HosokuFile file;
    testsupport::WriteBytes("a.hed", "【名称】T\n");
    ASSERT_EQ(file.ReadHosoku("a.hed"), 0);
    EXPECT_EQ(file.Title, "T");
    EXPECT_EQ(file.ReadHosoku("missing.hed"), 1);
    EXPECT_EQ(AllFields(file), kNineEmpty);  // nothing of the earlier file stays
    EXPECT_EQ(file.ReadHosoku(nullptr), 1);

    HosokuFile other;  // a file held open elsewhere cannot be opened
    BUFFILE holder;
    ASSERT_TRUE(holder.OpenRead("a.hed"));
    EXPECT_EQ(other.ReadHosoku("a.hed"), 1);
    holder.Close();
    EXPECT_EQ(other.ReadHosoku("a.hed"), 0);
    EXPECT_EQ(other.Title, "T");
    // The file is closed after reading: it can be opened again at once.
    EXPECT_TRUE(holder.OpenRead("a.hed"));
}
