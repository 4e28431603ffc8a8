#include "files/buffile.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

using testsupport::TempFolder;

TEST(BufFileRuns, RunsAndSingleBytesDeliverEveryByteOnce) {
    TempFolder dir;
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes.push_back(static_cast<char>(i * 13 % 256));
    testsupport::WriteBytes("f.bin", bytes);
    BUFFILE f;
    ASSERT_TRUE(f.OpenRead("f.bin"));
    std::string got;
    for (int step = 0;; ++step) {
        if (step % 3 == 0) {  // a single byte now and then
            int b = f.ReadByte();
            if (b == BUFFILE::EndOfInput) break;
            got.push_back(static_cast<char>(b));
            continue;
        }
        std::span<const unsigned char> run = f.Buffered();
        if (run.empty()) break;
        EXPECT_LE(run.size(), 1024u);
        size_t take = std::min<size_t>(run.size(), 1 + step * 37 % 700);
        got.append(reinterpret_cast<const char*>(run.data()), take);
        f.TakeBuffered(take);
    }
    EXPECT_EQ(got, bytes);
    EXPECT_TRUE(f.Buffered().empty());
    EXPECT_EQ(f.ReadByte(), BUFFILE::EndOfInput);

    // Taking more than is buffered takes what there is.
    ASSERT_TRUE(f.OpenRead("f.bin"));
    f.TakeBuffered(5000);
    EXPECT_EQ(f.ReadByte(), static_cast<unsigned char>(bytes[1024]));

    // Nothing to read in a file open for writing, or in none.
    ASSERT_TRUE(f.OpenWrite("w.bin"));
    EXPECT_TRUE(f.Buffered().empty());
    f.TakeBuffered(3);
    f.WriteText("ok");
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(testsupport::ReadBytes("w.bin"), "ok");
    EXPECT_TRUE(f.Buffered().empty());
}
