#include "framework/ui/grid/grid_cells.h"
#include "framework/ui/graphics/qt_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace ui;

TEST(GridCells, KeepEveryByteAndMoveWholeRowsAndColumns) {
    GridCells cells;
    cells.Resize(8, 100000);
    const std::string zeros("a\0b\0", 4);
    const std::string long300(300, '\x81');  // needs a two-byte length
    ASSERT_TRUE(cells.Set(7, 99999, "last"));
    ASSERT_TRUE(cells.Set(2, 5, zeros));
    ASSERT_TRUE(cells.Set(0, 5, long300));
    ASSERT_TRUE(cells.Set(1, 5, "mid"));
    EXPECT_EQ(cells.Get(2, 5), zeros);
    EXPECT_EQ(cells.Get(0, 5), long300);
    EXPECT_EQ(cells.Get(1, 5), "mid");
    EXPECT_EQ(cells.Get(3, 5), "");
    EXPECT_EQ(cells.Get(7, 99999), "last");
    // A whole row at once: the same texts, empty past the row's last one
    // and past the columns.
    std::string_view row[10] = {"stale", "stale", "stale", "stale", "stale", "stale", "stale", "stale", "stale", "stale"};
    cells.GetRow(5, row, 10);
    EXPECT_EQ(row[0], long300);
    EXPECT_EQ(row[1], "mid");
    EXPECT_EQ(row[2], zeros);
    for (int c = 3; c < 10; ++c) EXPECT_EQ(row[c], "") << c;
    cells.GetRow(100000, row, 2);
    EXPECT_EQ(row[0], "");
    EXPECT_FALSE(cells.Set(8, 0, "x"));
    EXPECT_FALSE(cells.Set(0, 100000, "x"));
    EXPECT_EQ(cells.Get(-1, 0), "");

    // A cell set from a view into its own row.
    ASSERT_TRUE(cells.Set(4, 5, cells.Get(1, 5)));
    EXPECT_EQ(cells.Get(4, 5), "mid");
    ASSERT_TRUE(cells.Set(1, 5, ""));
    EXPECT_EQ(cells.Get(1, 5), "");
    EXPECT_EQ(cells.Get(2, 5), zeros);

    cells.MoveRow(5, 99998);
    EXPECT_EQ(cells.Get(2, 99998), zeros);
    EXPECT_EQ(cells.Get(7, 99999), "last");
    EXPECT_EQ(cells.Get(2, 5), "");
    cells.MoveRow(99999, 0);  // the others move down one
    EXPECT_EQ(cells.Get(7, 0), "last");
    EXPECT_EQ(cells.Get(2, 99999), zeros);

    cells.MoveCol(7, 1);
    EXPECT_EQ(cells.Get(1, 0), "last");
    EXPECT_EQ(cells.Get(0, 99999), long300);
    EXPECT_EQ(cells.Get(3, 99999), zeros);
    EXPECT_EQ(cells.Get(5, 99999), "mid");

    // Fewer columns or rows drop what lies outside; it does not come back.
    cells.Resize(4, 100000);
    cells.Resize(8, 100000);
    EXPECT_EQ(cells.Get(5, 99999), "");
    EXPECT_EQ(cells.Get(3, 99999), zeros);
    cells.Resize(8, 99999);
    cells.Resize(8, 100000);
    EXPECT_EQ(cells.Get(0, 99999), "");
    EXPECT_EQ(cells.Get(1, 0), "last");
}

TEST(GridCells, ReorderRowsMovesEveryRowAtOnceOrNothing) {
    GridCells cells;
    cells.Resize(3, 5);
    const char* texts[] = {"head", "a", "", "\x83\x5C", "d"};
    for (int r = 0; r < 5; ++r) {
        ASSERT_TRUE(cells.Set(0, r, texts[r]));
        ASSERT_TRUE(cells.Set(2, r, std::to_string(r)));
    }
    ASSERT_TRUE(cells.ReorderRows({0, 4, 2, 1, 3}));
    const int from[] = {0, 4, 2, 1, 3};
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(cells.Get(0, r), texts[from[r]]) << r;
        EXPECT_EQ(cells.Get(2, r), std::to_string(from[r])) << r;
    }
    // Not a permutation of the rows: refused, nothing moves.
    EXPECT_FALSE(cells.ReorderRows({0, 1, 2, 3}));
    EXPECT_FALSE(cells.ReorderRows({0, 1, 1, 3, 4}));
    EXPECT_FALSE(cells.ReorderRows({0, 1, 2, 3, 5}));
    EXPECT_FALSE(cells.ReorderRows({0, 1, 2, 3, -1}));
    for (int r = 0; r < 5; ++r) EXPECT_EQ(cells.Get(2, r), std::to_string(from[r])) << r;
}

TEST(QtCp932, EditTextsComeBackAsTheirExactBytes) {
    // Readable texts read as their characters.
    EXPECT_EQ(ToEditQt("\x83\x5C\x95\x5C"), QStringLiteral(u"ソ表"));
    EXPECT_EQ(ToQt("\xCC\xA7\xB2\xD9"), QStringLiteral(u"ﾌｧｲﾙ"));
    EXPECT_EQ(ToQt("a\x80"), QStringLiteral(u"a\uFFFD"));

    // Any bytes at all survive the trip through an edit text.
    std::mt19937 rng(11);
    for (int n = 0; n < 2000; ++n) {
        std::string bytes(rng() % 12, '\0');
        for (char& b : bytes) b = static_cast<char>(rng() % 4 == 0 ? 0x80 + rng() % 0x80 : rng() % 256);
        const auto back = FromQt(ToEditQt(bytes));
        ASSERT_TRUE(back) << n;
        ASSERT_EQ(*back, bytes) << n;
    }
    // Texts typed by the user convert only when cp932 has them.
    EXPECT_EQ(FromQt(QStringLiteral(u"新規")), "新規");
    EXPECT_FALSE(FromQt(QString::fromUtf8("\xF0\x9F\x98\x80")));
}
