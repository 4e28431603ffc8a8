// Objects that know their class.  Every framework object derives from
// TObject; its class is a value (TClass) that names the class, knows its
// parent, lists the published properties and methods, and can construct a
// new instance (a virtual constructor) where the class allows it.
//
// A class declares itself with TANSU_CLASS in its body and defines its
// class value with TANSU_IMPLEMENT_CLASS plus a DeclarePublished function
// next to it (see published.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
class TClassInfo;
struct TPropInfo;
struct TMethodInfo;
template <class C>
class TClassBuilder;

using TClass = const TClassInfo*;

class TClassInfo {
public:
    TClassInfo(std::string name, TClass parent);
    ~TClassInfo();
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const std::string& ClassName() const { return name_; }
    TClass ClassParent() const { return parent_; }
    // True when this class is `other` or derives from it.
    bool InheritsFrom(TClass other) const;

    // Virtual constructors; a class that cannot be made this way throws
    // EInvalidOperation.
    bool CanCreateComponent() const { return newComponent_ != nullptr; }
    bool CanCreateItem() const { return newItem_ != nullptr; }
    TComponent* CreateComponent(TComponent* owner) const;
    TCollectionItem* CreateItem(TCollection* collection) const;

    // Published properties, inherited ones first, each class's in the order
    // it declares them.  Names compare without regard to ASCII case.
    const std::vector<const TPropInfo*>& Properties() const;
    const TPropInfo* FindProperty(std::string_view name) const;
    // Published methods of this class or an ancestor (the nearest wins).
    const TMethodInfo* FindMethod(std::string_view name) const;
    std::vector<const TMethodInfo*> Methods() const;

private:
    template <class C>
    friend class TClassBuilder;
    template <class C>
    friend TClass MakeClassInfo(const char* name);

    std::string name_;
    TClass parent_;
    TComponent* (*newComponent_)(TComponent*) = nullptr;
    TCollectionItem* (*newItem_)(TCollection*) = nullptr;
    std::vector<std::unique_ptr<TPropInfo>> ownProperties_;
    std::vector<std::unique_ptr<TMethodInfo>> ownMethods_;
    mutable std::vector<const TPropInfo*> allProperties_;
    mutable bool propertiesListed_ = false;
};

class TObject {
public:
    TObject() = default;
    virtual ~TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    static TClass StaticClass();
    virtual TClass ClassType() const { return StaticClass(); }

    const std::string& ClassName() const { return ClassType()->ClassName(); }
    // True when this object is an instance of `cls` or of a class derived
    // from it.
    bool InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }
    template <class T>
    bool Is() const {
        return InheritsFrom(T::StaticClass());
    }
};

// Checked down-cast by framework class; null when `obj` is not a T.
template <class T>
T* ObjectCast(TObject* obj) {
    return obj && obj->Is<T>() ? static_cast<T*>(obj) : nullptr;
}

// The class registry: stored forms name classes, and the reader finds them
// here.  Each library registers its classes from a function its users call
// at start (so that no class depends on the linker keeping a static
// initialiser).
void RegisterClass(TClass cls);
void UnRegisterClass(TClass cls);
TClass FindClass(std::string_view name);  // null when unknown
// FindClass, or EReadError "Class X not found".
TClass GetClass(std::string_view name);

// ASCII case-insensitive comparison, as names of components, classes and
// properties compare.
bool SameName(std::string_view a, std::string_view b);
// An identifier: a letter or "_", then letters, digits and "_".
bool IsValidIdent(std::string_view name);

#define TANSU_CLASS(Class, Parent)                               \
public:                                                          \
    using Inherited = Parent;                                    \
    static TClass StaticClass();                                 \
    TClass ClassType() const override { return StaticClass(); }  \
    static void DeclarePublished(TClassBuilder<Class>& c);

#define TANSU_IMPLEMENT_CLASS(Class)                                \
    TClass Class::StaticClass() {                                   \
        static const TClass info = MakeClassInfo<Class>(#Class);    \
        return info;                                                \
    }
