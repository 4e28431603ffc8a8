#include "framework/ui/forms/menu.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/graphics/font_map.h"
#include "framework/ui/graphics/qt_text.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace {

// Menus use the desktop's menu font, not their form's.
QFont MenuFont() { return ui::FormFont("ＭＳ Ｐゴシック", -12); }

std::string KeyName(uint16_t key) {
    namespace k = ui::key;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= k::F1 && key < k::F1 + 24) return "F" + std::to_string(key - k::F1 + 1);
    switch (key) {
    case k::Back: return "BkSp";
    case k::Tab: return "Tab";
    case k::Return: return "Enter";
    case k::Escape: return "Esc";
    case k::Space: return "Space";
    case k::PageUp: return "PgUp";
    case k::PageDown: return "PgDn";
    case k::End: return "End";
    case k::Home: return "Home";
    case k::Left: return "Left";
    case k::Up: return "Up";
    case k::Right: return "Right";
    case k::Down: return "Down";
    case k::Insert: return "Ins";
    case k::Delete: return "Del";
    default: return std::string();
    }
}

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
    TShortCut s = key & 0xFF;
    if (shift & ui::kShift) s |= scShift;
    if (shift & ui::kCtrl) s |= scCtrl;
    if (shift & ui::kAlt) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return name;
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

// --- TMenuItem ----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TMenuItem)
void TMenuItem::DeclarePublished(TClassBuilder<TMenuItem>& c) {
    c.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    c.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(0);
    c.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(1);
    c.Property("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(0);
    c.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(1);
    c.Event("OnClick", &TMenuItem::OnClick);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    items_.clear();
    if (parent_) parent_->Remove(this);
    if (action_) action_->setMenu(nullptr);
    delete subMenu_;
    delete action_;
}

void TMenuItem::BeforeDestruction() {
    // The items of a menu go with it.
    while (!items_.empty()) {
        TMenuItem* last = items_.back();
        Remove(last);
        last->Free();
    }
    if (parent_) parent_->Remove(this);
    TComponent::BeforeDestruction();
}

void TMenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    UpdateAction();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    shortCut_ = shortCut;
    UpdateAction();
}

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    UpdateAction();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateAction();
}

void TMenuItem::SetVisible(bool visible) {
    visible_ = visible;
    UpdateAction();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Menu index out of range (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    for (TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EInvalidOperation("A menu item cannot hold itself");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    ChildrenChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* top = this;
    while (top->parent_) top = top->parent_;
    return top->menu_;
}

void TMenuItem::Click() { OnClick(this); }

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* menu = ObjectCast<TMenu>(parent)) menu->Items()->Add(this);
    else if (auto* item = ObjectCast<TMenuItem>(parent)) item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    for (TMenuItem* item : items_)
        if (item->Owner() == root) proc(item);
}

void TMenuItem::ChildrenChanged() {
    if (menu_) menu_->ItemsChanged();
    else RebuildSubMenu();
}

QAction* TMenuItem::Action() {
    if (!action_) {
        action_ = new QAction();
        QObject::connect(action_, &QAction::triggered, [this] {
            // Choosing an item leaves its check mark as the program set it.
            action_->setChecked(checked_);
            ui::RunGuarded([this] { Click(); });
        });
        UpdateAction();
        RebuildSubMenu();
    }
    return action_;
}

void TMenuItem::UpdateAction() {
    if (!action_) return;
    action_->setSeparator(IsLine());
    // A line is drawn as a line: its caption "-" would show beside it.
    QString text = IsLine() ? QString() : ui::ToQt(caption_);
    std::string keys = ShortCutToText(shortCut_);
    // After a tab the menu shows the shortcut; the form runs it.
    if (!keys.empty()) text += QChar(u'\t') + ui::ToQt(keys);
    action_->setText(text);
    action_->setCheckable(checked_);
    action_->setChecked(checked_);
    action_->setEnabled(enabled_);
    action_->setVisible(visible_);
}

void TMenuItem::RebuildSubMenu() {
    if (!action_) return;
    if (items_.empty()) {
        if (subMenu_) {
            action_->setMenu(nullptr);
            delete subMenu_;
            subMenu_ = nullptr;
        }
        return;
    }
    if (!subMenu_) {
        subMenu_ = new QMenu();
        subMenu_->setFont(MenuFont());
        QObject::connect(subMenu_, &QMenu::aboutToShow, [this] { Opening(); });
        action_->setMenu(subMenu_);
    }
    for (QAction* a : subMenu_->actions()) subMenu_->removeAction(a);
    for (TMenuItem* item : items_) subMenu_->addAction(item->Action());
}

void TMenuItem::Opening() {
    TMenu* menu = parent_ ? parent_->menu_ : nullptr;
    if (menu && menu->onOpening) ui::RunGuarded([menu] { menu->onOpening(); });
    ui::RunGuarded([this] { Click(); });
}

// --- TMenu --------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TMenu)
void TMenu::DeclarePublished(TClassBuilder<TMenu>&) {}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() = default;

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
    if (shortCut == 0) return nullptr;
    std::vector<const TMenuItem*> stack{items_};
    while (!stack.empty()) {
        const TMenuItem* item = stack.back();
        stack.pop_back();
        for (auto it = item->items_.rbegin(); it != item->items_.rend(); ++it) stack.push_back(*it);
        if (item != items_ && item->ShortCut() == shortCut && !item->IsLine()) return const_cast<TMenuItem*>(item);
    }
    return nullptr;
}

bool TMenu::IsShortCut(uint16_t key, TShiftState shift) {
    TShortCut sc = ShortCut(key, shift);
    TMenuItem* item = FindShortCut(sc);
    if (!item) return false;
    // The menus that hold the item run their OnClick first, as when they
    // open; they may change the item.
    std::vector<TMenuItem*> holders;
    for (TMenuItem* p = item->Parent(); p && p != items_; p = p->Parent()) holders.insert(holders.begin(), p);
    for (TMenuItem* holder : holders) {
        if (!holder->Enabled()) return false;
        holder->Click();
        if (FindShortCut(sc) != item) return true;
    }
    if (!item->Enabled()) return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    items_->GetChildren(proc, root);
}

// --- TMainMenu ----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TMainMenu)
void TMainMenu::DeclarePublished(TClassBuilder<TMainMenu>&) {}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() { delete bar_; }

QMenuBar* TMainMenu::MenuBar() {
    if (!bar_) {
        bar_ = new QMenuBar();
        bar_->setFont(MenuFont());
        ItemsChanged();
    }
    return bar_;
}

void TMainMenu::ItemsChanged() {
    if (!bar_) return;
    for (QAction* a : bar_->actions()) bar_->removeAction(a);
    for (int i = 0; i < Items()->Count(); ++i) bar_->addAction(Items()->Items(i)->Action());
}
