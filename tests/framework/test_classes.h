// Small component classes that exercise every kind of published property,
// shared by the framework tests.
#pragma once

#include "framework/collection.h"
#include "framework/component.h"
#include "framework/strings.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TShade { shLight, shMedium, shDark };
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;

// Owned sub-object with properties of its own (stored as Font.Name etc.).
class TTestFont : public TPersistent {
    TANSU_CLASS(TTestFont, TPersistent)
public:
    const std::string& FontName() const { return name_; }
    void SetFontName(const std::string& n) { name_ = n; }
    int Height() const { return height_; }
    void SetHeight(int h) { height_ = h; }
    void Assign(const TPersistent* source) override;

private:
    std::string name_;
    int height_ = 0;
};

class TTestItem : public TCollectionItem {
    TANSU_CLASS(TTestItem, TCollectionItem)
public:
    explicit TTestItem(TCollection* c) : TCollectionItem(c) {}
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* t) { target_ = t; }
    int Weight() const { return weight_; }
    void SetWeight(int w) { weight_ = w; }
    void Assign(const TPersistent* source) override;

private:
    TComponent* target_ = nullptr;
    int weight_ = 0;
};

// A non-visual component with one property of each kind, custom stored
// data ("Cells"), and published methods to be bound as handlers.
class TWidget : public TComponent {
    TANSU_CLASS(TWidget, TComponent)
public:
    explicit TWidget(TComponent* owner);
    ~TWidget() override;

    int Count() const { return count_; }
    void SetCount(int c) { count_ = c; }
    bool Active() const { return active_; }
    void SetActive(bool a) { active_ = a; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade s) { shade_ = s; }
    uint32_t Options() const { return options_; }
    void SetOptions(uint32_t o) { options_ = o; }
    TWidget* Buddy() const { return buddy_; }
    void SetBuddy(TWidget* b);
    TTestFont* Font() const { return font_; }
    TCollection* Items() const { return items_; }
    TStringList* Lines() const { return lines_; }

    TNotifyEvent OnClick;
    TKeyPressEvent OnKeyPress;

    void DefineProperties(TFiler& filer) override;
    void Notification(TComponent* c, TOperation op) override;
    void Loaded() override;

    std::vector<int> cells;        // custom stored data
    bool loadedSeen = false;       // Loaded ran
    bool loadingDuringLoaded = false;  // the next widget was still loading then
    TWidget* watchNext = nullptr;
    std::vector<std::string> removedNames;

private:
    int count_ = 0;
    bool active_ = true;
    std::string caption_;
    TShade shade_ = TShade::shLight;
    uint32_t options_ = 0;
    TWidget* buddy_ = nullptr;
    TTestFont* font_;
    TCollection* items_;
    TStringList* lines_;
};

// A root with published handlers.
class TTestForm : public TComponent {
    TANSU_CLASS(TTestForm, TComponent)
public:
    explicit TTestForm(TComponent* owner) : TComponent(owner) {}
    void WidgetClick(TObject* sender) { clicks.push_back(sender); }
    void WidgetKeyPress(TObject*, char& key) { key = 'X'; }
    void Other(int) {}
    std::vector<TObject*> clicks;
};

void RegisterTestClasses();
