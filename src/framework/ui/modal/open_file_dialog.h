// The open-file dialog a form holds: its settings, Execute, and the files
// chosen (cp932 system paths).  It runs through ModalHost, so a test script
// answers it.
#pragma once

#include <string>
#include <vector>

#include "framework/ui/modal/open_dialog_request.h"

namespace ui {

class OpenFileDialog {
public:
    OpenDialogRequest& Settings() { return request_; }
    const OpenDialogRequest& Settings() const { return request_; }

    // The name offered when the dialog opens, and after a confirmed Execute
    // the (first) chosen file.
    const std::string& FileName() const { return request_.fileName; }
    void SetFileName(std::string name) { request_.fileName = std::move(name); }
    // Every chosen file of the last confirmed Execute.
    const std::vector<std::string>& Files() const { return files_; }

    // Shows the dialog; true when the user chose a file.  A cancel leaves
    // FileName and Files as they were.
    bool Execute();

private:
    OpenDialogRequest request_;
    std::vector<std::string> files_;
};

}  // namespace ui
