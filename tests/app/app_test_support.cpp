#include "app_test_support.h"

#include "app/start.h"
#include "framework/ui/forms/application.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

std::string CatalogFile(const std::vector<std::string>& records) {
    std::string file = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
    for (const std::string& r : records) file += r + "\r\n";
    return file;
}

std::string IniFor(const std::string& catalog) { return "[FilePaths]\r\nDefaultCSV = " + catalog + "\r\n"; }

std::string SystemFormOf(const std::string& osPath) {
    std::string s = "Z:" + osPath;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::vector<std::string> Row(TComboGrid& grid, int row) {
    std::vector<std::string> cells;
    for (int c = 0; c < 8; ++c) cells.push_back(grid.Cells(c, row));
    return cells;
}

QWidget& Cells(TForm1& main) { return *static_cast<QAbstractScrollArea*>(main.ComboGrid1->Widget())->viewport(); }

QPoint CellCenter(TComboGrid& grid, int col, int row) {
    const TRect r = grid.CellRect(col, row);
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void Press(TControl* button) { QTest::mouseClick(button->Widget(), Qt::LeftButton); }

void WhileActiveModal(ui::ModalScript& script, std::function<void()> action) {
    script.WhileModal([action](QWidget& window) {
        // The offscreen platform does not activate a window shown a second
        // time by itself.
        window.activateWindow();
        for (int i = 0; i < 5 && QApplication::activeWindow() != &window; ++i) QTest::qWait(10);
        if (QApplication::activeWindow() != &window) QApplication::setActiveWindow(&window);
        EXPECT_EQ(QApplication::activeWindow(), &window);
        action();
    });
}

TansuWindows::TansuWindows() {
    Application->Initialize();
    CreateTansuWindows();
}

TansuWindows::~TansuWindows() { FreeTansuWindows(); }

bool TansuWindows::Close() {
    Form1->Show();
    Form1->Close();
    // The main window's closing ends the program.
    return Application->Terminated();
}

StrictScript::StrictScript() : ui::ModalScript([](const std::string& problem) { ADD_FAILURE() << problem; }) {}

StrictScript::~StrictScript() { EXPECT_EQ(PendingAnswers(), 0u) << "answers left over"; }
