// The program's windows in a private folder, with every modal thing
// answered by a script.
#pragma once

#include "app/main_form.h"
#include "framework/ui/modal/modal_script.h"
#include "support/test_files.h"

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The heading line and records of a catalog file, CR LF after each.
std::string CatalogFile(const std::vector<std::string>& records);

// A Tansu.ini that names only the default catalog.
std::string IniFor(const std::string& catalog);

// A Tansu.ini that names the default catalog and the KiSS folder.
std::string IniWithKissFolder(const std::string& catalog, const std::string& kissFolder);

// A set's description file as the NIFTY service wrote them, in Shift-JIS:
// the header labels (ID, date, size) and the title and maker items.
std::string DescriptionText(const std::string& title, const std::string& author, const std::string& regDate,
                            const std::string& bytes);

// The system's text for an OS path of ASCII characters.
std::string SystemFormOf(const std::string& osPath);

// The eight cells of a grid row, left to right.
std::vector<std::string> Row(TComboGrid& grid, int row);

// The part of the main window's grid that shows the cells.
QWidget& Cells(TForm1& main);

// The middle of a cell, in the coordinates of Cells().
QPoint CellCenter(TComboGrid& grid, int col, int row);

// The stand-in viewer: an executable script that appends one line to `log`
// at each start: its working folder, then each argument in angle brackets.
void WriteViewer(const std::string& osPath, const std::string& log);
// The lines of the log, once there are `count` of them (or after 10 s).
std::vector<std::string> WaitForLines(const std::string& log, size_t count);
std::vector<std::string> LogLines(const std::string& log);

// A left click on a button.
void Press(TControl* button);

// Runs `action` while the next modal window is up, once that window is the
// active one: keys and clicks reach only the active window.
void WhileActiveModal(ui::ModalScript& script, std::function<void()> action);

// Sets an environment variable for the life of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> former_;
};

class TansuWindows {
public:
    // Makes the windows in `folder` (already current); the script answers
    // what their creation asks.
    TansuWindows();
    ~TansuWindows();
    TForm1& main() { return *Form1; }
    // Closes the main window as the user would; true when it closed.
    bool Close();
};

// Fails the test on any modal call it was not told about, and on answers
// left over at its end.
class StrictScript : public ui::ModalScript {
public:
    StrictScript();
    ~StrictScript();
    const ui::ModalRecord& Record(size_t i) const { return Records().at(i); }
};
