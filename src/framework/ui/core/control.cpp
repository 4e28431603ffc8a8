#include "framework/ui/core/control.h"

#include "framework/ui/core/control_bridge.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/core/qt_input.h"
#include "framework/ui/graphics/qt_graphics.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {
const char* const kControlProperty = "tansuControl";
}

// --- TControl -----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TControl)
void TControl::DeclarePublished(TClassBuilder<TControl>& c) {
    c.Enum("Align", &TControl::Align, &TControl::SetAlign,
           {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"})
        .Default(0);
    c.Property("Left", &TControl::Left, &TControl::SetLeft);
    c.Property("Top", &TControl::Top, &TControl::SetTop);
    c.Property("Width", &TControl::Width, &TControl::SetWidth);
    c.Property("Height", &TControl::Height, &TControl::SetHeight);
    c.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(1);
    c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(1);
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(new TFont()) {
    font_->OnChange.Bind([this](TObject*) {
        parentFont_ = false;
        ApplyFont();
        FontChanged();
    });
}

TControl::~TControl() {
    DetachBridge();
    ui::ControlBridge::CancelDrag(this);
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
    DropWidget();
    delete font_;
}

void TControl::BeforeDestruction() {
    // While the control is whole: its widget stops reporting, it leaves its
    // parent, and the widget goes.
    DetachBridge();
    ui::ControlBridge::CancelDrag(this);
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
    DropWidget();
    TComponent::BeforeDestruction();
}

void TControl::WatchMouseOf(QWidget* inner) {
    Widget();
    if (bridge_) bridge_->WatchMouseOf(inner);
}

void TControl::DetachBridge() {
    if (bridge_) bridge_->Detach();
    bridge_ = nullptr;
}

void TControl::DropWidget() {
    if (!widget_) return;
    QWidget* w = widget_;
    widget_ = nullptr;
    w->setProperty(kControlProperty, QVariant());
    delete w;
}

QWidget* TControl::Widget() {
    if (!widget_) {
        widget_ = CreateWidget();
        widget_->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
        // A control's mouse input is its own, whether its widget uses it or
        // not: it never goes on to the parent's control.
        widget_->setAttribute(Qt::WA_NoMousePropagation);
        widget_->setMouseTracking(true);  // OnMouseMove without a button held
        bridge_ = new ui::ControlBridge(this, widget_);
        // The toolkit may delete the widget with its parent's: forget it
        // then (unless this control has let go of the bridge already).
        ui::ControlBridge* bridge = bridge_;
        QObject::connect(widget_, &QObject::destroyed, bridge_, [bridge]() {
            if (TControl* c = bridge->Control()) {
                c->widget_ = nullptr;
                c->bridge_ = nullptr;
            }
        });
        InitWidget();
    }
    return widget_;
}

TControl* TControl::FromWidget(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        QVariant v = w->property(kControlProperty);
        if (v.isValid()) return static_cast<TControl*>(v.value<void*>());
    }
    return nullptr;
}

QWidget* TControl::CreateWidget() { return new QWidget(); }

void TControl::InitWidget() {
    if (parent_) widget_->setParent(parent_->ClientWidget());
    ApplyBounds();
    ApplyFont();
    ApplyColor();
    widget_->setEnabled(enabled_);
    TextChanged();
    ApplyVisible();
}

void TControl::ApplyBounds() {
    if (!widget_) return;
    updatingBounds_ = true;
    widget_->setGeometry(left_, top_, std::max(0, width_), std::max(0, height_));
    updatingBounds_ = false;
}

void TControl::ApplyVisible() {
    if (!widget_) return;
    if (parent_ || IsTopLevel()) widget_->setVisible(visible_);
    else widget_->hide();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ApplyBounds();
    if (parent_ && align_ != TAlign::alNone && !updatingBounds_) parent_->AlignControls();
    (void)resized;
}

void TControl::NoteWidgetGeometry(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::WidgetResized(int width, int height) {
    if (updatingBounds_) return;
    width_ = width;
    height_ = height;
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    ApplyVisible();
    if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

bool TControl::Showing() const { return widget_ && widget_->isVisible(); }

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ApplyColor();
    ColorChanged();
}

void TControl::SetParentColor(bool parent) {
    if (parent == parentColor_) return;
    parentColor_ = parent;
    ApplyColor();
    ColorChanged();
}

void TControl::SetParentFont(bool parent) {
    if (parent == parentFont_) return;
    parentFont_ = parent;
    ApplyFont();
    FontChanged();
}

TColor TControl::EffectiveColor() const {
    if (parentColor_ && parent_) return parent_->EffectiveColor();
    return color_;
}

const TFont* TControl::EffectiveFont() const {
    if (parentFont_ && parent_) return parent_->EffectiveFont();
    return font_;
}

void TControl::ApplyFont() {
    if (!widget_) return;
    const TFont* f = EffectiveFont();
    widget_->setFont(ui::ToQFont(f->Value()));
    QPalette pal = widget_->palette();
    QColor text = ui::ToQColor(f->Value().color);  // system colours as the desktop has them
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    widget_->setPalette(pal);
    if (auto* win = ObjectCast<TWinControl>(this)) {
        for (int i = 0; i < win->ControlCount(); ++i) win->Controls(i)->ParentFontChanged();
    }
}

void TControl::ParentFontChanged() {
    if (!parentFont_) return;
    ApplyFont();
    FontChanged();
}

void TControl::ApplyColor() {
    if (!widget_) return;
    QPalette pal = widget_->palette();
    QColor back = ui::ToQColor(CodeToColor(EffectiveColor()));
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::Base, back);
    widget_->setPalette(pal);
    widget_->setAutoFillBackground(FillsBackground());
    if (auto* win = ObjectCast<TWinControl>(this)) {
        for (int i = 0; i < win->ControlCount(); ++i) win->Controls(i)->ParentColorChanged();
    }
}

bool TControl::FillsBackground() const { return IsTopLevel() || !parentColor_; }

void TControl::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    if (!FindPropInfo(this, "Color")) return;
    DefineColorProperty(
        filer, "Color", [this] { return color_; }, [this](TColor c) { SetColor(c); }, IsColorStored());
}

void TControl::ParentColorChanged() {
    if (!parentColor_) return;
    ApplyColor();
    ColorChanged();
}

void TControl::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    TextChanged();
}

void TControl::TextChanged() {}
void TControl::FontChanged() {}
void TControl::ColorChanged() {}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    for (TWinControl* p = parent; p; p = p->Parent())
        if (p == this) throw EInvalidOperation("A control cannot be placed inside itself");
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_) parent_->InsertControl(this);
    if (parent_ || widget_) {
        QWidget* w = Widget();
        QWidget* container = parent_ ? parent_->ClientWidget() : nullptr;
        if (w->parentWidget() != container) w->setParent(container);
        ApplyBounds();
        ApplyFont();
        ApplyColor();
        ApplyVisible();
    }
    if (parent_ && align_ != TAlign::alNone) parent_->AlignControls();
}

TComponent* TControl::GetParentComponent() const { return parent_; }

ui::Point TControl::ClientToScreen(ui::Point p) {
    const QPoint at = Widget()->mapToGlobal(QPoint(p.x, p.y));
    return {at.x(), at.y()};
}

void TWinControl::SendKey(uint16_t key, TShiftState shift, bool press) {
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, ui::ToQtKey(key), ui::ToQtModifiers(shift));
    QApplication::sendEvent(Widget(), &e);
}

TWinControl* TControl::TopLevel() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return ObjectCast<TWinControl>(const_cast<TControl*>(c));
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* win = ObjectCast<TWinControl>(parent)) SetParent(win);
}

void TControl::Invalidate() {
    if (widget_) widget_->update();
}

void TControl::Repaint() {
    if (widget_) widget_->repaint();
}

void TControl::BringToFront() {
    if (widget_) widget_->raise();
}

intptr_t TControl::Perform(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage&) {}

void TControl::Loaded() { TComponent::Loaded(); }

void TControl::BeginDrag(bool immediately) { ui::ControlBridge::BeginDrag(this, immediately); }
bool TControl::Dragging() const { return ui::ControlBridge::Dragging(this); }

void TControl::Click() { OnClick(this); }
void TControl::DblClick() { OnDblClick(this); }
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { OnMouseDown(this, button, shift, x, y); }
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }
void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = OnDragOver.Assigned();
    OnDragOver(this, source, x, y, state, accept);
}
void TControl::DragDrop(TObject* source, int x, int y) { OnDragDrop(this, source, x, y); }
void TControl::DoEndDrag(TObject* target, int x, int y) { OnEndDrag(this, target, x, y); }
void TControl::DoStartDrag(TDragObject*& dragObject) { OnStartDrag(this, dragObject); }

// --- TWinControl --------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TWinControl)
void TWinControl::DeclarePublished(TClassBuilder<TWinControl>& c) {
    c.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).StoredWhen(&TWinControl::HasTabPlace);
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(0);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() { ReleaseChildren(); }

void TWinControl::BeforeDestruction() {
    ReleaseChildren();
    TControl::BeforeDestruction();
}

void TWinControl::ReleaseChildren() {
    // The children's widgets go with this one's; they stop reporting first
    // and forget this parent.
    std::vector<TControl*> children = controls_;
    controls_.clear();
    tabList_.clear();
    for (TControl* c : children) {
        std::vector<TControl*> stack{c};
        while (!stack.empty()) {
            TControl* d = stack.back();
            stack.pop_back();
            d->DetachBridge();
            d->widget_ = nullptr;
            if (auto* w = ObjectCast<TWinControl>(d))
                for (TControl* k : w->controls_) stack.push_back(k);
        }
        c->parent_ = nullptr;
    }
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw EInvalidOperation("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (auto* w = ObjectCast<TWinControl>(control)) {
        tabList_.push_back(w);
        if (w->tabKey_ >= 0) ResortTabList();
    }
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
}

QWidget* TWinControl::CreateWidget() { return new QWidget(); }

QWidget* TWinControl::ClientWidget() { return Widget(); }

void TWinControl::InitWidget() {
    TControl::InitWidget();
    ApplyFocusPolicy();
    for (TControl* c : controls_) {
        QWidget* w = c->Widget();
        if (w->parentWidget() != ClientWidget()) {
            w->setParent(ClientWidget());
            c->ApplyBounds();
            c->ApplyVisible();
        }
    }
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop == tabStop_) return;
    tabStop_ = tabStop;
    ApplyFocusPolicy();
}

void TWinControl::ApplyFocusPolicy() {
    if (!HasWidget()) return;
    bool click = TakesFocusOnClick();
    Qt::FocusPolicy policy = tabStop_ ? (click ? Qt::StrongFocus : Qt::TabFocus) : (click ? Qt::ClickFocus : Qt::NoFocus);
    Widget()->setFocusPolicy(policy);
}

int TWinControl::TabOrder() const {
    if (!Parent()) return tabKey_ >= 0 ? tabKey_ : -1;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (order < 0) order = 0;
    tabKey_ = order;
    TWinControl* p = Parent();
    if (!p) return;
    if (IsLoading()) {
        // Stored places are wishes until all siblings are there.
        p->ResortTabList();
        return;
    }
    auto& list = p->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    size_t at = std::min(static_cast<size_t>(order), list.size());
    list.insert(list.begin() + static_cast<long>(at), this);
    for (size_t i = 0; i < list.size(); ++i) list[i]->tabKey_ = static_cast<int>(i);
}

void TWinControl::ResortTabList() {
    // Controls without a wished place keep theirs after those with one.
    std::vector<std::pair<long, TWinControl*>> keyed;
    for (size_t i = 0; i < tabList_.size(); ++i) {
        TWinControl* w = tabList_[i];
        long key = w->tabKey_ >= 0 ? w->tabKey_ * 2L : static_cast<long>(i) * 2 + 1;
        keyed.emplace_back(key, w);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) tabList_[i] = keyed[i].second;
}

bool TWinControl::HasTabPlace() const { return Parent() != nullptr; }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

bool TWinControl::Focused() const { return HasWidget() && const_cast<TWinControl*>(this)->Widget()->hasFocus(); }

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    QWidget* w = Widget();
    w->setFocus(Qt::OtherFocusReason);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* w : tabList_) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    auto it = std::find(list.begin(), list.end(), current);
    size_t n = list.size();
    size_t start = it == list.end() ? (forward ? n - 1 : 0) : static_cast<size_t>(it - list.begin());
    for (size_t step = 1; step <= n; ++step) {
        size_t i = forward ? (start + step) % n : (start + n - step) % n;
        TWinControl* w = list[i];
        if ((!checkTabStop || w->TabStop()) && w->CanFocus()) return w;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TWinControl::WantsKey(uint16_t key, TShiftState) const { return key == ui::key::Tab && WantsTab(); }

bool TWinControl::IsShortCut(uint16_t, TShiftState) { return false; }

bool TWinControl::DialogKey(TWinControl* focused, uint16_t key, TShiftState shift) {
    if (key != ui::key::Tab || (shift & (ui::kCtrl | ui::kAlt))) return false;
    SelectNext(focused, !(shift & ui::kShift), true);
    return true;
}

void TWinControl::PreviewKeyDown(uint16_t&, TShiftState) {}
void TWinControl::PreviewKeyPress(char&) {}
void TWinControl::PreviewKeyUp(uint16_t&, TShiftState) {}

void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }
void TWinControl::KeyDown(uint16_t& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(uint16_t& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    for (TControl* c : controls_)
        if (c->Owner() == root) proc(c);
    if (root == this) {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->HasParent()) proc(Components(i));
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    bool resized = width != Width() || height != Height();
    TControl::SetBounds(left, top, width, height);
    if (resized) AlignControls();
}

void TWinControl::WidgetResized(int width, int height) {
    bool resized = width != Width() || height != Height();
    TControl::WidgetResized(width, height);
    if (resized) AlignControls();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    AlignControls();
}

void TWinControl::AlignControls() {
    if (IsLoading() || IsDestroying()) return;
    ui::Rect r = ClientRect();
    AdjustClientRect(r);
    auto place = [](TControl* c, int l, int t, int w, int h) {
        c->updatingBounds_ = true;  // no realigning from inside the layout
        c->SetBounds(l, t, std::max(0, w), std::max(0, h));
        c->updatingBounds_ = false;
        c->ApplyBounds();
    };
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* c : controls_) {
            if (c->Align() != pass || !c->Visible()) continue;
            switch (pass) {
            case TAlign::alTop:
                place(c, r.left, r.top, r.Width(), c->Height());
                r.top += c->Height();
                break;
            case TAlign::alBottom:
                place(c, r.left, r.bottom - c->Height(), r.Width(), c->Height());
                r.bottom -= c->Height();
                break;
            case TAlign::alLeft:
                place(c, r.left, r.top, c->Width(), r.Height());
                r.left += c->Width();
                break;
            case TAlign::alRight:
                place(c, r.right - c->Width(), r.top, c->Width(), r.Height());
                r.right -= c->Width();
                break;
            default:
                place(c, r.left, r.top, r.Width(), r.Height());
                break;
            }
        }
    }
}

