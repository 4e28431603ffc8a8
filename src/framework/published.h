// Published properties, events and methods: what a class lists and lets be
// read and written by name at run time, and what stored forms hold.
//
// A class declares them once, next to the class:
//
//   class TButton : public TWinControl {
//       TANSU_CLASS(TButton, TWinControl)
//   public:
//       explicit TButton(TComponent* owner);
//       const std::string& Caption() const;
//       void SetCaption(const std::string& text);
//       TNotifyEvent OnClick;
//       void ButtonClick(TObject* sender);
//   };
//
//   TANSU_IMPLEMENT_CLASS(TButton)
//   void TButton::DeclarePublished(TClassBuilder<TButton>& c) {
//       c.Property("Caption", &TButton::Caption, &TButton::SetCaption);
//       c.Event("OnClick", &TButton::OnClick);
//       c.Method("ButtonClick", &TButton::ButtonClick);
//   }
#pragma once

#include "framework/exceptions.h"
#include "framework/object.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <variant>
#include <vector>

class TPersistent;

// A property that does not exist, a value of the wrong kind, a handler of
// the wrong signature.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// A handler bound to an object: what an event property holds.  Empty when
// no handler is set.  Two methods are equal when they run the same code on
// the same object.
class TMethod {
public:
    TMethod() = default;

    bool Assigned() const { return call_ != nullptr; }
    const std::type_info* Signature() const { return signature_; }
    TObject* Data() const { return data_; }
    // The published method this handler is, or null (a handler set in code).
    const TMethodInfo* Info() const { return info_; }
    // The published method's name, or empty.
    std::string Name() const;

    friend bool operator==(const TMethod& a, const TMethod& b) {
        if (!a.Assigned() || !b.Assigned()) return a.Assigned() == b.Assigned();
        return a.signature_ == b.signature_ && a.data_ == b.data_ && a.code_ == b.code_;
    }

    // Builds a handler that calls `fn`; `code` identifies the code for
    // comparisons.
    template <class Sig>
    static TMethod Make(std::function<Sig> fn, TObject* data, std::string code, const TMethodInfo* info) {
        TMethod m;
        m.signature_ = &typeid(Sig);
        m.data_ = data;
        m.info_ = info;
        m.code_ = std::move(code);
        m.call_ = std::make_shared<const std::function<Sig>>(std::move(fn));
        return m;
    }

    // The callable, for a signature already checked.
    template <class Sig>
    const std::function<Sig>& Callable() const {
        return *static_cast<const std::function<Sig>*>(call_.get());
    }

private:
    const std::type_info* signature_ = nullptr;
    TObject* data_ = nullptr;
    const TMethodInfo* info_ = nullptr;
    std::string code_;
    std::shared_ptr<const void> call_;
};

// Identity of a pointer to member function, for TMethod comparisons.
template <class PM>
std::string MemberCode(PM pm) {
    std::string code(sizeof pm, '\0');
    std::memcpy(code.data(), &pm, sizeof pm);
    return code;
}
// A fresh identity for a handler that is a plain callable.
std::string UniqueCode();

template <class Sig>
class TEvent;

// An event: holds one handler of the signature R(A...).  Setting replaces
// the handler, Clear empties it, calling an empty event does nothing (and
// gives a default R).
template <class R, class... A>
class TEvent<R(A...)> {
public:
    using Signature = R(A...);

    TEvent() = default;

    template <class C, class B>
    void Bind(C* object, R (B::*member)(A...)) {
        static_assert(std::is_base_of_v<B, C>);
        B* target = object;
        method_ = TMethod::Make<Signature>([target, member](A... args) -> R { return (target->*member)(std::forward<A>(args)...); },
                                           object, MemberCode(member), nullptr);
    }
    // A handler that is a plain callable (tests, glue code).
    void Bind(std::function<Signature> fn, TObject* data = nullptr) {
        method_ = TMethod::Make<Signature>(std::move(fn), data, UniqueCode(), nullptr);
    }
    // Takes a handler of the same signature; EPropertyError for another.
    void SetMethod(const TMethod& method) {
        if (method.Assigned() && *method.Signature() != typeid(Signature))
            throw EPropertyError("handler of the wrong type");
        method_ = method;
    }
    void Clear() { method_ = TMethod(); }

    bool Assigned() const { return method_.Assigned(); }
    explicit operator bool() const { return Assigned(); }
    const TMethod& Method() const { return method_; }

    R operator()(A... args) const {
        if (!method_.Assigned()) {
            if constexpr (std::is_void_v<R>) return;
            else return R();
        }
        // Copy the callable's owner first: the handler may replace this event.
        TMethod keep = method_;
        return keep.Callable<Signature>()(std::forward<A>(args)...);
    }

    friend bool operator==(const TEvent& a, const TEvent& b) { return a.method_ == b.method_; }

private:
    TMethod method_;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

enum class TPropKind { Integer, Boolean, String, Enum, Set, Component, Object, Event };

// A property value in generic form: ordinal kinds (integers, enumerations
// as their ordinal, sets as a bit mask, booleans) as int64_t or bool,
// texts, objects (references and owned objects), handlers.
using TPropValue = std::variant<std::monostate, int64_t, bool, std::string, TObject*, TMethod>;

struct TPropInfo {
    std::string name;
    TPropKind kind = TPropKind::Integer;
    TClass (*objectClassOf)() = nullptr;         // Component / Object: the class
    std::vector<std::string> names;              // Enum values, Set elements (bit i)
    const std::type_info* signature = nullptr;   // Event
    std::function<TPropValue(const TObject*)> get;
    std::function<void(TObject*, const TPropValue&)> set;  // empty: read-only
    std::optional<int64_t> defaultValue;         // ordinal kinds: not stored when equal
    std::function<bool(const TObject*)> stored;  // empty: stored
    bool neverStored = false;

    bool ReadOnly() const { return !set; }
    // Looked up when asked, since a class may refer to itself.
    TClass ObjectClass() const { return objectClassOf ? objectClassOf() : nullptr; }

    // Chained settings for the declaration.
    TPropInfo& Default(int64_t value) {
        defaultValue = value;
        return *this;
    }
    template <class C>
    TPropInfo& StoredWhen(bool (C::*test)() const) {
        stored = [test](const TObject* o) { return (static_cast<const C*>(o)->*test)(); };
        return *this;
    }
    TPropInfo& NotStored() {
        neverStored = true;
        return *this;
    }
    // Whether a writer stores this property of `object` now.
    bool IsStored(const TObject* object) const;
};

struct TMethodInfo {
    std::string name;
    const std::type_info* signature = nullptr;
    TClass owner = nullptr;
    std::function<TMethod(TObject*)> bind;  // the method of that instance
};

// --- Generic access by name -------------------------------------------------

// Properties of the object's class, inherited first.
const std::vector<const TPropInfo*>& GetPropList(const TObject* object);
// The event properties, in the same order.
std::vector<const TPropInfo*> GetEventProps(const TObject* object);
// Null when the class has no such property.
const TPropInfo* FindPropInfo(const TObject* object, std::string_view name);
// The property, or EPropertyError naming the property and the class.
const TPropInfo& GetPropInfo(const TObject* object, std::string_view name);

TPropValue GetPropValue(const TObject* object, std::string_view name);
// Checks the value's kind against the property's (an integer for an
// ordinal, a text, a component of the property's class or null, a handler
// of the event's signature); EPropertyError otherwise, and nothing changes.
void SetPropValue(TObject* object, std::string_view name, const TPropValue& value);
void SetPropValue(TObject* object, const TPropInfo& prop, const TPropValue& value);

int64_t GetOrdProp(const TObject* object, std::string_view name);
void SetOrdProp(TObject* object, std::string_view name, int64_t value);
std::string GetStrProp(const TObject* object, std::string_view name);
void SetStrProp(TObject* object, std::string_view name, const std::string& value);
TObject* GetObjectProp(const TObject* object, std::string_view name);
TMethod GetMethodProp(const TObject* object, std::string_view name);
void SetMethodProp(TObject* object, std::string_view name, const TMethod& method);

// Enumeration and set values by name.
std::string EnumName(const TPropInfo& prop, int64_t value);
int64_t EnumValue(const TPropInfo& prop, std::string_view name);  // EPropertyError
std::vector<std::string> SetNames(const TPropInfo& prop, int64_t mask);
int64_t SetMask(const TPropInfo& prop, const std::vector<std::string>& names);

// The published method `name` of the instance's class, bound to the
// instance; empty when there is none.
TMethod MethodOf(TObject* instance, std::string_view name);

// --- Declaring --------------------------------------------------------------

namespace published_detail {
template <class T>
struct PointerTarget {};
template <class T>
struct PointerTarget<T*> {
    using type = T;
};
template <class V>
using Plain = std::remove_cv_t<std::remove_reference_t<V>>;
}  // namespace published_detail

template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& info) : info_(info) {}

    // Integers, booleans, texts, component references and owned objects,
    // by the getter's type.  A setter taking the value by value or by const
    // reference; no setter makes the property read-only (the usual case for
    // owned objects, whose properties are set in place).
    template <class G, class B1, class S, class B2>
    TPropInfo& Property(std::string name, G (B1::*getter)() const, void (B2::*setter)(S)) {
        using V = published_detail::Plain<G>;
        TPropInfo& p = Add(std::move(name), KindOf<V>());
        SetClass<V>(p);
        p.get = [getter](const TObject* o) { return ToValue<V>((static_cast<const C*>(o)->*getter)()); };
        p.set = [setter, pname = p.name](TObject* o, const TPropValue& v) {
            (static_cast<C*>(o)->*setter)(FromValue<published_detail::Plain<S>>(v, pname));
        };
        return p;
    }
    template <class G, class B1>
    TPropInfo& Property(std::string name, G (B1::*getter)() const) {
        using V = published_detail::Plain<G>;
        TPropInfo& p = Add(std::move(name), KindOf<V>());
        SetClass<V>(p);
        p.get = [getter](const TObject* o) { return ToValue<V>((static_cast<const C*>(o)->*getter)()); };
        return p;
    }
    // A plain data member.
    template <class V, class B>
    TPropInfo& Field(std::string name, V B::*member) {
        TPropInfo& p = Add(std::move(name), KindOf<V>());
        SetClass<V>(p);
        p.get = [member](const TObject* o) { return ToValue<V>(static_cast<const C*>(o)->*member); };
        p.set = [member, pname = p.name](TObject* o, const TPropValue& v) {
            static_cast<C*>(o)->*member = FromValue<V>(v, pname);
        };
        return p;
    }
    // An enumeration: the C++ enum's values 0, 1, 2 ... are named in order.
    template <class G, class B1, class S, class B2>
    TPropInfo& Enum(std::string name, G (B1::*getter)() const, void (B2::*setter)(S), std::vector<std::string> names) {
        using E = published_detail::Plain<G>;
        TPropInfo& p = Add(std::move(name), TPropKind::Enum);
        p.names = std::move(names);
        p.get = [getter](const TObject* o) { return TPropValue(static_cast<int64_t>((static_cast<const C*>(o)->*getter)())); };
        p.set = [setter, pname = p.name, count = p.names.size()](TObject* o, const TPropValue& v) {
            int64_t n = FromValue<int64_t>(v, pname);
            if (n < 0 || static_cast<size_t>(n) >= count) throw EPropertyError("value out of range for " + pname);
            (static_cast<C*>(o)->*setter)(static_cast<E>(n));
        };
        return p;
    }
    // A set held as a bit mask: element i is bit i.
    template <class G, class B1, class S, class B2>
    TPropInfo& Set(std::string name, G (B1::*getter)() const, void (B2::*setter)(S), std::vector<std::string> names) {
        using M = published_detail::Plain<G>;
        TPropInfo& p = Add(std::move(name), TPropKind::Set);
        p.names = std::move(names);
        p.get = [getter](const TObject* o) { return TPropValue(static_cast<int64_t>((static_cast<const C*>(o)->*getter)())); };
        p.set = [setter, pname = p.name](TObject* o, const TPropValue& v) {
            (static_cast<C*>(o)->*setter)(static_cast<M>(FromValue<int64_t>(v, pname)));
        };
        return p;
    }
    // An event member.
    template <class Sig, class B>
    TPropInfo& Event(std::string name, TEvent<Sig> B::*member) {
        TPropInfo& p = Add(std::move(name), TPropKind::Event);
        p.signature = &typeid(Sig);
        p.get = [member](const TObject* o) { return TPropValue((static_cast<const C*>(o)->*member).Method()); };
        p.set = [member](TObject* o, const TPropValue& v) {
            const TMethod* m = std::get_if<TMethod>(&v);
            (static_cast<C*>(o)->*member).SetMethod(m ? *m : TMethod());
        };
        return p;
    }
    // A published method: found by name, bound to an instance as a handler.
    template <class R, class B, class... A>
    void Method(std::string name, R (B::*member)(A...)) {
        auto m = std::make_unique<TMethodInfo>();
        m->name = std::move(name);
        m->signature = &typeid(R(A...));
        m->owner = &info_;
        const TMethodInfo* self = m.get();
        m->bind = [member, self](TObject* instance) {
            B* target = static_cast<C*>(instance);
            return TMethod::Make<R(A...)>([target, member](A... args) -> R { return (target->*member)(std::forward<A>(args)...); },
                                          instance, MemberCode(member), self);
        };
        info_.ownMethods_.push_back(std::move(m));
    }

private:
    TPropInfo& Add(std::string name, TPropKind kind) {
        auto p = std::make_unique<TPropInfo>();
        p->name = std::move(name);
        p->kind = kind;
        info_.ownProperties_.push_back(std::move(p));
        return *info_.ownProperties_.back();
    }

    template <class V>
    static constexpr TPropKind KindOf() {
        if constexpr (std::is_same_v<V, bool>) return TPropKind::Boolean;
        else if constexpr (std::is_integral_v<V>) return TPropKind::Integer;
        else if constexpr (std::is_same_v<V, std::string>) return TPropKind::String;
        else if constexpr (std::is_pointer_v<V>) {
            using T = typename published_detail::PointerTarget<V>::type;
            if constexpr (std::is_base_of_v<TComponent, T>) return TPropKind::Component;
            else return TPropKind::Object;
        } else {
            static_assert(std::is_pointer_v<V>, "use Enum or Set for this property type");
            return TPropKind::Integer;
        }
    }
    template <class V>
    static void SetClass(TPropInfo& p) {
        if constexpr (std::is_pointer_v<V>) p.objectClassOf = &published_detail::PointerTarget<V>::type::StaticClass;
    }
    template <class V>
    static TPropValue ToValue(const V& v) {
        if constexpr (std::is_same_v<V, bool>) return TPropValue(v);
        else if constexpr (std::is_integral_v<V>) return TPropValue(static_cast<int64_t>(v));
        else if constexpr (std::is_same_v<V, std::string>) return TPropValue(v);
        else return TPropValue(static_cast<TObject*>(const_cast<std::remove_const_t<typename published_detail::PointerTarget<V>::type>*>(v)));
    }
    template <class V>
    static V FromValue(const TPropValue& v, const std::string& name) {
        if constexpr (std::is_same_v<V, bool>) {
            if (auto b = std::get_if<bool>(&v)) return *b;
            if (auto i = std::get_if<int64_t>(&v)) return *i != 0;
        } else if constexpr (std::is_integral_v<V>) {
            if (auto i = std::get_if<int64_t>(&v)) return static_cast<V>(*i);
            if (auto b = std::get_if<bool>(&v)) return static_cast<V>(*b);
        } else if constexpr (std::is_same_v<V, std::string>) {
            if (auto s = std::get_if<std::string>(&v)) return *s;
        } else if constexpr (std::is_pointer_v<V>) {
            using T = std::remove_const_t<typename published_detail::PointerTarget<V>::type>;
            if (std::holds_alternative<std::monostate>(v)) return nullptr;
            if (auto o = std::get_if<TObject*>(&v)) {
                if (!*o) return nullptr;
                if ((*o)->template Is<T>()) return static_cast<T*>(*o);
                throw EPropertyError("a " + (*o)->ClassName() + " does not fit " + name);
            }
        }
        throw EPropertyError("value of the wrong kind for " + name);
    }

    TClassInfo& info_;
};

template <class C>
TClass MakeClassInfo(const char* name) {
    TClass parent = nullptr;
    if constexpr (!std::is_same_v<C, TObject>) parent = C::Inherited::StaticClass();
    auto* info = new TClassInfo(name, parent);  // class values live for the whole run
    TClassBuilder<C> builder(*info);
    C::DeclarePublished(builder);
    if constexpr (!std::is_abstract_v<C>) {
        if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*>)
            info->newComponent_ = [](TComponent* owner) -> TComponent* { return new C(owner); };
        if constexpr (std::is_base_of_v<TCollectionItem, C> && std::is_constructible_v<C, TCollection*>)
            info->newItem_ = [](TCollection* collection) -> TCollectionItem* { return new C(collection); };
    }
    return info;
}
