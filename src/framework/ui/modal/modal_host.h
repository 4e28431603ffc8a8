// Everything modal goes through here: message boxes, the beep, open-file
// dialogs and modal windows.  In the program each shows for real; a test
// installs a ModalScript that answers them without showing anything and
// records what was asked.  On the offscreen platform nobody could answer a
// real dialog, so an unscripted modal call there fails loudly instead of
// blocking.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/ui/modal/open_dialog_request.h"

class QWidget;

namespace ui {

class ModalScript;

class ModalHost {
public:
    static ModalHost& Instance();

    // A message box (cp932 texts, MB_* flags); the answer is IDOK, IDYES...
    int MessageBox(std::string_view text, std::string_view caption, unsigned flags);
    // The application's standard error box: the application title as
    // caption, an OK button and the stop icon.
    void ShowError(std::string_view message);
    void Beep();

    // Runs an open-file dialog; the chosen files as cp932 system paths, or
    // nullopt when cancelled.  A name without a cp932 form is refused with a
    // message and the dialog comes up again.  Without noChangeDir the
    // current folder becomes the first file's folder.
    std::optional<std::vector<std::string>> OpenFiles(const OpenDialogRequest& request);

    // Shows `window` application-modal and runs a local event loop until
    // EndModal(window, result) or until the window is hidden otherwise (the
    // result is then 2, cancel).  A scripted action may end the loop itself
    // or through a queued call (QMetaObject::invokeMethod) of its own.
    int ShowModal(QWidget& window);
    // Ends the innermost modal loop of `window`; false when it has none.
    bool EndModal(QWidget& window, int result);
    bool IsModal(const QWidget& window) const;

    const std::string& ApplicationTitle() const { return title_; }
    void SetApplicationTitle(std::string title) { title_ = std::move(title); }

private:
    friend class ModalScript;
    struct Session;

    ModalHost() = default;
    bool Unattended() const;

    ModalScript* script_ = nullptr;
    std::vector<Session*> sessions_;
    std::string title_ = "TANSU";
};

}  // namespace ui
