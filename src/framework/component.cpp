#include "framework/component.h"

#include "framework/form_filer.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <algorithm>

TANSU_IMPLEMENT_CLASS(TComponent)
void TComponent::DeclarePublished(TClassBuilder<TComponent>& c) {
    c.Property("Name", &TComponent::Name, &TComponent::SetName).NotStored();
    c.Property("Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
}

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    ForgetFormReferences(this);
    // Reached through Free, everything is done already.  A plain delete
    // still lets go of the owner and the others, though without the
    // derived parts of this object.
    if (!tornDown_) {
        tornDown_ = true;
        Destroying();
        RemoveNotifications();
        DestroyComponents();
        if (owner_) owner_->RemoveComponent(this);
    }
}

void TComponent::Free() {
    if (!tornDown_) {
        tornDown_ = true;
        BeforeDestruction();
    }
    delete this;
}

void TComponent::BeforeDestruction() {
    Destroying();
    RemoveNotifications();
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::RemoveNotifications() {
    // Each told component drops this one from its own list in turn.
    while (!freeNotifies_.empty()) {
        TComponent* c = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = c->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, TOperation::opRemove);
    }
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        components_.pop_back();
        c->owner_ = nullptr;
        Notification(c, TOperation::opRemove);
        c->Free();
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) throw EInvalidOperation("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameName(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    if (state_ & csDesigning) component->SetDesigning(true);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    components_.erase(it);
    component->owner_ = nullptr;
    Notification(component, TOperation::opRemove);
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("\"" + name + "\" is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this) throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::SetDesigning(bool designing) {
    if (designing) state_ |= csDesigning;
    else state_ &= ~csDesigning;
    for (TComponent* c : components_) c->SetDesigning(designing);
}

void TComponent::Loaded() { state_ &= ~(csLoading | csReading); }

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    if (component) {
        auto& theirs = component->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
    // A handler may remove components while being told: walk a copy.
    std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned) {
        if (std::find(components_.begin(), components_.end(), c) != components_.end()) c->Notification(component, operation);
    }
}

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
    if (root != this) return;
    for (TComponent* c : components_)
        if (!c->HasParent()) proc(c);
}

void TComponent::DefineProperties(TFiler& filer) {
    TPersistent::DefineProperties(filer);
    if (HasParent() || !owner_) return;
    // The design position of a non-visual component on its form.
    filer.DefineProperty(
        "Left", [this](TReader& r) { designLeft_ = r.ReadInteger(); },
        [this](TWriter& w) { w.WriteInteger(designLeft_); }, true);
    filer.DefineProperty(
        "Top", [this](TReader& r) { designTop_ = r.ReadInteger(); },
        [this](TWriter& w) { w.WriteInteger(designTop_); }, true);
}
