// Collections: an ordered list of items of one item class, owned by a
// persistent object and stored in forms as a collection of property sets.
#pragma once

#include "framework/persistent.h"

#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    TANSU_CLASS(TCollectionItem, TPersistent)
public:
    // Adds itself at the end of the collection (when one is given).
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or out of any, with null).
    void SetCollection(TCollection* collection);
    int Index() const;
    void SetIndex(int index);
    int ID() const { return id_; }
    virtual std::string DisplayName() const { return ClassName(); }
    TPersistent* GetOwner() const override;

protected:
    // Tells the collection that the item changed.
    void Changed();

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
    TANSU_CLASS(TCollection, TPersistent)
public:
    TCollection(TClass itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    TClass ItemClass() const { return itemClass_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // EInvalidOperation for an index outside 0 .. Count - 1.
    TCollectionItem* Items(int index) const;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    // Items of the source are copied one by one with Assign.
    void Assign(const TPersistent* source) override;
    TPersistent* GetOwner() const override { return owner_; }

    // Called when an item changed (null: the whole collection).
    virtual void Update(TCollectionItem*) {}

    void BeginUpdate() { ++updating_; }
    void EndUpdate();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void Changed();

    TClass itemClass_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updating_ = 0;
};
