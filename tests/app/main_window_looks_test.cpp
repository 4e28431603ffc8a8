// The main window as it shows: whole headings, plain menu lines, and the
// dialogs a newcomer meets closable from the keyboard.
#include "app_test_support.h"

#include "editor/record_form.h"
#include "framework/ui/modal/message_box_flags.h"
#include "settings/setup_form.h"

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

const char kWideIni[] =
    "[FilePaths]\r\nDefaultCSV = Tansu.CSV\r\n\r\n[FormPosition]\r\nTop = 0\r\nLeft = 0\r\nWidth = 800\r\nHeight = 450\r\n";

QImage CellImage(TComboGrid& grid, int col, int row) {
    TRect r = grid.CellRect(col, row);
    return grid.Widget()->grab(QRect(r.left, r.top, r.Width(), r.Height())).toImage();
}

// The lowest row of the cell that holds text (dark or grey, smoothed)
// pixels, leaving out the cell's edge lines at the sides; -1 when none.
int LowestTextRow(const QImage& image) {
    for (int y = image.height() - 1; y >= 1; --y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (qGray(image.pixel(x, y)) < 160) return y;
    return -1;
}

// Whether every row of `image` that holds something other than the colour
// of its corner holds one unbroken stretch of it over half the width at
// least: a line, with no text beside it.
bool OnlyALine(const QImage& image) {
    const QRgb ground = image.pixel(0, 0);
    bool any = false;
    for (int y = 0; y < image.height(); ++y) {
        int first = -1, last = -1, count = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == ground) continue;
            if (first < 0) first = x;
            last = x;
            ++count;
        }
        if (count == 0) continue;
        any = true;
        if (count != last - first + 1 || count < image.width() / 2) return false;
    }
    return any;
}

}  // namespace

TEST(MainWindowLooks, HeadingsShowTheirUnderscoresWhole) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), kWideIni);
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({"SAKURA,SAKURA01.LZH,T,U,HAN01234,1996/04/02,48213"}));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    // The underscore reaches below the letters: with it the heading's
    // lowest dark row lies lower than with a blank in its place, unless the
    // row's edge cuts it off.
    for (int col : {2, 5}) {
        const std::string heading = grid.Cells(col, 0);
        ASSERT_NE(heading.find('_'), std::string::npos);
        int withUnderscore = LowestTextRow(CellImage(grid, col, 0));
        std::string blanked = heading;
        blanked[blanked.find('_')] = ' ';
        grid.SetCell(col, 0, blanked);
        int lettersOnly = LowestTextRow(CellImage(grid, col, 0));
        grid.SetCell(col, 0, heading);
        ASSERT_GE(lettersOnly, 0) << heading;
        EXPECT_GT(withUnderscore, lettersOnly) << heading << ": the underscore is cut off";
    }
}

TEST(MainWindowLooks, ColumnsShowTheDatesIdsAndFoldersWhole) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), kWideIni);
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({"SAKURA,SAKURA01.LZH,T,U,HAN01234,1996/04/02,48213",
                                                   "FANTASY,MAHOU.LZH,T,U,HSK00999,2000/02/14,93005",
                                                   "DEMO,DEMODOLL.LZH,T,U,TAN00000,2026/12/08,25524"}));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    // Folder, ID and date fit between the margins of their columns.
    for (int row = 1; row <= 3; ++row)
        for (int col : {1, 5, 6})
            EXPECT_LE(grid.TextWidth(grid.Cells(col, row)) + 2 * 2, grid.ColWidths(col)) << grid.Cells(col, row);
    // On screen the right-aligned date keeps clear of the cell's left edge,
    // which a cut first digit would touch (row 2 is not the selected one).
    const QImage date = CellImage(grid, 6, 2);
    int firstInk = -1;
    for (int x = 0; x < date.width() && firstInk < 0; ++x)
        for (int y = 1; y < date.height() - 1; ++y)
            if (qGray(date.pixel(x, y)) < 160) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 2);
}

TEST(MainWindowLooks, MenuSeparatorsAreLinesWithoutText) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), kWideIni);
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({}));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    auto* bar = main.Widget()->findChild<QMenuBar*>();
    ASSERT_TRUE(bar);
    QMenu* file = bar->actions().front()->menu();
    ASSERT_TRUE(file);
    file->popup(main.Widget()->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QImage picture = file->grab().toImage();
    int lines = 0;
    const QList<QAction*> actions = file->actions();
    for (qsizetype i = 1; i + 1 < actions.size(); ++i) {
        if (!actions[i]->isSeparator()) continue;
        ++lines;
        // The whole band between the items around it, inside the frame.
        int top = file->actionGeometry(actions[i - 1]).bottom() + 1;
        int bottom = file->actionGeometry(actions[i + 1]).top() - 1;
        QRect band(2, top, picture.width() - 4, bottom - top + 1);
        EXPECT_TRUE(OnlyALine(picture.copy(band))) << "separator " << lines << " shows more than its line";
    }
    EXPECT_EQ(lines, 2);
    // The check sees text where there is some ("終了(&X)", not highlighted).
    QAction* exit = file->actions().back();
    ASSERT_NE(file->activeAction(), exit);
    EXPECT_FALSE(OnlyALine(picture.copy(file->actionGeometry(exit))));
    file->hide();
}

TEST(MainWindowLooks, EscClosesTheSettingsAndRecordDialogs) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({"D,A.LZH,T,U,,,"}));
    StrictScript script;
    // The first start: Yes opens the settings as the window first shows.
    script.AnswerMessage(IDYES);
    TansuWindows windows;
    TForm1& main = windows.main();
    auto pressEsc = [](QWidget& window) {
        QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
        QTest::keyClick(target, Qt::Key_Escape);
    };
    script.WhileModal(pressEsc);
    main.Show();
    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Record(1).caption, "TANSU 設定画面");
    EXPECT_EQ(script.Record(1).answer, int(mrCancel));
    EXPECT_FALSE(Form2->Visible());

    // The record dialog from the grid (Ctrl+M), closed the same way.
    script.WhileModal(pressEsc);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_EQ(script.Records().size(), 3u);
    EXPECT_EQ(script.Record(2).caption, "TANSU レコード編集画面");
    EXPECT_EQ(script.Record(2).answer, int(mrCancel));

    // A close query that refuses keeps the dialog up: Esc asks, it does not
    // force.
    bool asked = false;
    Form3->OnCloseQuery.Bind([&](TObject*, bool& canClose) {
        if (!asked) canClose = false;
        asked = true;
    });
    bool stayed = false;
    script.WhileModal([&](QWidget& window) {
        pressEsc(window);
        QCoreApplication::sendPostedEvents();
        stayed = window.isVisible();
        pressEsc(window);
    });
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(stayed);
    Form3->OnCloseQuery.Clear();
}
