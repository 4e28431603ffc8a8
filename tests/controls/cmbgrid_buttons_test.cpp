// Button and check cells of TComboGrid: how they look (taken from the
// grid's picture) and how they answer real mouse clicks and keys.
#include "controls/CmbGrid.h"
#include "framework/ui/test_window.h"
#include "framework/ui/ui_test_support.h"

#include "framework/ui/graphics/qt_graphics.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

QRgb Rgb(ui::Color c) { return ui::ToQColor(c).rgb(); }

// A grid of 4 columns and 4 rows, 100 by 30 pixels a cell: column 1 push
// buttons captioned "→", column 2 check cells with A (number 0) and B
// (number 1), column 3 text; goEditing on so that check cells work.
struct ButtonWindow {
    TOwned<TTestWindow> form{new TTestWindow(nullptr)};
    TComboGrid* grid = new TComboGrid(form.get());
    std::vector<std::pair<int, int>> clicks;

    ButtonWindow() {
        form->SetBounds(0, 0, 500, 200);
        grid->SetBounds(0, 0, 500, 200);
        grid->SetParent(form.get());
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(100);
        grid->SetDefaultRowHeight(30);
        grid->SetOptions(grid->Options() | goEditing);
        TCellKind* button = grid->GetCellKind(1);
        button->SetKind(ckButton);
        button->Items()->Add("→");
        TCellKind* check = grid->GetCellKind(2);
        check->SetKind(ckCheck);
        check->Items()->Add("A", 0);
        check->Items()->Add("B", 1);
        grid->OnGridBtnClick.Bind([this](TObject* s, int c, int r) {
            EXPECT_EQ(s, grid);
            clicks.emplace_back(c, r);
        });
        form->Widget()->show();
        (void)QTest::qWaitForWindowExposed(form->Widget());
    }
    QWidget* Cells() { return static_cast<QAbstractScrollArea*>(grid->Widget())->viewport(); }
    QImage Picture() {
        QApplication::processEvents();
        return Cells()->grab().toImage();
    }
    QPoint Center(int c, int r) {
        const TRect rect = grid->CellRect(c, r);
        return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Press(int c, int r) { QTest::mousePress(Cells(), Qt::LeftButton, {}, Center(c, r)); }
    void Release(int c, int r) { QTest::mouseRelease(Cells(), Qt::LeftButton, {}, Center(c, r)); }
    void Click(int c, int r) {
        Press(c, r);
        Release(c, r);
    }
    // The pixel just inside a cell's top-left corner: the face when raised,
    // the shadow when pressed.
    QRgb Corner(const QImage& image, int c, int r) {
        const TRect rect = grid->CellRect(c, r);
        return image.pixel(rect.left + 1, rect.top + 1);
    }
    QRgb BoxCenter(const QImage& image, int c, int r) {
        const QPoint p = Center(c, r);
        return image.pixel(p);
    }
};

int DarkPixels(const QImage& image, const TRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    return n;
}

}  // namespace

TEST(ComboGridButtons, ButtonsAndCheckBoxesAreDrawnRaisedAndPressed) {
    ButtonWindow w;
    TComboGrid* g = w.grid;
    g->SetCell(2, 1, "a");  // matches A (number 0) without regard to case
    g->SetCell(2, 2, "B");  // number 1: an empty box
    g->SetCell(2, 3, "C");  // no item: a gray box
    g->SetCol(3);
    QImage image = w.Picture();

    // Every data cell of the button column is a raised face with "→" on it.
    const QRgb face = Rgb(ui::colors::ButtonFace);
    for (int r = 1; r < 4; ++r) {
        EXPECT_EQ(w.Corner(image, 1, r), face) << r;
        const TRect cell = g->CellRect(1, r);
        EXPECT_EQ(image.pixel(cell.left + 1, cell.bottom - 1), Rgb(ui::colors::ButtonDarkShadow));
        EXPECT_EQ(image.pixel(cell.left, cell.top), Rgb(ui::colors::ButtonHighlight));
        EXPECT_GT(DarkPixels(image, {cell.left + 3, cell.top + 3, cell.right - 3, cell.bottom - 3}), 3) << r;
    }
    // The check boxes: a cross for a number-0 value, an empty window-coloured
    // box for number 1, a gray box without cross for an unknown text.
    const QPoint c1 = w.Center(2, 1);
    const QRgb crossCentre = image.pixel(c1.x(), c1.y());
    EXPECT_LT(qGray(crossCentre), 100);
    EXPECT_EQ(w.BoxCenter(image, 2, 2), Rgb(ui::colors::Window));
    EXPECT_EQ(w.BoxCenter(image, 2, 3), Rgb(ui::colors::GrayText));
    // The box is 13 pixels wide: its outer frame is shadow at the left, the
    // face of the cell lies a pixel further out.
    const TRect cell22 = g->CellRect(2, 2);
    const int boxLeft = (cell22.left + 2) + (cell22.Width() - 4) / 2 - 6;
    const int cy = w.Center(2, 2).y();
    EXPECT_EQ(image.pixel(boxLeft, cy), Rgb(ui::colors::ButtonShadow));
    EXPECT_EQ(image.pixel(boxLeft - 1, cy), face);
    EXPECT_EQ(image.pixel(boxLeft + 11, cy), Rgb(ui::colors::ButtonFace));  // inner ring, right side
    EXPECT_EQ(image.pixel(boxLeft + 12, cy), Rgb(ui::colors::ButtonHighlight));
    EXPECT_EQ(image.pixel(boxLeft + 13, cy), face);

    // Held down: the button's face is sunken, the check box face-coloured.
    w.Press(1, 2);
    EXPECT_EQ(g->PressedCol(), 1);
    EXPECT_EQ(g->PressedRow(), 2);
    image = w.Picture();
    EXPECT_EQ(w.Corner(image, 1, 2), Rgb(ui::colors::ButtonShadow));
    EXPECT_EQ(w.Corner(image, 1, 1), face);  // the others stay raised
    w.Release(1, 2);
    image = w.Picture();
    EXPECT_EQ(w.Corner(image, 1, 2), face);

    w.Press(2, 2);
    image = w.Picture();
    EXPECT_EQ(w.BoxCenter(image, 2, 2), face);
    w.Release(2, 2);

    // A caption from the cell's own text with the marker; an empty cell
    // gives an empty button.
    g->GetCellKind(1)->Items()->SetStrings(0, "%%USECELLDATA%%");
    g->SetCell(1, 1, "WWW");
    image = w.Picture();
    const TRect b1 = g->CellRect(1, 1);
    const TRect b3 = g->CellRect(1, 3);
    EXPECT_GT(DarkPixels(image, {b1.left + 3, b1.top + 3, b1.right - 3, b1.bottom - 3}), 20);
    EXPECT_EQ(DarkPixels(image, {b3.left + 3, b3.top + 3, b3.right - 3, b3.bottom - 3}), 0);
}

TEST(ComboGridButtons, AClickFiresOnceOnlyWhenPressAndReleaseShareTheCell) {
    ButtonWindow w;
    TComboGrid* g = w.grid;
    // The handler of the click still reads the pressed cell, which is drawn
    // raised already.
    std::vector<std::pair<int, int>> pressedDuringClick;
    QRgb cornerDuringClick = 0;
    g->OnGridBtnClick.Bind([&](TObject*, int c, int r) {
        w.clicks.emplace_back(c, r);
        pressedDuringClick.emplace_back(g->PressedCol(), g->PressedRow());
        cornerDuringClick = w.Corner(w.Cells()->grab().toImage(), c, r);
    });
    w.Click(1, 2);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(pressedDuringClick, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(cornerDuringClick, Rgb(ui::colors::ButtonFace));
    EXPECT_EQ(g->PressedCol(), -1);
    EXPECT_EQ(g->PressedRow(), -1);

    // Pressed in one cell, released in another: nothing, and raised again.
    w.clicks.clear();
    w.Press(1, 1);
    QTest::mouseMove(w.Cells(), w.Center(3, 3));
    EXPECT_EQ(g->PressedCol(), 1);  // moving away keeps it held
    w.Release(3, 3);
    EXPECT_TRUE(w.clicks.empty());
    EXPECT_EQ(g->PressedCol(), -1);
    EXPECT_EQ(w.Corner(w.Picture(), 1, 1), Rgb(ui::colors::ButtonFace));

    // A heading never presses; a button in the fixed column below the
    // headings does.
    w.Press(1, 0);
    EXPECT_EQ(g->PressedCol(), -1);
    w.Release(1, 0);
    EXPECT_TRUE(w.clicks.empty());
    g->GetCellKind(0)->SetKind(ckButton);
    g->GetCellKind(0)->Items()->Add("x");
    w.Click(0, 2);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{0, 2}}));

    // A text cell never presses.
    w.clicks.clear();
    w.Click(3, 2);
    EXPECT_TRUE(w.clicks.empty());
}

TEST(ComboGridButtons, CheckCellsCycleTheirValues) {
    ButtonWindow w;
    TComboGrid* g = w.grid;
    g->SetCell(2, 1, "A");
    w.Click(2, 1);
    EXPECT_EQ(g->Cells(2, 1), "B");
    w.Click(2, 1);
    EXPECT_EQ(g->Cells(2, 1), "A");
    // A text that matches no item goes to item 0; a different case counts
    // as a match.
    g->SetCell(2, 2, "zzz");
    w.Click(2, 2);
    EXPECT_EQ(g->Cells(2, 2), "A");
    g->SetCell(2, 3, "a");
    w.Click(2, 3);
    EXPECT_EQ(g->Cells(2, 3), "B");
    EXPECT_EQ(w.clicks.size(), 4u);
    // The box shows the new value at once: a cross for A.
    EXPECT_LT(qGray(w.BoxCenter(w.Picture(), 2, 1)), 100);

    // With A and B both numbered 0 a click leaves A and still fires.
    g->GetCellKind(2)->Items()->SetNumber(1, 0);
    w.clicks.clear();
    w.Click(2, 1);
    EXPECT_EQ(g->Cells(2, 1), "A");
    EXPECT_EQ(w.clicks.size(), 1u);

    // Not editable, or a grid without goEditing: check cells ignore the
    // mouse while button cells still work.
    g->GetCellKind(2)->SetEditable(false);
    w.clicks.clear();
    w.Click(2, 2);
    EXPECT_EQ(g->Cells(2, 2), "A");
    EXPECT_EQ(g->PressedCol(), -1);
    g->GetCellKind(2)->SetEditable(true);
    g->SetOptions(g->Options() & ~goEditing);
    w.Click(2, 2);
    EXPECT_TRUE(w.clicks.empty());
    w.Click(1, 2);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(ComboGridButtons, SpaceAndEnterWorkTheCurrentCell) {
    ButtonWindow w;
    TComboGrid* g = w.grid;
    QWidget* keys = g->Widget();
    g->SetCol(1);
    g->SetRow(2);
    // Space held shows the button pressed; its release clicks once.
    QTest::keyPress(keys, Qt::Key_Space);
    EXPECT_EQ(g->PressedCol(), 1);
    EXPECT_EQ(w.Corner(w.Picture(), 1, 2), Rgb(ui::colors::ButtonShadow));
    EXPECT_TRUE(w.clicks.empty());
    QTest::keyRelease(keys, Qt::Key_Space);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(g->PressedCol(), -1);

    // Enter on a button cell clicks it.
    w.clicks.clear();
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));

    // A held key repeats as release and press pairs: held Space is still one
    // click, at the end, and the button stays pressed meanwhile; held Enter
    // is one click too.
    w.clicks.clear();
    ui::testing::HoldKey(keys, Qt::Key_Space, QStringLiteral(" "), 5, [&] {
        EXPECT_TRUE(w.clicks.empty());
        EXPECT_EQ(g->PressedCol(), 1);
        EXPECT_EQ(w.Corner(w.Picture(), 1, 2), Rgb(ui::colors::ButtonShadow));
    });
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
    w.clicks.clear();
    ui::testing::HoldKey(keys, Qt::Key_Return, QStringLiteral("\r"), 5);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
    // The same where the toolkit left some repeats unmarked (as it does
    // when the pair's press is read late): told by their one time stamp.
    w.clicks.clear();
    ui::testing::HoldKey(keys, Qt::Key_Space, QStringLiteral(" "), 5, [&] { EXPECT_TRUE(w.clicks.empty()); }, true);
    ui::testing::HoldKey(keys, Qt::Key_Return, QStringLiteral("\r"), 5, {}, true);
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{1, 2}, {1, 2}}));

    // On a check cell Space moves the value on, Enter does not.
    g->SetCol(2);
    g->SetCell(2, 2, "A");
    w.clicks.clear();
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(g->Cells(2, 2), "A");
    EXPECT_TRUE(w.clicks.empty());
    QTest::keyClick(keys, Qt::Key_Space);
    EXPECT_EQ(g->Cells(2, 2), "B");
    EXPECT_EQ(w.clicks, (std::vector<std::pair<int, int>>{{2, 2}}));
    // Held, it moves the value on once.
    ui::testing::HoldKey(keys, Qt::Key_Space, QStringLiteral(" "), 4);
    EXPECT_EQ(g->Cells(2, 2), "A");
    EXPECT_EQ(w.clicks.size(), 2u);

    // While the mouse holds the left button on the grid, Space goes to the
    // grid as any key; its release still ends the hold.
    w.clicks.clear();
    g->SetCol(1);
    w.Press(3, 3);  // a text cell: nothing held, but the button is down
    g->SetCol(1);
    g->SetRow(2);
    QTest::keyPress(keys, Qt::Key_Space);
    EXPECT_EQ(g->PressedCol(), -1);
    QTest::keyRelease(keys, Qt::Key_Space);
    EXPECT_TRUE(w.clicks.empty());
    w.Release(3, 3);
}

TEST(ComboGridButtons, TheCurrentButtonCellIsDrawnOnceMore) {
    ButtonWindow w;
    TComboGrid* g = w.grid;
    int current = 0;
    int all = 0;
    g->OnDrawCell.Bind([&](TObject*, int c, int r, const TRect&, TGridDrawState) {
        ++all;
        if (c == g->Col() && r == g->Row()) ++current;
    });
    g->SetCol(3);
    (void)w.Picture();  // the repaint SetCol asked for, before counting
    all = current = 0;
    (void)w.Cells()->grab();
    EXPECT_EQ(all, 16);
    EXPECT_EQ(current, 1);
    g->SetCol(1);
    (void)w.Picture();
    all = current = 0;
    (void)w.Cells()->grab();
    EXPECT_EQ(all, 17);
    EXPECT_EQ(current, 2);
}

TEST(ComboGridButtons, APressedCellShowsAFocusFrameWhileItStaysCurrent) {
    ButtonWindow w;
    TComboGrid* g = w.grid;
    // A dot of the frame on the top edge, which is a highlight line on a
    // button and dark where the frame inverts it.
    auto frameDot = [&](const QImage& image, int c, int r) {
        const TRect rect = g->CellRect(c, r);
        const int x = rect.left + 4 + ((rect.left + 4 + rect.top) & 1);
        return qGray(image.pixel(x, rect.top));
    };
    EXPECT_GT(frameDot(w.Picture(), 1, 2), 200);
    w.Press(1, 2);
    EXPECT_LT(frameDot(w.Picture(), 1, 2), 60);
    w.Release(1, 2);
    EXPECT_LT(frameDot(w.Picture(), 1, 2), 60);
    // The current cell moves on: the frame goes; the new current button
    // cell is drawn over the grid's own focus frame.
    QTest::keyClick(g->Widget(), Qt::Key_Down);
    ASSERT_EQ(g->Row(), 3);
    const QImage image = w.Picture();
    EXPECT_GT(frameDot(image, 1, 2), 200);
    EXPECT_GT(frameDot(image, 1, 3), 200);
}
