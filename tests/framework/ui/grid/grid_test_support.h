// Shared setup of the grid tests: a shown window holding one grid, the
// catalog configuration and small helpers for cell positions and keys.
#pragma once

#include "framework/ui/grid/inplace_editor.h"
#include "framework/ui/grid/string_grid_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <string>

namespace gridtest {

using namespace ui;

// A top-level window of the given size with the grid filling it.
template <class Grid = StringGridWidget>
struct GridWindow {
    QWidget top;
    Grid* grid;

    explicit GridWindow(int width = 534, int height = 450) {
        top.resize(width, height);
        grid = new Grid(&top);
        grid->setGeometry(0, 0, width, height);
        top.show();
        (void)QTest::qWaitForWindowExposed(&top);
    }

    // Lets the scroll area lay out its scroll bars (it does so queued).
    void Settle() { QApplication::processEvents(); }

    // Makes the window active and the grid the focused control.
    bool Focus() {
        top.activateWindow();
        (void)QTest::qWaitForWindowActive(&top);
        grid->setFocus();
        return grid->hasFocus();
    }
};

// The catalog grid's configuration: 8 columns, fixed heading row and
// number column, whole-row selection, column sizing and row moving.
inline void SetUpCatalog(StringGridWidget& g, int rows) {
    g.SetColCount(8);
    g.SetRowCount(rows);
    g.SetDefaultColWidth(40);
    g.SetDefaultRowHeight(14);
    const int widths[] = {40, 45, 95, 256, 72, 65, 64, 52};
    for (int c = 0; c < 8; ++c) g.SetColWidth(c, widths[c]);
    g.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected | goColSizing |
                 goRowMoving | goRowSelect);
    for (int r = 1; r < rows; ++r) {
        g.SetCell(0, r, std::to_string(r));
        g.SetCell(1, r, "d" + std::to_string(r));
    }
}

inline QPoint Center(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
inline QPoint CellCenter(GridWidget& g, int col, int row) { return Center(g.CellRect(col, row)); }

// Mouse actions on the grid's cell area.
inline void Press(GridWidget& g, QPoint p, Qt::KeyboardModifiers m = {}) {
    QTest::mousePress(g.viewport(), Qt::LeftButton, m, p);
}
inline void MoveTo(GridWidget& g, QPoint p) { QTest::mouseMove(g.viewport(), p); }
inline void Release(GridWidget& g, QPoint p) { QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, p); }
inline void Click(GridWidget& g, QPoint p, Qt::KeyboardModifiers m = {}) {
    Press(g, p, m);
    Release(g, p);
}

// Keys go to the widget that has them: the editor while it shows.
inline QWidget* KeyTarget(GridWidget& g) {
    InplaceEditor* e = g.Editor();
    return e && !e->isHidden() ? static_cast<QWidget*>(e) : static_cast<QWidget*>(&g);
}
inline void Key(GridWidget& g, Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(KeyTarget(g), k, m); }
// One key event per character (keyClicks does not take non-ASCII text); a
// character outside the BMP goes as one event with its surrogate pair.
inline void Type(GridWidget& g, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, n);
        i += n - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, ch);
        QApplication::sendEvent(KeyTarget(g), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, ch);
        QApplication::sendEvent(KeyTarget(g), &release);
    }
}

}  // namespace gridtest
