#include "framework/collection.h"

#include "framework/form_filer.h"

#include <algorithm>

TANSU_IMPLEMENT_CLASS(TCollectionItem)
void TCollectionItem::DeclarePublished(TClassBuilder<TCollectionItem>&) {}

TANSU_IMPLEMENT_CLASS(TCollection)
void TCollection::DeclarePublished(TClassBuilder<TCollection>&) {}

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() {
    ForgetFormReferences(this);
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection_ == collection) return;
    if (collection_) collection_->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (!collection_) return;
    auto& items = collection_->items_;
    int current = Index();
    if (index < 0) index = 0;
    if (index >= static_cast<int>(items.size())) index = static_cast<int>(items.size()) - 1;
    if (index == current) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    collection_->Changed();
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed() {
    if (collection_ && collection_->updating_ == 0) collection_->Update(this);
}

TCollection::TCollection(TClass itemClass, TPersistent* owner) : itemClass_(itemClass), owner_(owner) {}

TCollection::~TCollection() {
    updating_ = 1;  // no change notices while going away
    Clear();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EInvalidOperation("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    if (!itemClass_) throw EInvalidOperation("The collection has no item class");
    return itemClass_->CreateItem(this);  // the item adds itself
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

void TCollection::Assign(const TPersistent* source) {
    auto* other = ObjectCast<TCollection>(const_cast<TPersistent*>(source));
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : other->items_) Add()->Assign(item);
    EndUpdate();
}

void TCollection::EndUpdate() {
    if (--updating_ == 0) Changed();
}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->collection_ = nullptr;
    Changed();
}

void TCollection::Changed() {
    if (updating_ == 0) Update(nullptr);
}
