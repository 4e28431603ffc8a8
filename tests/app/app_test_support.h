// The program's windows in a private folder, with every modal thing
// answered by a script.
#pragma once

#include "app/main_form.h"
#include "framework/ui/modal/modal_script.h"
#include "support/test_files.h"

#include <memory>
#include <string>

// The heading line and records of a catalog file, CR LF after each.
std::string CatalogFile(const std::vector<std::string>& records);

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
