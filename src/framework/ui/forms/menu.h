// Menus: a main menu holds menu items, items hold items.  Stored forms nest
// the items inside the menu object (each item a component of the form).
//
// A caption of "-" makes a separator; "&" marks the accelerator.  An item's
// ShortCut is a key code with scShift, scCtrl and scAlt (Ctrl+O is
// scCtrl | 'O', 16463); the form runs it when the key is pressed in one of
// its controls: first the OnClick of the menus holding the item (as when
// they open), then the item's.  An item with items of its own runs its
// OnClick when its menu opens, before the menu shows; the others when they
// are chosen.  Checked shows a check mark; choosing an item does not change
// it.
#pragma once

#include "framework/component.h"
#include "framework/ui/core/control_types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class TMenu;

using TShortCut = uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// The shortcut of a key with modifiers (key codes of input_types.h).
TShortCut ShortCut(uint16_t key, TShiftState shift);
// "Ctrl+O", "Shift+F5", "Del"; empty for 0 or a key without a name.
std::string ShortCutToText(TShortCut shortCut);

class TMenuItem : public TComponent {
    TANSU_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsLine() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    int Count() const { return static_cast<int>(items_.size()); }
    // EInvalidOperation for an index outside 0 .. Count - 1.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    // Adds an item at the end (taking it from where it was).
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // The item holding this one (the menu's root item for a top item).
    TMenuItem* Parent() const { return parent_; }
    // The menu this item belongs to, or null.
    TMenu* GetParentMenu() const;

    // Runs OnClick.
    virtual void Click();
    TNotifyEvent OnClick;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const override;

    // --- The toolkit side. ---------------------------------------------------
    QAction* Action();

protected:
    void BeforeDestruction() override;

private:
    friend class TMenu;
    void UpdateAction();
    void RebuildSubMenu();
    void ChildrenChanged();
    void Opening();

    std::string caption_;
    TShortCut shortCut_ = 0;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item
    QAction* action_ = nullptr;
    QMenu* subMenu_ = nullptr;
};

class TMenu : public TComponent {
    TANSU_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item: its items are the menu's top items.
    TMenuItem* Items() const { return items_; }
    // The first item with this shortcut, or null.
    TMenuItem* FindShortCut(TShortCut shortCut) const;
    // Runs the item of the key's shortcut (see above); true when it ran.
    bool IsShortCut(uint16_t key, TShiftState shift);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const override;

    // A menu of this one is about to open (for the form that shows it).
    std::function<void()> onOpening;

protected:
    friend class TMenuItem;
    // The top items changed.
    virtual void ItemsChanged() {}

private:
    TMenuItem* items_;
};

class TMainMenu : public TMenu {
    TANSU_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    // The menu bar, made on first need; a form shows it above its client
    // area.
    QMenuBar* MenuBar();

protected:
    void ItemsChanged() override;

private:
    QMenuBar* bar_ = nullptr;
};
