// The application object: start-up, the forms in the order they were
// created (the first is the main form, whose closing ends the program), the
// message loop, message boxes and the standard exception box.
//
//   int main(int argc, char** argv) {
//       Application->Initialize(argc, argv);
//       Application->CreateForm(Form1);
//       Application->CreateForm(Form2);
//       return Application->Run();
//   }
//
// Message boxes and modal forms run through ui::ModalHost, so tests answer
// them with a ui::ModalScript.
#pragma once

#include "framework/component.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>

class QApplication;
class QEventLoop;
class TForm;

class TApplication : public TComponent {
    TANSU_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Makes the toolkit's application object unless there is one, registers
    // the framework's classes, routes exceptions that escape event handlers
    // to ShowException, and lets worker threads wake the loop for their
    // main-thread steps.  Safe to call again.
    void Initialize(int& argc, char** argv);
    void Initialize();

    // The caption of message boxes and of the exception box.
    const std::string& Title() const;
    void SetTitle(const std::string& title);

    // The name of the program's desktop entry, without ".desktop"
    // ("io.github.tansu.Tansu"): the desktop ties the program's windows to
    // that entry (its icon and name on a Wayland desktop).  Set it before
    // the first form shows; it is kept by the toolkit for the whole process.
    std::string DesktopFileName() const;
    void SetDesktopFileName(const std::string& name);

    // Creates a form of class T owned by the application and sets `form`
    // to it; the first form created becomes the main form.
    template <class T>
    void CreateForm(T*& form) {
        form = new T(this);
        NoteFormCreated(form);
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and runs the message loop until the main form is
    // closed (or Terminate); then frees the forms.  Returns the exit code, 0.
    int Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles the events waiting now, and the main-thread steps of workers.
    void ProcessMessages();

    // A modal message box (cp932 texts, MB_* flags); the button pressed.
    int MessageBox(std::string_view text, std::string_view caption, unsigned flags);
    // The standard exception box: the message with a full stop, the title
    // as caption, the stop icon and an OK button.
    void ShowException(const std::exception& e);

    void Notification(TComponent* component, TOperation operation) override;

private:
    void NoteFormCreated(TForm* form);

    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool initialized_ = false;
    QEventLoop* loop_ = nullptr;
    std::unique_ptr<QApplication> ownApp_;
    int argc_ = 0;
};

// The one application object.
extern TApplication* Application;
