// A set's first picture read from its archive in memory, as the catalog's
// preview shows it: the first configuration in archive order, drawn as the
// viewer first shows it; damaged archives and archives without a
// configuration say so.
#include "set/first_set.h"
#include "archive_test_support.h"
#include "tools/test_set.h"

#include <gtest/gtest.h>

using kissviewer::DrawFirstSet;
using kissviewer::FirstPicture;
using testsupport::TempFolder;
using testsupport::WriteBytes;
namespace demo = kisstools::demo;

namespace {

uint32_t Opaque(unsigned rgb) { return 0xFF000000u | rgb; }

uint32_t At(const kiss::Picture& p, int x, int y) { return p.argb[static_cast<size_t>(y) * p.width + x]; }

}  // namespace

TEST(FirstSet, TheFirstConfigurationDrawnAsTheViewerFirstShowsItWithNothingWritten) {
    TempFolder dir;
    const std::string archive = dir.file("DEMO.LZH");
    WriteBytes(archive, kisstools::WriteLzh(kisstools::MakeDemoSet(), 1));

    FirstPicture first = DrawFirstSet(archive);
    ASSERT_EQ(first.outcome, FirstPicture::Outcome::Drawn) << first.error;
    const kiss::Picture& p = first.picture;
    ASSERT_EQ(p.width, demo::kWidth);
    ASSERT_EQ(p.height, demo::kHeight);
    ASSERT_EQ(p.argb.size(), static_cast<size_t>(p.width) * p.height);
    // Set 0 of DEMODOLL.CNF: every cel in its palette's colour, the
    // transparent corner of the hat showing the background beneath.
    EXPECT_EQ(At(p, 2, 2), Opaque(demo::kBackground[0]));
    EXPECT_EQ(At(p, demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY), Opaque(demo::kHatYellow[0]));
    EXPECT_EQ(At(p, demo::kHatX0 + demo::kHatCornerX, demo::kHatY0 + demo::kHatCornerY), Opaque(demo::kBackground[0]));
    EXPECT_EQ(At(p, demo::kShirtX0 + demo::kShirtPixelX, demo::kShirtY0 + demo::kShirtPixelY), Opaque(demo::kShirtPink[0]));
    EXPECT_EQ(At(p, demo::kSkirtX0 + demo::kSkirtOffsetX + demo::kSkirtPixelX,
                 demo::kSkirtY0 + demo::kSkirtOffsetY + demo::kSkirtPixelY),
              Opaque(demo::kSkirtBlue[0]));
    EXPECT_EQ(At(p, demo::kDollX + demo::kBodyPixelX, demo::kDollY + demo::kBodyPixelY), Opaque(demo::kLeotard[0]));
    EXPECT_EQ(kisstest::Listing(dir.path()), std::vector<std::string>{"DEMO.LZH"});  // read in memory only
}

TEST(FirstSet, CelsThatStartUnmappedStayHiddenAndTheStartUpEventsRun) {
    namespace fk = kisstools::fkiss;
    auto files = kisstools::MakeFkissSet();
    const std::string timer = ";@  timer(1, " + std::to_string(fk::kAlarmMs) + ")";
    std::string& cnf = files.front().bytes;
    ASSERT_NE(cnf.find(timer), std::string::npos);
    cnf.replace(cnf.find(timer), timer.size(), ";@  unmap(\"card.cel\")");
    TempFolder dir;
    WriteBytes(dir.file("FKISS.LZH"), kisstools::WriteLzh(files, 1));

    FirstPicture first = DrawFirstSet(dir.file("FKISS.LZH"));
    ASSERT_EQ(first.outcome, FirstPicture::Outcome::Drawn) << first.error;
    const kiss::Picture& p = first.picture;
    EXPECT_EQ(At(p, fk::kButtonX + 5, fk::kButtonY + 5), Opaque(fk::kGreen));
    EXPECT_EQ(At(p, fk::kHiddenX + 5, fk::kHiddenY + 5), Opaque(fk::kWhite));  // ";%u"
    EXPECT_EQ(At(p, fk::kDoneX + 5, fk::kDoneY + 5), Opaque(fk::kWhite));      // ";%u"
    EXPECT_EQ(At(p, fk::kCardX + 5, fk::kCardY + 5), Opaque(fk::kWhite));      // unmapped at initialize
}

TEST(FirstSet, ConfigurationsInArchiveOrderAndArchivesThatShowNoSet) {
    std::vector<kissarchive::Entry> entries{
        {"b/", "b", true, ""}, {"Z.CNF", "Z.CNF", false, "x"}, {"a.txt", "a.txt", false, ""},
        {"b/A.cnf", "b/A.cnf", false, ""}, {"Z.CNF", "Z.CNF", false, "y"}, {"cnf", "cnf", false, ""}};
    EXPECT_EQ(kissviewer::ConfigPaths(entries), (std::vector<std::string>{"Z.CNF", "b/A.cnf"}));

    TempFolder dir;
    EXPECT_EQ(DrawFirstSet(dir.file("MISSING.LZH")).outcome, FirstPicture::Outcome::Unreadable);

    WriteBytes(dir.file("NOCNF.LZH"), kisstools::WriteLzh({{"README.TXT", "hello"}}, 0));
    EXPECT_EQ(DrawFirstSet(dir.file("NOCNF.LZH")).outcome, FirstPicture::Outcome::NoConfig);

    // A damaged archive: a byte of a file's data changed, so its CRC fails.
    std::string lzh = kisstools::WriteLzh(kisstools::MakeDemoSet(), 0);
    lzh[lzh.size() / 2] = static_cast<char>(lzh[lzh.size() / 2] ^ 0x55);
    WriteBytes(dir.file("DAMAGED.LZH"), lzh);
    FirstPicture damaged = DrawFirstSet(dir.file("DAMAGED.LZH"));
    EXPECT_EQ(damaged.outcome, FirstPicture::Outcome::Unreadable);
    EXPECT_FALSE(damaged.error.empty());
}
