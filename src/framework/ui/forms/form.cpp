#include "framework/ui/forms/form.h"

#include "framework/form_filer.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/forms/button.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/forms/form_window.h"
#include "framework/ui/forms/menu.h"
#include "framework/ui/modal/modal_host.h"
#include "framework/ui/graphics/qt_text.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {

// The classic desktop's frame: sizing border 4, fixed border 3, caption 19
// (15 for tool windows), in pixels.
struct Frame {
    int border;
    int caption;
};

Frame FrameOf(TFormBorderStyle style) {
    switch (style) {
    case TFormBorderStyle::bsNone: return {0, 0};
    case TFormBorderStyle::bsSizeable: return {4, 19};
    case TFormBorderStyle::bsSizeToolWin: return {4, 15};
    case TFormBorderStyle::bsToolWindow: return {3, 15};
    default: return {3, 19};
    }
}

bool Sizeable(TFormBorderStyle style) {
    return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TForm)
void TForm::DeclarePublished(TClassBuilder<TForm>& c) {
    c.Property("Left", &TForm::Left, &TForm::SetLeft);
    c.Property("Top", &TForm::Top, &TForm::SetTop);
    c.Property("Width", &TForm::Width, &TForm::SetWidth).StoredWhen(&TForm::IsFrameSizeStored);
    c.Property("Height", &TForm::Height, &TForm::SetHeight).StoredWhen(&TForm::IsFrameSizeStored);
    c.Property("Visible", &TForm::Visible, &TForm::SetVisible).Default(0);
    c.Property("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl);
    c.Enum("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle,
           {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"})
        .Default(static_cast<int>(TFormBorderStyle::bsSizeable));
    c.Property("Caption", &TForm::Caption, &TForm::SetCaption);
    c.Property("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight).StoredWhen(&TForm::IsClientSizeStored);
    c.Property("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth).StoredWhen(&TForm::IsClientSizeStored);
    c.Property("Color", &TForm::Color, &TForm::SetColor).NotStored();
    c.Property("Font", &TForm::Font);
    c.Property("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview).Default(0);
    c.Property("Menu", &TForm::Menu, &TForm::SetMenu);
    c.Property("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch);
    c.Enum("Position", &TForm::Position, &TForm::SetPosition,
           {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"})
        .Default(0);
    c.Property("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight);
    c.Event("OnClick", &TForm::OnClick);
    c.Event("OnClose", &TForm::OnClose);
    c.Event("OnCloseQuery", &TForm::OnCloseQuery);
    c.Event("OnCreate", &TForm::OnCreate);
    c.Event("OnDblClick", &TForm::OnDblClick);
    c.Event("OnDestroy", &TForm::OnDestroy);
    c.Event("OnHide", &TForm::OnHide);
    c.Event("OnKeyDown", &TForm::OnKeyDown);
    c.Event("OnKeyPress", &TForm::OnKeyPress);
    c.Event("OnKeyUp", &TForm::OnKeyUp);
    PublishMouseEvents(c);
    c.Event("OnShow", &TForm::OnShow);
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    NoteVisible(false);
    SetBounds(0, 0, 320, 240);
    Font()->SetName("ＭＳ Ｐゴシック");
    Font()->SetHeight(-12);
    Font()->SetCharset(SHIFTJIS_CHARSET);
}

TForm::~TForm() {
    if (HasWidget()) Window()->Detach();
}

void TForm::BeforeDestruction() {
    ui::RunGuarded([this] { OnDestroy(this); });
    if (modal_ && HasWidget()) ui::ModalHost::Instance().EndModal(*Widget(), mrCancel);
    if (HasWidget()) Window()->Detach();
    TWinControl::BeforeDestruction();
}

// --- Reading ------------------------------------------------------------------

void TForm::ReadForm(std::string_view text) {
    ReadComponentText(this, text);
    BindFields();
    DoCreate();
    if (showAfterReading_) {
        showAfterReading_ = false;
        NoteVisible(false);
        Show();
    }
}

void TForm::BindFields() {
    for (const TPropInfo* p : GetPropList(this)) {
        if (p->kind != TPropKind::Component || !p->neverStored || !p->set) continue;
        TComponent* c = FindComponent(p->name);
        if (!c) throw EReadError("The form " + Name() + " holds no component " + p->name);
        try {
            SetPropValue(this, *p, TPropValue(static_cast<TObject*>(c)));
        } catch (const EPropertyError&) {
            throw EReadError("The component " + p->name + " of the form " + Name() + " is a " + c->ClassName() +
                             ", which does not fit its field");
        }
    }
}

void TForm::Loaded() {
    TWinControl::Loaded();
    // A client size read before the menu was known keeps its meaning.
    if (storedClientWidth_ >= 0) SetClientWidth(storedClientWidth_);
    if (storedClientHeight_ >= 0) SetClientHeight(storedClientHeight_);
    storedClientWidth_ = storedClientHeight_ = -1;
}

void TForm::DoCreate() {
    ui::RunGuarded([this] { OnCreate(this); });
}

// --- The window -----------------------------------------------------------------

ui::FormWindow* TForm::Window() { return static_cast<ui::FormWindow*>(Widget()); }

QWidget* TForm::CreateWidget() {
    auto* w = new ui::FormWindow(this);
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

QWidget* TForm::ClientWidget() { return Window()->Client(); }

void TForm::InitWidget() {
    TWinControl::InitWidget();
    Widget()->setFocusPolicy(Qt::NoFocus);
    Widget()->setWindowFlag(Qt::WindowMinMaxButtonsHint, Sizeable(borderStyle_));
    if (borderStyle_ == TFormBorderStyle::bsNone) Widget()->setWindowFlag(Qt::FramelessWindowHint, true);
    AttachMenu();
    ApplyBounds();
}

int TForm::FrameWidth() const { return 2 * FrameOf(borderStyle_).border; }
int TForm::FrameHeight() const { return 2 * FrameOf(borderStyle_).border + FrameOf(borderStyle_).caption; }

int TForm::MenuBarHeight() const {
    if (!menu_ || !HasWidget()) return 0;
    return const_cast<TForm*>(this)->Window()->MenuBarHeight();
}

int TForm::ClientWidth() const { return std::max(0, Width() - FrameWidth()); }
int TForm::ClientHeight() const { return std::max(0, Height() - FrameHeight() - MenuBarHeight()); }

void TForm::SetClientWidth(int width) {
    if (IsLoading()) storedClientWidth_ = width;
    SetWidth(width + FrameWidth());
}

void TForm::SetClientHeight(int height) {
    if (IsLoading()) storedClientHeight_ = height;
    SetHeight(height + FrameHeight() + MenuBarHeight());
}

bool TForm::IsClientSizeStored() const { return !Sizeable(borderStyle_); }

void TForm::ApplyBounds() {
    if (!HasWidget()) return;
    QWidget* w = Widget();
    QSize inner(std::max(0, Width() - FrameWidth()), std::max(0, Height() - FrameHeight()));
    w->move(Left(), Top());
    if (Sizeable(borderStyle_)) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->resize(inner);
    } else {
        w->setFixedSize(inner);
    }
}

void TForm::WidgetResized(int width, int height) {
    TWinControl::WidgetResized(width + FrameWidth(), height + FrameHeight());
}

void TForm::WindowMoved(int left, int top) {
    // Only a shown window's moves are the user's; while it comes up the
    // toolkit places its frame.
    if (tracking_) NoteWidgetGeometry(left, top, Width(), Height());
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    // The frame keeps the client area's size.
    int cw = ClientWidth(), ch = ClientHeight() + MenuBarHeight();
    borderStyle_ = style;
    if (HasWidget()) {
        Widget()->setWindowFlag(Qt::WindowMinMaxButtonsHint, Sizeable(style));
        Widget()->setWindowFlag(Qt::FramelessWindowHint, style == TFormBorderStyle::bsNone);
    }
    SetBounds(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
    ApplyBounds();
}

void TForm::TextChanged() {
    if (HasWidget()) Widget()->setWindowTitle(ui::ToQt(Caption()));
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        menu_->onOpening = nullptr;
        RemoveFreeNotification(menu_);
    }
    menu_ = menu;
    if (menu_) {
        FreeNotification(menu_);
        menu_->onOpening = [this] { NotifyCancelMode(nullptr); };
    }
    AttachMenu();
}

void TForm::AttachMenu() {
    if (!HasWidget() && !menu_) return;
    int client = ClientHeight();
    Window()->SetMenuBar(menu_ ? menu_->MenuBar() : nullptr);
    // The window keeps its frame; the client area makes room for the bar.
    if (client != ClientHeight()) AlignControls();
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == menu_) {
        menu_ = nullptr;
        if (HasWidget()) Window()->SetMenuBar(nullptr);
    }
    if (component == activeControl_) activeControl_ = nullptr;
}

// --- Showing ----------------------------------------------------------------------

void TForm::SetVisible(bool visible) {
    if (IsLoading()) {
        // The form shows once it is read and created.
        showAfterReading_ = visible;
        NoteVisible(visible);
        return;
    }
    if (visible && !Visible()) PlaceOnScreen();
    TWinControl::SetVisible(visible);
}

void TForm::Show() {
    SetVisible(true);
    QWidget* w = Widget();
    w->raise();
    w->activateWindow();
}

void TForm::ShowWithoutActivating() {
    QWidget* w = Widget();
    QWidget* active = QApplication::activeWindow();
    w->setAttribute(Qt::WA_ShowWithoutActivating, true);
    SetVisible(true);
    w->setAttribute(Qt::WA_ShowWithoutActivating, false);
    // Where the platform activates every window it shows anyway, the
    // window that had the keyboard asks for it again, after this one.
    if (active && active != w) active->activateWindow();
}

void TForm::PlaceOnScreen() {
    if (position_ != TPosition::poScreenCenter) return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    SetBounds(area.left() + (area.width() - Width()) / 2, area.top() + (area.height() - Height()) / 2, Width(), Height());
}

void TForm::WindowShown() {
    NoteVisible(true);
    Widget()->setObjectName(ui::ToQt(Name()));
    // Now that the window has its frame, the frame goes where the form says.
    Widget()->move(Left(), Top());
    tracking_ = true;
    DoShow();
    // The focus goes to the active control, or to the first tab stop.
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : FindNextControl(nullptr, true, true);
    if (target) {
        FocusMovedTo(target);
        target->SetFocus();
    }
}

void TForm::WindowHidden() {
    tracking_ = false;
    NoteVisible(false);
    DoHide();
}

void TForm::DoShow() { OnShow(this); }
void TForm::DoHide() { OnHide(this); }
void TForm::DoClose(TCloseAction& action) { OnClose(this, action); }

int TForm::ShowModal() {
    if (Visible() || modal_) throw EInvalidOperation("Cannot make a visible window modal");
    QWidget* w = Widget();
    w->setObjectName(ui::ToQt(Name()));
    modalResult_ = mrNone;
    modal_ = true;
    PlaceOnScreen();
    int result = ui::ModalHost::Instance().ShowModal(*w);
    modal_ = false;
    checkPending_ = false;
    modalResult_ = result;
    return result;
}

void TForm::SetModalResult(TModalResult result) {
    modalResult_ = result;
    if (!modal_ || result == mrNone || checkPending_) return;
    // Checked when the current event is done, so that a handler running now
    // (a button's OnClick) finishes first and may still take it back.
    checkPending_ = true;
    QMetaObject::invokeMethod(Widget(), [this] { CheckModalResult(); }, Qt::QueuedConnection);
}

void TForm::CheckModalResult() {
    checkPending_ = false;
    if (!modal_ || modalResult_ == mrNone) return;
    bool done = ui::RunGuarded([this] {
        if (!CloseQuery()) {
            modalResult_ = mrNone;
            return;
        }
        TCloseAction action = TCloseAction::caHide;
        DoClose(action);
        if (action == TCloseAction::caNone) {
            modalResult_ = mrNone;
            return;
        }
        if (action == TCloseAction::caFree) Release();
        ui::ModalHost::Instance().EndModal(*Widget(), modalResult_);
    });
    if (!done) modalResult_ = mrNone;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (modal_) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caMinimize: Widget()->showMinimized(); break;
    case TCloseAction::caFree: Release(); break;
    default: Hide(); break;
    }
}

void TForm::WindowCloseRequested() { Close(); }

void TForm::Release() {
    if (releasing_) return;
    releasing_ = true;
    Hide();
    QPointer<QWidget> alive(Widget());
    QTimer::singleShot(0, QCoreApplication::instance(), [this, alive] {
        if (alive) Free();
    });
}

// --- Keys and focus ----------------------------------------------------------------

namespace {

// Visible and enabled on its form (whether the form shows or not).
bool Usable(const TControl* c, const TForm* form) {
    for (; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

TButton* FindButton(const TForm* form, bool (TButton::*role)() const) {
    std::vector<TWinControl*> list;
    form->GetTabOrderList(list);
    for (TWinControl* w : list) {
        auto* b = ObjectCast<TButton>(w);
        if (b && (b->*role)() && Usable(b, form)) return b;
    }
    return nullptr;
}

}  // namespace

TButton* TForm::DefaultButton() const { return FindButton(this, &TButton::Default); }
TButton* TForm::CancelButton() const { return FindButton(this, &TButton::Cancel); }

bool TForm::IsShortCut(uint16_t key, TShiftState shift) { return menu_ && menu_->IsShortCut(key, shift); }

bool TForm::DialogKey(TWinControl* focused, uint16_t key, TShiftState shift) {
    if (key == ui::key::Return || key == ui::key::Escape) {
        if (shift & (ui::kShift | ui::kCtrl | ui::kAlt)) return false;
        TButton* button = nullptr;
        if (key == ui::key::Escape) button = CancelButton();
        else if (auto* b = ObjectCast<TButton>(focused)) button = b;  // Enter presses the focused button
        else button = DefaultButton();
        if (!button && key == ui::key::Escape && modal_) {
            // A modal window without a cancel button still leaves on Esc, as
            // a dialog does: without a window manager nothing else could
            // close it.  Its close query has the last word.
            SetModalResult(mrCancel);
            return true;
        }
        if (!button) return false;
        button->Click();
        return true;
    }
    return TWinControl::DialogKey(focused, key, shift);
}

void TForm::PreviewKeyDown(uint16_t& key, TShiftState shift) {
    if (keyPreview_) KeyDown(key, shift);
}

void TForm::PreviewKeyPress(char& key) {
    if (keyPreview_) KeyPress(key);
}

void TForm::PreviewKeyUp(uint16_t& key, TShiftState shift) {
    if (keyPreview_) KeyUp(key, shift);
}

void TForm::FocusMovedTo(TWinControl* control) {
    if (control == this) return;
    if (activeControl_ && activeControl_ != control && activeControl_->Owner() != this) RemoveFreeNotification(activeControl_);
    activeControl_ = control;
    if (control && control->Owner() != this) FreeNotification(control);
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control && !IsLoading() && !ContainsControl(control))
        throw EInvalidOperation("The active control must lie on its form");
    FocusMovedTo(control);
    if (control && !IsLoading() && Showing() && control->CanFocus()) control->SetFocus();
}

void TForm::NotifyCancelMode(TControl* cause) {
    TWinControl* active = activeControl_;
    if (active && active != cause) active->CancelMode(cause);
}

void TForm::WndProc(TMessage& message) {
    if (message.Msg == WM_NEXTDLGCTL) {
        // lParam non-zero: wParam names the control to focus; otherwise the
        // focus moves on from the active control (wParam 0) or back.
        if (message.LParam != 0) {
            auto* target = reinterpret_cast<TWinControl*>(message.WParam);
            if (target && ContainsControl(target) && target->CanFocus()) target->SetFocus();
        } else {
            SelectNext(activeControl_, message.WParam == 0, true);
        }
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

TForm* GetParentForm(const TControl* control) { return control ? ObjectCast<TForm>(control->TopLevel()) : nullptr; }
