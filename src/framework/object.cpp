#include "framework/object.h"

#include "framework/exceptions.h"
#include "framework/published.h"

#include <mutex>
#include <vector>

TClassInfo::TClassInfo(std::string name, TClass parent) : name_(std::move(name)), parent_(parent) {}
TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(TClass other) const {
    for (TClass c = this; c; c = c->parent_)
        if (c == other) return true;
    return false;
}

TComponent* TClassInfo::CreateComponent(TComponent* owner) const {
    if (!newComponent_) throw EInvalidOperation("Cannot create an instance of " + name_);
    return newComponent_(owner);
}

TCollectionItem* TClassInfo::CreateItem(TCollection* collection) const {
    if (!newItem_) throw EInvalidOperation("Cannot create an item of class " + name_);
    return newItem_(collection);
}

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
    // Class values are built once and never change afterwards; the list is
    // made on first use, under a lock because worker threads may ask too.
    // Recursive: listing a class lists its parent first.
    static std::recursive_mutex lock;
    std::lock_guard<std::recursive_mutex> guard(lock);
    if (!propertiesListed_) {
        if (parent_) allProperties_ = parent_->Properties();
        for (auto& p : ownProperties_) {
            // A class may publish again a property of its parent (to change
            // its default, say): the newer declaration takes the old place.
            bool replaced = false;
            for (auto& existing : allProperties_) {
                if (SameName(existing->name, p->name)) {
                    existing = p.get();
                    replaced = true;
                    break;
                }
            }
            if (!replaced) allProperties_.push_back(p.get());
        }
        propertiesListed_ = true;
    }
    return allProperties_;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
    for (const TPropInfo* p : Properties())
        if (SameName(p->name, name)) return p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
    for (TClass c = this; c; c = c->parent_)
        for (auto& m : c->ownMethods_)
            if (SameName(m->name, name)) return m.get();
    return nullptr;
}

std::vector<const TMethodInfo*> TClassInfo::Methods() const {
    std::vector<const TMethodInfo*> all;
    if (parent_) all = parent_->Methods();
    for (auto& m : ownMethods_) all.push_back(m.get());
    return all;
}

TClass TObject::StaticClass() {
    static const TClass info = new TClassInfo("TObject", nullptr);
    return info;
}

namespace {

std::mutex g_registryLock;
std::vector<TClass>& Registry() {
    static std::vector<TClass> classes;
    return classes;
}

}  // namespace

void RegisterClass(TClass cls) {
    if (!cls) return;
    std::lock_guard<std::mutex> guard(g_registryLock);
    for (TClass c : Registry())
        if (c == cls) return;
    Registry().push_back(cls);
}

void UnRegisterClass(TClass cls) {
    std::lock_guard<std::mutex> guard(g_registryLock);
    auto& r = Registry();
    for (auto it = r.begin(); it != r.end(); ++it) {
        if (*it == cls) {
            r.erase(it);
            return;
        }
    }
}

TClass FindClass(std::string_view name) {
    std::lock_guard<std::mutex> guard(g_registryLock);
    for (TClass c : Registry())
        if (SameName(c->ClassName(), name)) return c;
    return nullptr;
}

TClass GetClass(std::string_view name) {
    TClass c = FindClass(name);
    if (!c) throw EReadError("Class " + std::string(name) + " not found");
    return c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool IsValidIdent(std::string_view name) {
    if (name.empty()) return false;
    auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!letter(name[0])) return false;
    for (char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}
