// Sorting and row order as the user meets them: the Sort menu's items and
// check marks, dragging a row, the conversion message of a size sort, and
// the row-order question when saving.
#include "app_test_support.h"

#include "framework/sysutils.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/message_box_flags.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <random>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

using Record = std::array<std::string, 8>;
using Grid = std::vector<Record>;

// The data rows as they stand in the grid.
Grid Shown(TComboGrid& grid) {
    Grid rows;
    for (int r = 1; r < grid.RowCount(); ++r) {
        Record record;
        for (int c = 0; c < 8; ++c) record[static_cast<size_t>(c)] = grid.Cells(c, r);
        rows.push_back(record);
    }
    return rows;
}

// One column of the data rows, top to bottom.
std::vector<std::string> Column(TComboGrid& grid, int column) {
    std::vector<std::string> texts;
    for (int r = 1; r < grid.RowCount(); ++r) texts.push_back(grid.Cells(column, r));
    return texts;
}

QMenu& SortMenu(TForm1& main) { return *main.MenuSort->Action()->menu(); }

// Chooses an item of the Sort menu as the user does: the menu opens (and
// marks the current order), the item is chosen, the menu closes.
void Choose(TForm1& main, TMenuItem* item) {
    SortMenu(main).popup(QPoint(0, 0));
    item->Action()->trigger();
    SortMenu(main).hide();
}

// The items the Sort menu shows checked when it opens, by index.
std::vector<int> MarksWhenOpened(TForm1& main) {
    SortMenu(main).popup(QPoint(0, 0));
    std::vector<int> marked;
    for (int i = 0; i < main.MenuSort->Count(); ++i)
        if (main.MenuSort->Items(i)->Action()->isChecked()) marked.push_back(i);
    SortMenu(main).hide();
    return marked;
}

// Drags a row by its number cell, as the user does.
void DragRow(TForm1& main, int from, int to) {
    TComboGrid& grid = *main.ComboGrid1;
    QTest::mousePress(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 0, from));
    QTest::mouseMove(&Cells(main), CellCenter(grid, 0, to));
    QTest::mouseRelease(&Cells(main), Qt::LeftButton, {}, CellCenter(grid, 0, to));
}

// Counts the paints of the grid's cell area.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& w) { w.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The exception box of a number that is not one.
void ExpectNotAnInteger(const ui::ModalRecord& box, const std::string& text) {
    EXPECT_EQ(box.text, "'" + text + "' は整数ではありません.");
    EXPECT_EQ(box.caption, Application->Title());
    EXPECT_EQ(box.flags, unsigned(MB_OK | MB_ICONSTOP));
}

}  // namespace

TEST(Sorting, TextAndNumberSortsAreStableAscendingAndCompareBytesOrIntegers) {
    TempFolder dir;
    // Columns: DIR, LZH_FILE, TITLE, AUTHOR, NIF_ID, DATE, BYTE.
    WriteBytes(dir.file("cat.csv"), CatalogFile({
                                        "d1,f1,Tb,Yamada,10,1997/05/12,10",
                                        "d2,f2,Ta,Sato,9,1996/01/01,9",
                                        "d3,f3,Tb,Sato,9,1998/12/31,100",
                                        "d4,f4,Ta,Yamada,100,1996/01/01,-5",
                                        "d5,f5,Ta,Sato,10,1997/05/12,$10",
                                    }));
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{0});

    // By title: equal titles keep their order.
    Choose(main, main.MenuSortTitle);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"2", "4", "5", "1", "3"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{3});
    // Then by author: authors ascending, titles ascending within each.
    Choose(main, main.MenuSortAuthor);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"2", "5", "3", "4", "1"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{4});
    // Choosing it again sorts the same way again (no descending order).
    Choose(main, main.MenuSortAuthor);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"2", "5", "3", "4", "1"}));

    // Sizes as integers: -5 < 9 < 10 < $10 (16) < 100.
    Choose(main, main.MenuSortSize);
    EXPECT_EQ(Column(grid, 7), (std::vector<std::string>{"-5", "9", "10", "$10", "100"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{7});
    // The same digits as text: "10" before "9".
    Choose(main, main.MenuSortID);
    EXPECT_EQ(Column(grid, 5), (std::vector<std::string>{"10", "10", "100", "9", "9"}));
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"1", "5", "4", "2", "3"}));
    // Equal dates keep the order of the sort before, not the file's.
    Choose(main, main.MenuSortDate);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"4", "2", "1", "5", "3"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{6});
    Choose(main, main.MenuSortLZHFile);
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{2});
    Choose(main, main.MenuSortDir);
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{1});

    // Number order gives back the file order, and saving asks nothing.
    Choose(main, main.MenuSortNum);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"d1", "d2", "d3", "d4", "d5"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{0});
    EXPECT_EQ(main.SaveCsv("cat.csv"), 0);
    EXPECT_EQ(script.Records().size(), 0u);
    EXPECT_FALSE(main.Modified);  // sorting changes no record
}

TEST(Sorting, TextsCompareAsUnsignedCp932Bytes) {
    TempFolder dir;
    // Titles: a double-byte character with lead byte 0xE0, half-width
    // katakana, a double-byte katakana (lead 0x83), lower and upper case,
    // a text and its beginning, an empty one.
    WriteBytes(dir.file("cat.csv"), CatalogFile({
                                        "a,,\xE0\x40,,,,",
                                        "b,,\xB1\xB2,,,,",
                                        "c,,\x83\x41,,,,",
                                        "d,,ab,,,,",
                                        "e,,a,,,,",
                                        "f,,B,,,,",
                                        "g,,,,,,",
                                        "h,,\xB1,,,,",
                                    }));
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    Choose(main, main.MenuSortTitle);
    EXPECT_EQ(Column(*main.ComboGrid1, 1), (std::vector<std::string>{"g", "f", "e", "d", "c", "h", "b", "a"}));
}

TEST(Sorting, ANumberThatIsNoneStopsTheSortWhereTheInsertionSortStops) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({"a,,,,,,30", "b,,,,,,20", "c,,,,,,10", "d,,,,,,", "e,,,,,,5",
                                                 "f,,,,,,1"}));
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    Choose(main, main.MenuSortTitle);  // all titles empty: nothing moves
    const Grid before = Shown(grid);

    // The three rows before the empty cell are placed; it and the rest
    // stay; the title sort's mark stays.
    script.AnswerMessage(IDOK);
    Choose(main, main.MenuSortSize);
    ASSERT_EQ(script.Records().size(), 1u);
    ExpectNotAnInteger(script.Record(0), "");
    const Grid after = Shown(grid);
    EXPECT_EQ(after, (Grid{before[2], before[1], before[0], before[3], before[4], before[5]}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{3});
    // The order is not the file's: saving asks.
    script.AnswerMessage(IDCANCEL);
    EXPECT_EQ(main.SaveCsv("cat.csv"), 2);
    EXPECT_EQ(script.Records().back().caption, "確認");

    // Row 2 is read before row 1, both before anything moves.
    grid.SetCell(7, 1, "x1");
    grid.SetCell(7, 2, "x2");
    script.AnswerMessage(IDOK);
    Choose(main, main.MenuSortSize);
    ExpectNotAnInteger(script.Records().back(), "x2");
    grid.SetCell(7, 2, "  +7");
    script.AnswerMessage(IDOK);
    Choose(main, main.MenuSortSize);
    ExpectNotAnInteger(script.Records().back(), "x1");
    grid.SetCell(7, 1, "2147483648");  // one past the 32-bit range
    script.AnswerMessage(IDOK);
    Choose(main, main.MenuSortSize);
    ExpectNotAnInteger(script.Records().back(), "2147483648");
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"c", "b", "a", "d", "e", "f"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{3});

    // Every record is still there once.
    Grid sorted = Shown(grid);
    std::vector<std::string> dirs;
    for (const Record& r : sorted) dirs.push_back(r[1]);
    std::sort(dirs.begin(), dirs.end());
    EXPECT_EQ(dirs, (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
}

TEST(Sorting, OneRecordSortsWithoutReadingItsNumber) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({"a,,,,,,no number"}));
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;  // a message would fail the test
    TansuWindows windows;
    TForm1& main = windows.main();
    Choose(main, main.MenuSortSize);
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{7});
    EXPECT_EQ(main.ComboGrid1->Cells(7, 1), "no number");
}

TEST(Sorting, ASortedCatalogDoesNotMoveAndASortRepaintsOnce) {
    TempFolder dir;
    std::vector<std::string> records;
    for (int i = 0; i < 200; ++i) records.push_back("d" + std::to_string(1000 + i) + ",,T" + std::to_string(i % 3) + ",,,," + std::to_string(i));
    WriteBytes(dir.file("cat.csv"), CatalogFile(records));
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));
    QApplication::processEvents();
    PaintCounter counter(Cells(main));

    // Opening the menu repaints the grid (the menu takes the focus), so the
    // items are chosen here the way the open menu passes a choice on, and
    // only the sorts' own repaints are counted.
    auto choiceOnly = [&](TMenuItem* item) {
        item->Action()->trigger();
        QApplication::processEvents();
    };
    // Already in order by number, folder and size: nothing moves, nothing
    // is repainted.
    const Grid before = Shown(grid);
    choiceOnly(main.MenuSortNum);
    choiceOnly(main.MenuSortDir);
    choiceOnly(main.MenuSortSize);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(Shown(grid), before);
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{7});

    // A sort that moves 200 records paints once; the selection stays on
    // its row, as when the texts are written anew.
    grid.SetRow(5);
    QApplication::processEvents();
    counter.paints = 0;
    choiceOnly(main.MenuSortTitle);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(grid.Cells(3, 1), "T0");
    EXPECT_EQ(grid.Cells(1, 2), "d1003");
    EXPECT_EQ(grid.Cells(3, 200), "T2");
}

TEST(Sorting, DraggingARowClearsTheMarkAndSavingAsksAboutTheOrder) {
    TempFolder dir;
    const std::string file = CatalogFile({"A,1.LZH,c,,,,", "B,2.LZH,a,,,,", "C,3.LZH,b,,,,"});
    WriteBytes(dir.file("cat.csv"), file);
    WriteBytes(dir.file("Tansu.ini"), IniFor("cat.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    main.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.Widget()));

    // After a sort: the question; Yes writes the order shown.
    Choose(main, main.MenuSortTitle);
    script.AnswerMessage(IDYES);
    EXPECT_EQ(main.SaveCsv("shown.csv"), 0);
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_EQ(script.Record(0).text, "現在のレコード並び方で書き換えます。\nよろしいですか？");
    EXPECT_EQ(script.Record(0).caption, "確認");
    EXPECT_EQ(script.Record(0).flags, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(ReadBytes(dir.file("shown.csv")), CatalogFile({"B,2.LZH,a,,,,", "C,3.LZH,b,,,,", "A,1.LZH,c,,,,"}));

    // A drag: no mark at all, the numbers stay with their records.
    DragRow(main, 3, 1);
    EXPECT_EQ(Column(grid, 0), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{});
    EXPECT_TRUE(main.Modified);  // the order is the user's own work
    DragRow(main, 1, 3);
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{});
    ASSERT_EQ(Column(grid, 1), (std::vector<std::string>{"B", "C", "A"}));

    // No puts the records back in number order before writing.
    script.AnswerMessage(IDNO);
    EXPECT_EQ(main.SaveCsv("numbered.csv"), 0);
    EXPECT_EQ(ReadBytes(dir.file("numbered.csv")), file);
    EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{0});
    // Cancel writes nothing.
    DragRow(main, 2, 1);
    script.AnswerMessage(IDCANCEL);
    EXPECT_EQ(main.SaveCsv("cancelled.csv"), 2);
    EXPECT_FALSE(testsupport::Exists(dir.file("cancelled.csv")));
    EXPECT_EQ(script.Records().size(), 3u);
}

TEST(Sorting, AHundredThousandRecordsInReverseOrderSortAtOnce) {
    TempFolder dir;
    // Titles and sizes both descending: the insertion sort's worst case.
    std::vector<std::string> records;
    for (int i = 99999; i >= 0; --i) {
        char title[16];
        std::snprintf(title, sizeof title, "\x83\x5C%06d", i);
        records.push_back("S" + std::to_string(i) + ",A.LZH," + title + ",,,," + std::to_string(i * 3 - 150000));
    }
    WriteBytes(dir.file("big.csv"), CatalogFile(records));
    WriteBytes(dir.file("Tansu.ini"), IniFor("big.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    ASSERT_EQ(grid.RowCount(), 100001);
    Choose(main, main.MenuSortTitle);
    for (int r = 1; r <= 100000; r += 9999) ASSERT_EQ(grid.Cells(1, r), "S" + std::to_string(r - 1)) << r;
    Choose(main, main.MenuSortNum);
    Choose(main, main.MenuSortSize);
    EXPECT_EQ(grid.Cells(7, 1), "-150000");
    EXPECT_EQ(grid.Cells(0, 1), "100000");
    EXPECT_EQ(grid.Cells(7, 100000), std::to_string(99999 * 3 - 150000));
    EXPECT_EQ(MarksWhenOpened(main), std::vector<int>{7});
}

namespace {

// Byte by byte as unsigned values; a text that begins the other is the
// smaller.
bool TextGreater(const std::string& a, const std::string& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) return x > y;
    }
    return a.size() > b.size();
}

// The sort as an insertion sort literally does it, row by row, converting
// each key when it is needed, with the window's SortColumn.
struct LiteralSort {
    Grid rows;
    int sortColumn = 0;
    std::string error;  // the text of the cell that was no number

    void Sort(int column, bool numbers) {
        error.clear();
        // rows[0] is grid row 1.
        auto key = [&](size_t i) -> int32_t { return StrToInt(rows[i][static_cast<size_t>(column)]); };
        try {
            for (size_t i = 1; i < rows.size(); ++i) {
                Record taken = rows[i];
                size_t n = i;  // the row after the one compared
                if (numbers) {
                    const int32_t k = key(i);
                    while (n >= 1 && key(n - 1) > k) {
                        rows[n] = rows[n - 1];
                        --n;
                    }
                } else {
                    const std::string& k = taken[static_cast<size_t>(column)];
                    while (n >= 1 && TextGreater(rows[n - 1][static_cast<size_t>(column)], k)) {
                        rows[n] = rows[n - 1];
                        --n;
                    }
                }
                rows[n] = taken;
            }
            sortColumn = column;
        } catch (const EConvertError& e) {
            error = e.Message();
        }
    }
};

// Random texts from a small alphabet (so that keys often tie) with
// single-byte, half-width katakana and double-byte characters and a zero
// byte; half of them longer, behind a common eight-byte beginning.
std::string RandomText(std::mt19937& rng) {
    static const std::string pieces[] = {"a", "A", "b", "\xB1", "\xDF", "\x83\x41", "\x82\xA0", "\xE0\x40",
                                         "\x81\x5C", " ", std::string(1, '\0')};
    std::string text;
    if (rng() % 2 == 0) {
        for (unsigned n = rng() % 4; n > 0; --n) text += pieces[rng() % 11];
    } else {
        text = rng() % 3 == 0 ? "\x92\x85\x82\xB9\x91\xD6\x82\xA6" : "abcdefg";  // 着せ替え
        for (unsigned n = rng() % 5; n > 0; --n) text += pieces[rng() % 11];
    }
    return text;
}

// Mostly numbers in several forms, now and then one that is none.
std::string RandomNumber(std::mt19937& rng) {
    static const char* const odd[] = {"", "x", "$", "2147483648", "-2147483649", "1 ", "$7FFFFFFF", "-2147483648",
                                      " -3", "+4", "$ff", "-$10"};
    if (rng() % 40 == 0) return odd[rng() % 12];
    return std::to_string(static_cast<int>(rng() % 7) - 3);
}

}  // namespace

TEST(Sorting, TheFastSortsGiveExactlyWhatTheInsertionSortGives) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniFor(""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    TComboGrid& grid = *main.ComboGrid1;
    TMenuItem* const items[] = {main.MenuSortNum,   main.MenuSortDir, main.MenuSortLZHFile, main.MenuSortTitle,
                                main.MenuSortAuthor, main.MenuSortID,  main.MenuSortDate,    main.MenuSortSize};
    std::mt19937 rng(2024);
    LiteralSort literal;
    int failures = 0;
    for (int catalog = 0; catalog < 3000; ++catalog) {
        // A fresh catalog now and then; otherwise the next sort starts from
        // the order the last one left.
        if (catalog % 4 == 0) {
            const int records = static_cast<int>(rng() % 24) + 1;
            literal.rows.assign(static_cast<size_t>(records), Record{});
            grid.SetRowCount(records + 1);
            for (int r = 0; r < records; ++r) {
                Record& record = literal.rows[static_cast<size_t>(r)];
                record[0] = rng() % 30 == 0 ? RandomText(rng) : RandomNumber(rng);
                for (int c = 1; c < 7; ++c) record[static_cast<size_t>(c)] = RandomText(rng);
                record[7] = RandomNumber(rng);
                for (int c = 0; c < 8; ++c) grid.SetCell(c, r + 1, record[static_cast<size_t>(c)]);
            }
            literal.sortColumn = main.SortColumn;
        }
        const int column = static_cast<int>(rng() % 8);
        literal.Sort(column, column == 0 || column == 7);
        if (!literal.error.empty()) {
            script.AnswerMessage(IDOK);
            ++failures;
        }
        const size_t boxes = script.Records().size();
        Choose(main, items[column]);
        ASSERT_EQ(script.Records().size(), boxes + (literal.error.empty() ? 0 : 1)) << catalog;
        if (!literal.error.empty()) {
            ASSERT_EQ(script.Records().back().text, literal.error + ".") << catalog;
        }
        ASSERT_EQ(Shown(grid), literal.rows) << "catalog " << catalog << " column " << column;
        ASSERT_EQ(main.SortColumn, literal.sortColumn) << catalog;
    }
    EXPECT_GT(failures, 100);  // the partial sorts were tried often
}
