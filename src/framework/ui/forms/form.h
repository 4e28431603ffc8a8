// Forms: the windows of the system.  A form is the root of a stored form:
// each window class derives from TForm, publishes its controls as form
// fields and its handlers as methods, and reads its stored form in its
// constructor:
//
//   class TForm2 : public TForm {
//       TANSU_CLASS(TForm2, TForm)
//   public:
//       explicit TForm2(TComponent* owner) : TForm(owner) {
//           ReadForm(std::string_view(kSetupForm, kSetupForm_size));
//       }
//       TEdit* Edit1 = nullptr;
//       void FormCreate(TObject* Sender);
//   };
//   void TForm2::DeclarePublished(TClassBuilder<TForm2>& c) {
//       FormField(c, "Edit1", &TForm2::Edit1);
//       c.Method("FormCreate", &TForm2::FormCreate);
//   }
//
// ReadForm reads the text, sets every form field to the component of its
// name, and then runs OnCreate.
//
// Bounds: Left, Top, Width and Height are the window's frame (a fixed
// border and caption of the classic desktop look around the client area);
// the client area lies inside, below the menu bar.
//
// Modal forms run through ui::ModalHost, so a test script answers them
// (ModalScript::WhileModal).  Setting ModalResult to a non-zero value ends
// the modal loop once the current event is done (OnCloseQuery and OnClose
// may refuse); Close on a modal form sets ModalResult to mrCancel.
#pragma once

#include "framework/ui/core/control.h"

#include <string>
#include <string_view>

class TMainMenu;
class TButton;
namespace ui {
class FormWindow;
}

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
    TANSU_CLASS(TForm, TWinControl)
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Reads the stored form `text` (UTF-8 text form) into this form, sets
    // the form fields, runs OnCreate and shows the form when the stored
    // form says Visible.  Call it last in the constructor.  A malformed
    // form throws EReadError; a form field without its component, too.
    void ReadForm(std::string_view text);

    // Declares a form field: a published reference that ReadForm sets to
    // the form's component of the same name.  It is not stored.
    template <class C, class T>
    static void FormField(TClassBuilder<C>& c, std::string name, T* C::*field) {
        c.Field(std::move(name), field).NotStored();
    }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The control that has (or gets, when the form is shown) the focus.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // With KeyPreview the form's key events see the keys of its controls
    // first.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    // Stored with the client size: fixed forms store ClientWidth and
    // ClientHeight, sizeable ones Width and Height.
    bool IsClientSizeStored() const;
    bool IsFrameSizeStored() const { return !IsClientSizeStored(); }
    int PixelsPerInch() const { return 96; }
    void SetPixelsPerInch(int) {}
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int height) { textHeight_ = height; }

    void SetVisible(bool visible) override;
    // Shows the form and brings it to the front.
    void Show();
    // Shows the form without taking the keyboard from the active window
    // (a window beside another that goes on being worked in).
    void ShowWithoutActivating();
    void Hide() { SetVisible(false); }
    // Shows the form modally and returns its ModalResult.
    int ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result);
    // Asks OnCloseQuery, then OnClose, then hides (or frees) the form; the
    // main form's closing ends the program.
    void Close();
    // OnCloseQuery's answer.
    virtual bool CloseQuery();
    // Frees the form once the current event is done.
    void Release();

    // The default button (Enter) and the cancel button (Esc) of the form.
    TButton* DefaultButton() const;
    TButton* CancelButton() const;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    // --- The window's keys and focus. -------------------------------------
    bool IsShortCut(uint16_t key, TShiftState shift) override;
    // Enter presses the focused or the default button, Esc the cancel button;
    // a modal form without one leaves on Esc with mrCancel.
    bool DialogKey(TWinControl* focused, uint16_t key, TShiftState shift) override;
    void PreviewKeyDown(uint16_t& key, TShiftState shift) override;
    void PreviewKeyPress(char& key) override;
    void PreviewKeyUp(uint16_t& key, TShiftState shift) override;
    void FocusMovedTo(TWinControl* control) override;
    // The mouse went down on `cause` (null: a menu opened): the active
    // control hears of it unless it is the cause.
    void NotifyCancelMode(TControl* cause);

    void Notification(TComponent* component, TOperation operation) override;
    QWidget* ClientWidget() override;

protected:
    bool IsTopLevel() const override { return true; }
    QWidget* CreateWidget() override;
    void InitWidget() override;
    void ApplyBounds() override;
    void WidgetResized(int width, int height) override;
    void TextChanged() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void BeforeDestruction() override;

    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    friend class ui::FormWindow;
    ui::FormWindow* Window();
    // Width and height of the frame around the client area and menu bar.
    int FrameWidth() const;
    int FrameHeight() const;
    int MenuBarHeight() const;
    void AttachMenu();
    void PlaceOnScreen();
    void BindFields();
    void CheckModalResult();
    void WindowShown();
    void WindowHidden();
    void WindowMoved(int left, int top);
    void WindowCloseRequested();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    TMainMenu* menu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    bool keyPreview_ = false;
    int textHeight_ = 12;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    bool checkPending_ = false;
    bool releasing_ = false;
    bool showAfterReading_ = false;
    bool tracking_ = false;  // the window shows: its moves are the user's
    int storedClientWidth_ = -1;  // a client size read while loading
    int storedClientHeight_ = -1;
};

// The form a control lies on, or null.
TForm* GetParentForm(const TControl* control);
