// A list of texts to choose one from.  Items is a string list (stored as
// "Items.Strings"); ItemIndex is the chosen line or -1.  OnClick runs when
// the user changes the choice (by mouse or key), not when the program sets
// ItemIndex.
#pragma once

#include "framework/strings.h"
#include "framework/ui/core/control.h"

class QListWidget;

class TListBox : public TWinControl {
    TANSU_CLASS(TListBox, TWinControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStringList* Items() const { return items_; }
    void SetItems(TStringList* items) { items_->Assign(items); }
    int ItemIndex() const;
    void SetItemIndex(int index);

protected:
    QWidget* CreateWidget() override;
    void InitWidget() override;
    bool TakesFocusOnClick() const override { return true; }
    bool ClickFromMouse() const override { return false; }

private:
    QListWidget* List();
    void Refill();
    void ShowItemIndex();

    TStringList* items_;
    int itemIndex_ = -1;
    bool updating_ = false;
};
