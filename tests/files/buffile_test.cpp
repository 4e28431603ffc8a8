#include "files/buffile.h"
#include "files/file_replace.h"
#include "platform/os_path.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using testsupport::TempFolder;

namespace {
std::string ReadAll(BUFFILE& f) {
    std::string s;
    for (int b; (b = f.ReadByte()) != BUFFILE::EndOfInput;) s.push_back(static_cast<char>(b));
    return s;
}
}  // namespace

TEST(BufFile, DeliversEveryByteOnceAcrossBlockBorders) {
    TempFolder dir;
    for (size_t size : {0u, 1u, 1023u, 1024u, 1025u, 5000u}) {
        std::string bytes;
        for (size_t i = 0; i < size; ++i) bytes.push_back(static_cast<char>(i * 7 % 256));
        testsupport::WriteBytes(dir.file("f.bin"), bytes);
        BUFFILE f;
        ASSERT_TRUE(f.OpenRead("f.bin"));
        EXPECT_EQ(ReadAll(f), bytes) << size;
        EXPECT_TRUE(f.AtEnd());
        EXPECT_EQ(f.ReadByte(), BUFFILE::EndOfInput);  // stays at the end
        f.Close();
    }
}

TEST(BufFile, WritesThroughTheBufferAndFlushesOnClose) {
    TempFolder dir;
    BUFFILE f;
    ASSERT_TRUE(f.OpenWrite("out.txt"));
    EXPECT_EQ(f.ReadByte(), BUFFILE::EndOfInput);  // a written file is never read
    std::string expect;
    for (int i = 0; i < 3000; ++i) {
        f.WriteByte(static_cast<unsigned char>('a' + i % 26));
        expect.push_back(static_cast<char>('a' + i % 26));
    }
    f.WriteText("tail\r\n");
    f.WriteText(nullptr);
    expect += "tail\r\n";
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(testsupport::ReadBytes(dir.file("out.txt")), expect);
    // Writing to a closed file does nothing (and writes past no buffer).
    f.WriteByte('x');
    f.WriteText("more");
    EXPECT_EQ(testsupport::ReadBytes(dir.file("out.txt")), expect);
}

TEST(BufFile, OpenFailuresAndLocking) {
    TempFolder dir;
    BUFFILE a, b;
    EXPECT_FALSE(a.OpenRead("missing"));
    EXPECT_TRUE(a.AtEnd());
    EXPECT_EQ(a.ReadByte(), BUFFILE::EndOfInput);
    EXPECT_FALSE(a.OpenRead(nullptr));
    ASSERT_TRUE(a.OpenWrite("x.txt"));
    EXPECT_FALSE(b.OpenRead("x.txt"));  // held by a
    EXPECT_FALSE(b.OpenWrite("x.txt"));
    a.Close();
    EXPECT_TRUE(b.OpenRead("x.txt"));
}

TEST(BufFile, ReportsAFullDisk) {
    TempFolder dir;
    BUFFILE f;
    ASSERT_TRUE(f.OpenWrite("full.txt"));
    platform::faults::FailWritesAfterBytes(1500);
    for (int i = 0; i < 2000; ++i) f.WriteByte('z');
    EXPECT_FALSE(f.WriteFailed());  // the second block is still in the buffer
    EXPECT_FALSE(f.Close());        // and does not fit on the disk
    EXPECT_TRUE(f.WriteFailed());
    platform::faults::ClearFailures();

    ASSERT_TRUE(f.OpenWrite("ok.txt"));
    f.WriteText("fine");
    EXPECT_FALSE(f.WriteFailed());
    EXPECT_TRUE(f.FlushToDisk());
    EXPECT_TRUE(f.Close());
}

// A system path is converted to its OS form once, where an operation
// begins: the steps of a save (checks, the lock on the old file, the
// temporary file, its permissions, the rename) all work on that one form.
TEST(BufFile, EachFileOperationConvertsItsPathOnce) {
    TempFolder dir;
    const std::string folder = reinterpret_cast<const char*>(u8"着せ替え");
    ASSERT_EQ(mkdir(dir.file(folder).c_str(), 0777), 0);
    const std::string name = "\x92\x85\x82\xB9\x91\xD6\x82\xA6\\Tansu.CSV";  // kisekae\Tansu.CSV
    auto conversionsOf = [](const std::function<bool()>& operation, bool expected) {
        const uint64_t before = platform::PathConversionCount();
        EXPECT_EQ(operation(), expected);
        return platform::PathConversionCount() - before;
    };
    auto save = [&](const char* text) {
        return WriteFileInOnePiece(name.c_str(), [&](BUFFILE& f) {
            f.WriteText(text);
            return true;
        });
    };
    EXPECT_EQ(conversionsOf([&] { return save("new"); }, true), 1u);
    EXPECT_EQ(conversionsOf([&] { return save("replaced"); }, true), 1u);
    BUFFILE reader;
    EXPECT_EQ(conversionsOf([&] { return reader.OpenRead(name.c_str()); }, true), 1u);
    EXPECT_EQ(ReadAll(reader), "replaced");
    // Refused while the file is open elsewhere: still one conversion.
    EXPECT_EQ(conversionsOf([&] { return save("refused"); }, false), 1u);
    reader.Close();
    EXPECT_EQ(testsupport::ReadBytes(dir.file(folder + "/Tansu.CSV")), "replaced");
}
