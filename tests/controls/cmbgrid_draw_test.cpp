// TComboGrid places each text by its column's alignment and margin: taken
// from the grid's picture.
#include "controls/CmbGrid.h"
#include "framework/ui/test_window.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

// The box of the dark (text) pixels inside a cell, its 2-pixel border
// (3-D edges) left out.
struct Ink {
    int left, right, top, bottom;  // inclusive
    double CenterX() const { return (left + right) / 2.0; }
};

std::optional<Ink> InkIn(const QImage& image, const TRect& r) {
    std::optional<Ink> ink;
    for (int y = r.top + 2; y < r.bottom - 2; ++y) {
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            if (qGray(image.pixel(x, y)) >= 110) continue;
            if (!ink) ink = Ink{x, x, y, y};
            ink->left = std::min(ink->left, x);
            ink->right = std::max(ink->right, x);
            ink->top = std::min(ink->top, y);
            ink->bottom = std::max(ink->bottom, y);
        }
    }
    return ink;
}

struct DrawWindow {
    TOwned<TTestWindow> form{new TTestWindow(nullptr)};
    TComboGrid* grid = new TComboGrid(form.get());

    DrawWindow() {
        form->SetBounds(0, 0, 500, 200);
        grid->SetBounds(0, 0, 500, 200);
        grid->SetParent(form.get());
        grid->SetColCount(4);
        grid->SetRowCount(4);
        grid->SetDefaultColWidth(100);
        grid->SetDefaultRowHeight(30);
        form->Widget()->show();
        (void)QTest::qWaitForWindowExposed(form->Widget());
    }
    QImage Picture() {
        QWidget* cells = static_cast<QAbstractScrollArea*>(grid->Widget())->viewport();
        QImage image = cells->grab().toImage();
        EXPECT_EQ(image.devicePixelRatio(), 1.0);
        return image;
    }
    Ink InkOf(const QImage& image, int col, int row) {
        std::optional<Ink> ink = InkIn(image, grid->CellRect(col, row));
        EXPECT_TRUE(ink) << "no text in " << col << "," << row;
        return ink.value_or(Ink{0, 0, 0, 0});
    }
};

}  // namespace

TEST(ComboGridDrawing, TextsArePlacedByAlignmentAndMargin) {
    DrawWindow w;
    TComboGrid* g = w.grid;
    // Column 0 as in the catalog: fixed cells centred, data cells right.
    g->GetCellKind(0)->SetFixedAlign(caCenter | caMiddle);
    g->GetCellKind(0)->SetCellAlign(caRight | caMiddle);
    g->GetCellKind(1)->SetFixedAlign(caCenter | caMiddle);
    g->GetCellKind(1)->SetCellAlign(caRight | caMiddle);
    for (int c = 0; c < 3; ++c) g->SetCell(c, 2, "88");
    g->SetCell(1, 0, "#");
    QImage image = w.Picture();

    // Right: the text ends Margin pixels before the cell's right edge (the
    // glyph's ink a pixel or so inside its advance).
    const TRect rightCell = g->CellRect(1, 2);
    const Ink right = w.InkOf(image, 1, 2);
    EXPECT_LE(right.right, rightCell.right - 2 - 1);
    EXPECT_GE(right.right, rightCell.right - 2 - 3);
    // Left: Margin pixels in from the left edge.
    const TRect leftCell = g->CellRect(2, 2);
    const Ink left = w.InkOf(image, 2, 2);
    EXPECT_GE(left.left, leftCell.left + 2);
    EXPECT_LE(left.left, leftCell.left + 2 + 2);
    // Middle: the same rows for every cell of the row.
    EXPECT_EQ(left.top, right.top);
    const double rowMiddle = (rightCell.top + rightCell.bottom - 1) / 2.0;
    EXPECT_NEAR((right.top + right.bottom) / 2.0, rowMiddle, 3.0);
    // The heading and the number of the fixed column are centred, whatever
    // the data-cell alignment says.
    EXPECT_NEAR(w.InkOf(image, 1, 0).CenterX(), (g->CellRect(1, 0).left + g->CellRect(1, 0).right - 1) / 2.0, 1.5);
    EXPECT_NEAR(w.InkOf(image, 0, 2).CenterX(), (g->CellRect(0, 2).left + g->CellRect(0, 2).right - 1) / 2.0, 1.5);

    // A wider margin moves right-aligned text left and left-aligned text
    // right by exactly the difference; caRight wins over caCenter.
    g->GetCellKind(1)->SetMargin(6);
    g->GetCellKind(1)->SetCellAlign(caCenter | caRight | caMiddle);
    g->GetCellKind(2)->SetMargin(6);
    image = w.Picture();
    EXPECT_EQ(w.InkOf(image, 1, 2).right, right.right - 4);
    EXPECT_EQ(w.InkOf(image, 2, 2).left, left.left + 4);

    // Bottom: a fixed cell's text ends 2 pixels higher than a data cell's;
    // caBottom wins over caTop.  Top: 2 pixels below the top edge for both.
    g->GetCellKind(3)->SetFixedAlign(caBottom | caTop);
    g->GetCellKind(3)->SetCellAlign(caBottom);
    g->SetCell(3, 0, "88");
    g->SetCell(3, 2, "88");
    image = w.Picture();
    const int fixedGap = g->CellRect(3, 0).bottom - w.InkOf(image, 3, 0).bottom;
    const int dataGap = g->CellRect(3, 2).bottom - w.InkOf(image, 3, 2).bottom;
    EXPECT_EQ(fixedGap, dataGap + 2);
    g->GetCellKind(3)->SetFixedAlign(caTop);
    g->GetCellKind(3)->SetCellAlign(caTop);
    image = w.Picture();
    EXPECT_EQ(w.InkOf(image, 3, 0).top - g->CellRect(3, 0).top, w.InkOf(image, 3, 2).top - g->CellRect(3, 2).top);
    EXPECT_LT(w.InkOf(image, 3, 2).top - g->CellRect(3, 2).top, 2 + 8);
}

TEST(ComboGridDrawing, NumberFormatAndTheGridsOwnDrawCellEvent) {
    DrawWindow w;
    TComboGrid* g = w.grid;
    // Item 1 of a text column formats its numbers; other texts stay.
    TCellKind* k = g->GetCellKind(1);
    k->Items()->Add("");
    k->Items()->Add("0000");
    g->SetCell(1, 2, "7");
    g->SetCell(2, 2, "7");
    g->SetCell(1, 3, "x");
    QImage image = w.Picture();
    auto width = [&](int c, int r) {
        const Ink ink = w.InkOf(image, c, r);
        return ink.right - ink.left;
    };
    EXPECT_GT(width(1, 2), 3 * width(2, 2));  // "0007" against "7"
    EXPECT_LT(width(1, 3), width(1, 2));      // "x" is no number: as it is

    int fired = 0;
    std::vector<std::pair<int, int>> cells;
    g->OnDrawCell.Bind([&](TObject* s, int c, int r, const TRect& rect, TGridDrawState) {
        EXPECT_EQ(s, g);
        EXPECT_EQ(rect, g->CellRect(c, r));
        cells.emplace_back(c, r);
        ++fired;
    });
    (void)w.Picture();
    EXPECT_EQ(fired, 16);  // every visible cell, once

    // Without default drawing the grid draws no text, and still reports.
    g->SetDefaultDrawing(false);
    fired = 0;
    (void)w.Picture();
    EXPECT_EQ(fired, 16);
}

TEST(ComboGridDrawing, ArrowWidthIsTheScrollBarsArrow) {
    EXPECT_GT(ArrowWidth(), 0);
    EXPECT_EQ(ArrowWidth(), ArrowWidth());
}

TEST(ComboGridDrawing, ATextTallerThanItsCellIsClippedToIt) {
    DrawWindow w;
    TComboGrid* g = w.grid;
    // Rows 6 pixels high hold a part of a line only: the text draws around
    // the middle (a negative offset) and nothing lands outside its cell.
    g->SetRowHeights(2, 6);
    g->SetCell(2, 2, "88");
    const QImage image = w.Picture();
    const TRect cell = g->CellRect(2, 2);
    int inside = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) inside += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
    EXPECT_GT(inside, 0);
    // The bands next to the cell, above and below (the grid lines between
    // are light): an unclipped text would reach into them.
    auto darkIn = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x) n += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
        return n;
    };
    EXPECT_EQ(darkIn(cell.top - 8, cell.top), 0);
    EXPECT_EQ(darkIn(cell.bottom, cell.bottom + 8), 0);
    // The line between the rows stays the grid's own line colour.
    EXPECT_EQ(image.pixel(cell.left + 4, cell.bottom), image.pixel(cell.right - 4, cell.bottom));
}
