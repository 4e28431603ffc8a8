// The worker that makes the preview pictures: only the latest wish is
// shown, pictures made before come back at once, a changed archive is read
// again, and a missing one is answered without the worker.
#include "preview/preview_worker.h"

#include "platform/os_path.h"
#include "support/test_files.h"
#include "tools/test_set.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

// Runs the worker's main-thread steps until `done` (false after 10 s).
bool Pump(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        CheckSynchronize();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::string SystemPath(const std::string& osPath) { return platform::FromOsPath(osPath).value_or(""); }

}  // namespace

TEST(PreviewWorker, ShowsOnlyTheLatestWishAndKeepsWhatItMade) {
    TempFolder dir;
    const std::string demo = kisstools::WriteLzh(kisstools::MakeDemoSet(), 1);  // 300 x 260
    WriteBytes(dir.file("A.LZH"), demo);
    WriteBytes(dir.file("B.LZH"), kisstools::WriteLzh(kisstools::MakeLargeSet(20), 0));  // 640 x 480
    WriteBytes(dir.file("C.LZH"), demo);
    const std::string a = SystemPath(dir.file("A.LZH")), b = SystemPath(dir.file("B.LZH")),
                      c = SystemPath(dir.file("C.LZH"));

    PreviewWorker worker(2);
    std::vector<int> shownWidths;
    worker.OnReady = [&](const SetPreview& p) {
        ASSERT_EQ(p.kind, SetPreview::Kind::Picture);
        shownWidths.push_back(p.picture->width);
    };

    // Wishes in a burst: only the last one shows.
    EXPECT_FALSE(worker.Want(a));
    EXPECT_FALSE(worker.Want(b));
    ASSERT_TRUE(Pump([&] { return !shownWidths.empty(); }));
    EXPECT_EQ(shownWidths, std::vector<int>{640});

    // Made before: at once, without the worker.
    auto kept = worker.Want(b);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->picture->width, 640);

    // A missing archive is answered at once, too.
    auto missing = worker.Want(SystemPath(dir.file("NONE.LZH")));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind, SetPreview::Kind::Missing);

    // Two are kept: after c, the least recently used (a, if it was made
    // at all) is gone and read again.  A changed archive is read again too.
    shownWidths.clear();
    EXPECT_FALSE(worker.Want(c));
    ASSERT_TRUE(Pump([&] { return shownWidths.size() == 1; }));
    EXPECT_EQ(worker.KeptCount(), 2u);
    EXPECT_TRUE(worker.Want(b));
    EXPECT_FALSE(worker.Want(a));
    ASSERT_TRUE(Pump([&] { return shownWidths.size() == 2; }));
    WriteBytes(dir.file("C.LZH"), kisstools::WriteLzh(kisstools::MakeLargeSet(20), 1));
    EXPECT_FALSE(worker.Want(c));
    ASSERT_TRUE(Pump([&] { return shownWidths.size() == 3; }));
    EXPECT_EQ(shownWidths, (std::vector<int>{300, 300, 640}));

    // Damaged and without a configuration.
    std::string damaged = demo;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    WriteBytes(dir.file("BAD.LZH"), damaged);
    WriteBytes(dir.file("NOCNF.LZH"), kisstools::WriteLzh({{"README.TXT", "x"}}, 0));
    std::vector<SetPreview::Kind> kinds;
    worker.OnReady = [&](const SetPreview& p) { kinds.push_back(p.kind); };
    EXPECT_FALSE(worker.Want(SystemPath(dir.file("BAD.LZH"))));
    ASSERT_TRUE(Pump([&] { return kinds.size() == 1; }));
    EXPECT_FALSE(worker.Want(SystemPath(dir.file("NOCNF.LZH"))));
    ASSERT_TRUE(Pump([&] { return kinds.size() == 2; }));
    EXPECT_EQ(kinds, (std::vector<SetPreview::Kind>{SetPreview::Kind::Unreadable, SetPreview::Kind::NoConfig}));
}
