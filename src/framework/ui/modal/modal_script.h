// Scripted answers for every modal thing, for tests.  While a ModalScript
// lives, ModalHost takes each answer from its queue in order and records
// what was asked; a modal call whose answer is missing or of another kind,
// and answers left over at the end, are reported to the failure handler
// (by default: a message on stderr and abort, so a test can never block).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/ui/modal/open_dialog_request.h"

class QWidget;

namespace ui {

struct ModalRecord {
    enum class Kind { Message, OpenFile, Form };
    Kind kind = Kind::Message;
    std::string text;     // message text
    std::string caption;  // message caption, or the window title of a form
    unsigned flags = 0;   // message flags
    int answer = 0;       // the button answered, the modal result of a form
    OpenDialogRequest dialog;  // what an open-file dialog was asked
    std::string formName;      // the object name of a modal window
    bool scripted = true;      // false when no fitting answer was queued
};

class ModalScript {
public:
    // `problem` is a UTF-8 diagnostic.
    using FailureHandler = std::function<void(const std::string& problem)>;

    explicit ModalScript(FailureHandler onFailure = {});
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next message box is answered with this button (IDOK, IDYES...).
    ModalScript& AnswerMessage(int answer);
    // The next open-file dialog returns these cp932 system paths.
    ModalScript& ChooseFile(std::string systemPath);
    ModalScript& ChooseFiles(std::vector<std::string> systemPaths);
    // The next open-file dialog returns this OS path (UTF-8), as Qt's dialog
    // would, so it goes through the conversion to a system path.
    ModalScript& ChooseOsFile(std::string osPath);
    ModalScript& CancelFile();
    // Runs `action` while the next modal window is up; the action must end
    // the modal state (press OK, Cancel...), else the window is cancelled and
    // that is reported.
    ModalScript& WhileModal(std::function<void(QWidget& window)> action);

    const std::vector<ModalRecord>& Records() const { return records_; }
    int Beeps() const { return beeps_; }
    size_t PendingAnswers() const { return answers_.size(); }

private:
    friend class ModalHost;
    struct Answer {
        ModalRecord::Kind kind = ModalRecord::Kind::Message;
        int button = 0;
        bool chosen = false;
        bool osPaths = false;
        std::vector<std::string> files;
        std::function<void(QWidget&)> action;
    };

    // The next answer when it is of `kind`; otherwise reports and nullopt.
    std::optional<Answer> Take(ModalRecord::Kind kind, const std::string& what);
    void Fail(const std::string& problem);

    FailureHandler onFailure_;
    std::deque<Answer> answers_;
    std::vector<ModalRecord> records_;
    int beeps_ = 0;
    ModalScript* previous_ = nullptr;
};

}  // namespace ui
