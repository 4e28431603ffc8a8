// Adding every new set of the KiSS folder at once, as the user does:
// Ctrl+I, the list of what will be added with its check boxes, OK or
// Cancel, the records in the grid.
#include "app_test_support.h"

#include "app/batch_add_form.h"
#include "app/scan_progress_form.h"
#include "app/scan_with_progress.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/ui_test_support.h"

#include <QAbstractScrollArea>
#include <QTest>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <utime.h>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

// A file whose modification time is noon of a local date.
void WriteDated(const std::string& path, const std::string& bytes, int year, int month, int day) {
    WriteBytes(path, bytes);
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    const utimbuf times{std::mktime(&t), std::mktime(&t)};
    ASSERT_EQ(utime(path.c_str(), &times), 0);
}

// The start of an LZH archive (level-0 header, method -lh5-).
std::string LzhHead() { return std::string("\x22\x00-lh5-", 7) + std::string(40, 'x'); }

struct KissFolder {
    TempFolder dir;
    std::string kiss = dir.file("kiss");

    KissFolder() { std::filesystem::create_directory(kiss); }
    std::string Put(const std::string& relative, const std::string& bytes) {
        const std::string path = kiss + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteBytes(path, bytes);
        return path;
    }
    void Start(const std::vector<std::string>& records) {
        WriteBytes(dir.file("Tansu.CSV"), CatalogFile(records));
        WriteBytes(dir.file("Tansu.ini"), IniWithKissFolder("Tansu.CSV", SystemFormOf(kiss) + "\\"));
    }
};

void PressCtrlI(TForm1& main) { QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_I, Qt::ControlModifier); }

// Runs the event loop until `done` holds; false after ten seconds.
template <class Pred>
bool WaitLong(Pred done) {
    for (int i = 0; i < 1000 && !done(); ++i) QTest::qWait(10);
    return done();
}

QWidget& ListCells() { return *static_cast<QAbstractScrollArea*>(BatchAddForm->ComboGrid1->Widget())->viewport(); }

std::vector<std::string> ListRow(int row) {
    std::vector<std::string> cells;
    for (int c = 0; c < 10; ++c) cells.push_back(BatchAddForm->ComboGrid1->Cells(c, row));
    return cells;
}

}  // namespace

TEST(BatchAdd, ListsTheNewSetsCheckedAndAppendsTheCheckedOnesOnOk) {
    KissFolder k;
    // A listed set (its names in other letter cases), a described one whose
    // title and size hold commas, a damaged archive without description, a
    // described .LHA, an archive outside any set folder, one whose name has
    // no Shift-JIS form and one in a folder whose name holds a comma.
    k.Put("SET1/OLD.lzh", LzhHead());
    k.Put("SET1/SAKURA.LZH", LzhHead());
    k.Put("SET1/sakura.Txt", DescriptionText("Sakura, the doll", "Hana", "97/05/12", "48,213"));
    WriteDated(k.Put("SET2/Broken.zip", "not an archive"), "not an archive", 2001, 2, 3);
    k.Put("SET2/YUKATA.LHA", LzhHead());
    k.Put("SET2/YUKATA.TXT", DescriptionText("浴衣", "Mika", "03/07/01", "1200"));
    k.Put("ROOT.LZH", LzhHead());
    k.Put("SET3/M\xC3\xBCller.lzh", LzhHead());  // u with diaeresis has no Shift-JIS form
    k.Put("SET,4/A.LZH", LzhHead());
    k.Start({"set1,old.LZH,Old set,Aki,,1996/01/01,10"});
    const std::string catalogBefore = ReadBytes(k.dir.file("Tansu.CSV"));

    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    WhileActiveModal(script, [&] {
        TBatchAddForm& f = *BatchAddForm;
        EXPECT_EQ(f.Caption(), "TANSU KISSフォルダから一括追加");
        ASSERT_EQ(f.ComboGrid1->RowCount(), 4);
        const std::string checked = TBatchAddForm::kChecked;
        EXPECT_EQ(ListRow(1), (std::vector<std::string>{checked, "SET1", "SAKURA.LZH", "Sakura\x81\x43 the doll", "Hana",
                                                        "ABC01234", "1997/05/12", "48\x81\x43" "213", "あり",
                                                        "「,」を「，」に: タイトル サイズ"}));
        EXPECT_EQ(ListRow(2), (std::vector<std::string>{checked, "SET2", "Broken.zip", "Broken", "", "", "2001/02/03", "14",
                                                        "なし", "書庫として読めません"}));
        EXPECT_EQ(ListRow(3), (std::vector<std::string>{checked, "SET2", "YUKATA.LHA", "浴衣", "Mika", "ABC01234",
                                                        "2003/07/01", "1200", "あり", ""}));
        const TStringList& skipped = *f.ListBox1->Items();
        ASSERT_EQ(skipped.Count(), 3);
        EXPECT_EQ(skipped.Strings(0), "ROOT.LZH　… KISSフォルダの直下にあります（ﾌｫﾙﾀﾞに入れると追加できます）");
        EXPECT_EQ(skipped.Strings(1), "SET,4\\A.LZH　… 名前に「,」か改行があり、カタログに書けません");
        EXPECT_EQ(skipped.Strings(2), "SET3\\M?ller.lzh　… 書庫名に Shift-JIS で書けない文字があります");
        // The damaged archive stays out: a click on its check box.
        QTest::mouseClick(&ListCells(), Qt::LeftButton, {}, CellCenter(*f.ComboGrid1, 0, 2));
        EXPECT_EQ(f.ComboGrid1->Cells(0, 2), TBatchAddForm::kUnchecked);
        Press(f.BB_OK);
    });
    PressCtrlI(main);

    TComboGrid& grid = *main.ComboGrid1;
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"2", "SET1", "SAKURA.LZH", "Sakura\x81\x43 the doll", "Hana", "ABC01234",
                                                      "1997/05/12", "48\x81\x43" "213"}));
    EXPECT_EQ(Row(grid, 3), (std::vector<std::string>{"3", "SET2", "YUKATA.LHA", "浴衣", "Mika", "ABC01234", "2003/07/01", "1200"}));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(main.Modified);
    EXPECT_EQ(main.Caption(), "Tansu.CSV(更新) - TANSU メイン画面");
    EXPECT_EQ(ReadBytes(k.dir.file("Tansu.CSV")), catalogBefore);  // nothing written before a save

    // Again: only the set left out is new; Cancel adds nothing.
    WhileActiveModal(script, [&] {
        ASSERT_EQ(BatchAddForm->ComboGrid1->RowCount(), 2);
        EXPECT_EQ(BatchAddForm->ComboGrid1->Cells(2, 1), "Broken.zip");
        Press(BatchAddForm->BB_CANCEL);
    });
    PressCtrlI(main);
    EXPECT_EQ(grid.RowCount(), 4);

    // Saved, the catalog reads back as shown.
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(main.Modified);
    EXPECT_EQ(ReadBytes(k.dir.file("Tansu.CSV")),
              CatalogFile({"set1,old.LZH,Old set,Aki,,1996/01/01,10",
                           "SET1,SAKURA.LZH,Sakura\x81\x43 the doll,Hana,ABC01234,1997/05/12,48\x81\x43" "213",
                           "SET2,YUKATA.LHA,浴衣,Mika,ABC01234,2003/07/01,1200"}));
}

TEST(BatchAdd, AnEmptyOrFullyListedOrMissingKissFolderAddsNothing) {
    KissFolder k;
    k.Start({});
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    const std::string nothingNew = "KISSフォルダに、カタログにない書庫はありません。";

    // An empty KiSS folder, then one whose every set is listed: an empty
    // catalog's one row takes the first record.
    script.AnswerMessage(IDOK);
    PressCtrlI(main);
    EXPECT_EQ(script.Records().back().text, nothingNew);
    k.Put("A/A.LZH", LzhHead());
    WhileActiveModal(script, [&] { Press(BatchAddForm->BB_OK); });
    PressCtrlI(main);
    ASSERT_EQ(main.ComboGrid1->RowCount(), 2);
    EXPECT_EQ(Row(*main.ComboGrid1, 1)[0], "1");
    EXPECT_EQ(Row(*main.ComboGrid1, 1)[2], "A.LZH");
    script.AnswerMessage(IDOK);
    PressCtrlI(main);
    EXPECT_EQ(script.Records().back().text, nothingNew);

    // The KiSS folder gone.
    std::filesystem::remove_all(k.kiss);
    script.AnswerMessage(IDOK);
    PressCtrlI(main);
    EXPECT_EQ(script.Records().back().text, "KISSフォルダが読めません。\n" + SystemFormOf(k.kiss) + "\\");
    EXPECT_EQ(script.Records().back().flags, unsigned(MB_OK | MB_ICONHAND));
    EXPECT_EQ(main.ComboGrid1->RowCount(), 2);
}

TEST(BatchAdd, ALongLookShowsItsProgressAndCancelStopsIt) {
    KissFolder k;
    constexpr int kFolders = 150;
    for (int i = 0; i < kFolders; ++i) k.Put("S" + std::to_string(1000 + i) + "/A.LZH", LzhHead());
    k.Start({});
    scan_testing::SetPauseAfterFolder(8);
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();

    // Cancel as soon as the bar has moved.
    int shownAt = -1;
    WhileActiveModal(script, [&] {
        TProgressBar& bar = *ScanProgressForm->ProgressBar1;
        EXPECT_TRUE(WaitLong([&] { return bar.Position() > 0; }));
        shownAt = bar.Position();
        EXPECT_EQ(bar.Max(), kFolders);
        Press(ScanProgressForm->ButtonCancel);
    });
    PressCtrlI(main);
    EXPECT_GT(shownAt, 0);
    EXPECT_LT(ScanProgressForm->ProgressBar1->Position(), kFolders);  // the look stopped
    EXPECT_EQ(main.ComboGrid1->Cells(0, 1), "");

    // Left alone, the window closes by itself and the list follows.
    WhileActiveModal(script, [&] {
        EXPECT_TRUE(WaitLong([] { return ScanProgressForm->ModalResult() == mrOk; }));
    });
    WhileActiveModal(script, [&] {
        EXPECT_EQ(BatchAddForm->ComboGrid1->RowCount(), kFolders + 1);
        Press(BatchAddForm->BB_CANCEL);
    });
    PressCtrlI(main);
    scan_testing::SetPauseAfterFolder(0);
    EXPECT_EQ(main.ComboGrid1->Cells(0, 1), "");
    EXPECT_FALSE(main.Modified);
}
