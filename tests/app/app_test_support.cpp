#include "app_test_support.h"

#include "app/start.h"
#include "framework/ui/forms/application.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <thread>

std::string CatalogFile(const std::vector<std::string>& records) {
    std::string file = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
    for (const std::string& r : records) file += r + "\r\n";
    return file;
}

std::string IniFor(const std::string& catalog) { return "[FilePaths]\r\nDefaultCSV = " + catalog + "\r\n"; }

std::string IniWithKissFolder(const std::string& catalog, const std::string& kissFolder) {
    return "[FilePaths]\r\nDefaultCSV = " + catalog + "\r\nKISSDIR = " + kissFolder +
           "\r\n\r\n[FormPosition]\r\nTop = 0\r\nLeft = 0\r\nWidth = 534\r\nHeight = 450\r\n";
}

std::string DescriptionText(const std::string& title, const std::string& author, const std::string& regDate,
                            const std::string& bytes) {
    std::string f = "------------------------------------------------------------\r\n";
    f += "\x83\x66\x81\x5B\x83\x5E\x96\xBC\x81\x46" "KISS DOLL\r\n";  // data name
    f += "\x81\x40\x81\x40\x81\x40\x49\x44\x81\x46" "ABC01234\r\n";   // ID
    f += "\x93\x6F\x98\x5E\x93\xFA\x95\x74\x81\x46" + regDate + "\r\n";  // registration date
    f += "\x81\x40\x81\x40\x91\xAE\x90\xAB\x81\x46" "BIN\r\n";        // attribute
    f += "\x81\x40\x83\x6F\x83\x43\x83\x67\x81\x46" + bytes + "\r\n";  // bytes
    f += "\x81\x40\x81\x40\x8E\x51\x8F\xC6\x81\x46" "0\r\n\r\n";       // reference
    f += "\x81\x79\x96\xBC\x81\x40\x8F\xCC\x81\x7A" + title + "\r\n";     // title item
    f += "\x81\x79\x90\xA7\x8D\xEC\x8E\xD2\x96\xBC\x81\x7A" + author + "\r\n";  // maker item
    return f;
}

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

void WriteViewer(const std::string& osPath, const std::string& log) {
    testsupport::WriteBytes(osPath, "#!/bin/sh\n"
                                    "line=\"$(pwd -P)\"\n"
                                    "for a in \"$@\"; do line=\"$line <$a>\"; done\n"
                                    "printf '%s\\n' \"$line\" >> '" + log + "'\n");
    ::chmod(osPath.c_str(), 0755);
}

std::vector<std::string> LogLines(const std::string& log) {
    std::vector<std::string> lines;
    std::istringstream in(testsupport::Exists(log) ? testsupport::ReadBytes(log) : std::string());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> WaitForLines(const std::string& log, size_t count) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (LogLines(log).size() < count && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return LogLines(log);
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

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* former = std::getenv(name)) former_ = former;
    ::setenv(name, value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (former_) ::setenv(name_.c_str(), former_->c_str(), 1);
    else ::unsetenv(name_.c_str());
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
