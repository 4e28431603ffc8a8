// Controls: components that show on the screen inside a parent window.
// TControl is any control (a label, a bevel); TWinControl one that can take
// the keyboard focus and hold other controls (edits, buttons, panels,
// forms).  Each control is backed by a toolkit widget that it creates on
// first need; the control keeps its own state (bounds, texts, colours) and
// passes it on, and the widget's input comes back as the control's events.
//
// Event handlers run inside a guard: an exception that escapes one goes to
// the application's exception box and the program goes on.
#pragma once

#include "framework/component.h"
#include "framework/ui/core/control_types.h"
#include "framework/ui/core/font.h"

#include <string>
#include <vector>

class QWidget;
class TWinControl;
namespace ui {
class ControlBridge;
}

class TControl : public TComponent {
    TANSU_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Bounds in the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    ui::Rect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // The area inside borders (and menus) where children are placed.
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    void SetClientWidth(int w) { SetWidth(width_ - ClientWidth() + w); }
    void SetClientHeight(int h) { SetHeight(height_ - ClientHeight() + h); }
    ui::Rect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with every parent up to a shown top-level window.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parent);
    TFont* Font() const { return font_; }
    void SetFont(TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parent);
    // Whether a form stores the font and the colour (not when they come
    // from the parent, nor the class's own colour).
    bool IsFontStored() const { return !parentFont_; }
    bool IsColorStored() const { return !parentColor_ && color_ != defaultColor_; }

    // The caption of labels and buttons, the text of edits: the same text
    // under the name the class publishes.
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& text) { SetText(text); }
    virtual std::string Text() const { return text_; }
    virtual void SetText(const std::string& text);

    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    void BeginDrag(bool immediately);
    bool Dragging() const;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    // The topmost parent (a form), or the control itself.
    TWinControl* TopLevel() const;
    // A point of the control's client area in screen coordinates.
    ui::Point ClientToScreen(ui::Point p);
    // The colour is stored by name ("clBtnFace") by classes that publish it.
    void DefineProperties(TFiler& filer) override;

    void Invalidate();
    void Repaint();
    void BringToFront();

    // Sends a message; the control's WndProc answers it.
    intptr_t Perform(uint32_t msg, intptr_t wParam = 0, intptr_t lParam = 0);
    // The form's notice that the mouse went down on `cause` elsewhere, or a
    // menu opened; controls with pop-ups close them here.
    virtual void CancelMode(TControl* cause) { (void)cause; }

    // The events; each class publishes those it offers.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;

    // The steps that raise them (the input of the widget comes here).
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DoStartDrag(TDragObject*& dragObject);

    // --- The toolkit side; the system's own code does not use these. ------
    // The widget, made on first need.
    QWidget* Widget();
    bool HasWidget() const { return widget_ != nullptr; }
    // The control of a widget (or of its nearest ancestor that has one).
    static TControl* FromWidget(QWidget* widget);
    // Whether a press and release of the left button raise Click here; a
    // control whose widget reports clicks itself says no.
    virtual bool ClickFromMouse() const { return true; }
    // Whether the widget itself reports its mouse, key and focus input to
    // the control's steps (a widget with parts of its own, such as a grid
    // with its cell area and editor).  The bridge then only walks the tab
    // order on Tab, unless the control wants Tab, and follows the size.
    virtual bool WidgetReportsInput() const { return false; }

protected:
    // A form is a window of its own; every other control shows only inside
    // a parent.
    virtual bool IsTopLevel() const { return false; }
    // Puts the bounds on the widget (a form places its frame).
    virtual void ApplyBounds();
    // Makes the widget; the default is a plain one.  Called once.
    virtual QWidget* CreateWidget();
    // After creation: the control's state goes to the widget.
    virtual void InitWidget();
    virtual void TextChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    // The toolkit resized the widget (a user resized a form).
    virtual void WidgetResized(int width, int height);
    virtual void WndProc(TMessage& message);
    void BeforeDestruction() override;
    void Loaded() override;
    // The colour and font used for this control, after ParentColor and
    // ParentFont.
    TColor EffectiveColor() const;
    const TFont* EffectiveFont() const;
    // Keeps the control's bounds when the widget changes them itself.
    void NoteWidgetGeometry(int left, int top, int width, int height);
    // Mouse input of a widget inside the control's own counts as the
    // control's.
    void WatchMouseOf(QWidget* inner);
    // Keeps Visible when the toolkit showed or hid the widget itself.
    void NoteVisible(bool visible) { visible_ = visible; }
    // Whether the widget paints its background in the control's colour;
    // by default unless the colour comes from the parent.
    virtual bool FillsBackground() const;
    // The class's own colour: the one a form does not store.
    void SetDefaultColor(TColor color) {
        defaultColor_ = color;
        SetColor(color);
    }

    std::string text_;
    TColor defaultColor_ = clBtnFace;

private:
    friend class TWinControl;
    friend class ui::ControlBridge;
    void ApplyVisible();
    void DetachBridge();
    void ApplyFont();
    void ApplyColor();
    void ParentFontChanged();
    void ParentColorChanged();
    void DropWidget();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont* font_;
    bool parentFont_ = true;
    TDragMode dragMode_ = TDragMode::dmManual;
    TWinControl* parent_ = nullptr;
    QWidget* widget_ = nullptr;  // cleared when the toolkit deletes it
    ui::ControlBridge* bridge_ = nullptr;
    bool updatingBounds_ = false;
};

class TWinControl : public TControl {
    TANSU_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    // Position among the parent's windowed children in tab order; -1 while
    // the control has no parent.
    int TabOrder() const;
    void SetTabOrder(int order);

    bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // The windowed children in tab order, nested ones included (depth
    // first), as the focus walks them.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next control after `current` in tab order, wrapping around; with
    // checkTabStop only tab stops count.  Null when there is none.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    // Hands the control a key as if the user had pressed (or released) it
    // while the control had the keyboard, wherever the focus is.
    void SendKey(uint16_t key, TShiftState shift, bool press);

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The character-key step: raises OnKeyPress; setting the key to 0 keeps
    // the character from the control.
    virtual void KeyPress(char& key);
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();

    // Controls first, then (for the root of a form) the non-visual
    // components it owns.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const override;

    // Lays out the children that are aligned to an edge or the client area.
    void AlignControls();

    // --- The toolkit side. ---------------------------------------------------
    // Where child widgets go (a form puts them below its menu).
    virtual QWidget* ClientWidget();
    // Whether the control takes Tab itself instead of moving the focus.
    virtual bool WantsTab() const { return false; }
    // Whether the control takes a key that is otherwise the window's: Tab
    // (see WantsTab), Return (the default button), Escape (the cancel
    // button).
    virtual bool WantsKey(uint16_t key, TShiftState shift) const;
    // The top-level control's notice that `control` took the focus.
    virtual void FocusMovedTo(TWinControl* control) { (void)control; }
    // Whether the focus, now leaving for another control of the window,
    // is refused (a masked field with an incomplete change); OnExit does
    // not run then.
    virtual bool RefusesExit() const { return false; }

    // The top-level control's part in the keys its controls get, in this
    // order: a shortcut of its menus, then (unless the control wants the
    // key) a dialog key, then the preview of the key before the control's
    // own KeyDown and KeyPress.  The first two answer true when they took
    // the key; the default dialog key is Tab, which walks the tab order.
    virtual bool IsShortCut(uint16_t key, TShiftState shift);
    virtual bool DialogKey(TWinControl* focused, uint16_t key, TShiftState shift);
    virtual void PreviewKeyDown(uint16_t& key, TShiftState shift);
    virtual void PreviewKeyPress(char& key);
    virtual void PreviewKeyUp(uint16_t& key, TShiftState shift);

    void SetBounds(int left, int top, int width, int height) override;

protected:
    // The part of the client area aligned children share (inside borders).
    virtual void AdjustClientRect(ui::Rect& rect) const { (void)rect; }
    // Whether a click on the control gives it the focus (edits, buttons,
    // lists); panels and forms keep the focus where it is.
    virtual bool TakesFocusOnClick() const { return false; }
    void ApplyFocusPolicy();
    void BeforeDestruction() override;
    void Loaded() override;
    QWidget* CreateWidget() override;
    void InitWidget() override;
    void WidgetResized(int width, int height) override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    void ResortTabList();
    void ReleaseChildren();
    bool HasTabPlace() const;

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    int tabKey_ = -1;  // wished place in the parent's tab order
};

// The event groups most controls publish, in the order they are stored.
template <class C>
void PublishDragEvents(TClassBuilder<C>& c) {
    c.Event("OnDragDrop", &C::OnDragDrop);
    c.Event("OnDragOver", &C::OnDragOver);
    c.Event("OnEndDrag", &C::OnEndDrag);
    c.Event("OnStartDrag", &C::OnStartDrag);
}
template <class C>
void PublishFocusAndKeyEvents(TClassBuilder<C>& c) {
    c.Event("OnEnter", &C::OnEnter);
    c.Event("OnExit", &C::OnExit);
    c.Event("OnKeyDown", &C::OnKeyDown);
    c.Event("OnKeyPress", &C::OnKeyPress);
    c.Event("OnKeyUp", &C::OnKeyUp);
}
template <class C>
void PublishMouseEvents(TClassBuilder<C>& c) {
    c.Event("OnMouseDown", &C::OnMouseDown);
    c.Event("OnMouseMove", &C::OnMouseMove);
    c.Event("OnMouseUp", &C::OnMouseUp);
}
