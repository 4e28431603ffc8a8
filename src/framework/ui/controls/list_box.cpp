#include "framework/ui/controls/list_box.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/graphics/qt_text.h"

#include <QListWidget>

TANSU_IMPLEMENT_CLASS(TListBox)
void TListBox::DeclarePublished(TClassBuilder<TListBox>& c) {
    c.Property("Color", &TListBox::Color, &TListBox::SetColor).NotStored();
    c.Property("Font", &TListBox::Font).StoredWhen(&TListBox::IsFontStored);
    c.Property("Items", &TListBox::Items);
    c.Property("ParentFont", &TListBox::ParentFont, &TListBox::SetParentFont).Default(1);
    c.Property("TabStop", &TListBox::TabStop, &TListBox::SetTabStop).Default(1);
    c.Event("OnClick", &TListBox::OnClick);
    c.Event("OnDblClick", &TListBox::OnDblClick);
    PublishDragEvents(c);
    PublishFocusAndKeyEvents(c);
    PublishMouseEvents(c);
}

TListBox::TListBox(TComponent* owner) : TWinControl(owner), items_(new TStringList()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetDefaultColor(clWindow);
    items_->OnChange.Bind([this](TObject*) { Refill(); });
}

TListBox::~TListBox() { delete items_; }

QWidget* TListBox::CreateWidget() {
    auto* list = new QListWidget();
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(list, &QListWidget::currentRowChanged, list, [this](int row) {
        if (updating_) return;
        itemIndex_ = row;
        ui::RunGuarded([this] { Click(); });
    });
    return list;
}

QListWidget* TListBox::List() { return static_cast<QListWidget*>(Widget()); }

void TListBox::InitWidget() {
    TWinControl::InitWidget();
    WatchMouseOf(List()->viewport());
    Refill();
}

void TListBox::Refill() {
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
    if (!HasWidget()) return;
    updating_ = true;
    QListWidget* list = List();
    list->clear();
    for (int i = 0; i < items_->Count(); ++i) list->addItem(ui::ToQt(items_->Strings(i)));
    ShowItemIndex();
    updating_ = false;
}

void TListBox::ShowItemIndex() {
    // Set through the view, so that taking the focus does not choose the
    // first line by itself.
    QListWidget* list = List();
    if (itemIndex_ < 0) list->setCurrentIndex(QModelIndex());
    else list->setCurrentRow(itemIndex_);
}

int TListBox::ItemIndex() const { return itemIndex_; }

void TListBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_->Count()) index = -1;
    itemIndex_ = index;
    if (!HasWidget()) return;
    updating_ = true;
    ShowItemIndex();
    updating_ = false;
}
