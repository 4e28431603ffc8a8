// Components: persistent objects with an owner that frees them, a name that
// is unique among the owner's components, a state (loading, designing,
// destroying), notifications when a component they asked about goes away,
// and a design position when they are not visual.
#pragma once

#include "framework/persistent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TComponentStateFlag : uint32_t {
    csLoading = 0x01,
    csReading = 0x02,
    csWriting = 0x04,
    csDestroying = 0x08,
    csDesigning = 0x10,
    csUpdating = 0x20,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    TANSU_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    // Destroys the component while it is still whole: owned components
    // first, then those that asked are told, then the owner lets it go.
    // Use it (or TFreeDeleter) instead of delete.
    void Free();

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    // EComponentError, and nothing changes, when the name is not an
    // identifier or another component of the owner has it (names compare
    // without regard to ASCII case).  The empty name is allowed.
    void SetName(const std::string& name);

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    uint32_t ComponentState() const { return state_; }
    bool IsLoading() const { return state_ & csLoading; }
    bool IsDesigning() const { return state_ & csDesigning; }
    bool IsDestroying() const { return state_ & csDestroying; }
    // Sets or clears the designing state, of the owned components too.
    void SetDesigning(bool designing);
    // The reader sets the loading state before it reads a component and
    // Loaded clears it once the whole form is read.
    void SetLoading() { state_ |= csLoading | csReading; }
    void ClearReading() { state_ &= ~csReading; }
    virtual void Loaded();

    // Asks to be told (Notification with opRemove) when `component` goes.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Called when a component is inserted into or removed from the owner's
    // list, and when one this component asked about is removed.  The
    // default passes the news on to the owned components.
    virtual void Notification(TComponent* component, TOperation operation);

    int32_t Tag() const { return tag_; }
    void SetTag(int32_t tag) { tag_ = tag; }

    // Where a non-visual component sits on its form at design time.
    int DesignLeft() const { return designLeft_; }
    int DesignTop() const { return designTop_; }
    void SetDesignPosition(int left, int top) {
        designLeft_ = left;
        designTop_ = top;
    }

    // Forms nest their controls: a component with a parent is written
    // inside it and given its parent when read.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}
    // The components written inside this one, in order.  The root gives
    // its owned components that have no parent; controls give their
    // children.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const;

    void DefineProperties(TFiler& filer) override;

protected:
    // Runs once, first thing in Free.  Overrides call the base at the end.
    virtual void BeforeDestruction();

private:
    void Destroying();
    void RemoveNotifications();

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    uint32_t state_ = 0;
    int32_t tag_ = 0;
    int designLeft_ = 0;
    int designTop_ = 0;
    bool tornDown_ = false;
};

struct TFreeDeleter {
    void operator()(TComponent* c) const {
        if (c) c->Free();
    }
};
template <class T>
using TOwned = std::unique_ptr<T, TFreeDeleter>;
