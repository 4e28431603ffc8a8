#include "framework/published.h"

#include <atomic>

std::string TMethod::Name() const { return info_ ? info_->name : std::string(); }

std::string UniqueCode() {
    static std::atomic<unsigned long long> next{1};
    return "fn#" + std::to_string(next++);
}

bool TPropInfo::IsStored(const TObject* object) const {
    if (neverStored) return false;
    if (stored && !stored(object)) return false;
    if (defaultValue && get) {
        TPropValue v = get(object);
        if (auto i = std::get_if<int64_t>(&v)) return *i != *defaultValue;
        if (auto b = std::get_if<bool>(&v)) return static_cast<int64_t>(*b) != *defaultValue;
    }
    return true;
}

const std::vector<const TPropInfo*>& GetPropList(const TObject* object) { return object->ClassType()->Properties(); }

std::vector<const TPropInfo*> GetEventProps(const TObject* object) {
    std::vector<const TPropInfo*> events;
    for (const TPropInfo* p : GetPropList(object))
        if (p->kind == TPropKind::Event) events.push_back(p);
    return events;
}

const TPropInfo* FindPropInfo(const TObject* object, std::string_view name) {
    return object ? object->ClassType()->FindProperty(name) : nullptr;
}

const TPropInfo& GetPropInfo(const TObject* object, std::string_view name) {
    const TPropInfo* p = FindPropInfo(object, name);
    if (!p)
        throw EPropertyError("Property " + std::string(name) + " does not exist in class " +
                             (object ? object->ClassName() : std::string("(none)")));
    return *p;
}

TPropValue GetPropValue(const TObject* object, std::string_view name) {
    const TPropInfo& p = GetPropInfo(object, name);
    return p.get ? p.get(object) : TPropValue();
}

void SetPropValue(TObject* object, std::string_view name, const TPropValue& value) {
    SetPropValue(object, GetPropInfo(object, name), value);
}

void SetPropValue(TObject* object, const TPropInfo& p, const TPropValue& value) {
    if (!p.set) throw EPropertyError("Property " + p.name + " is read-only");
    bool fits = false;
    switch (p.kind) {
    case TPropKind::Integer:
    case TPropKind::Enum:
    case TPropKind::Set:
        fits = std::holds_alternative<int64_t>(value);
        break;
    case TPropKind::Boolean:
        fits = std::holds_alternative<bool>(value) || std::holds_alternative<int64_t>(value);
        break;
    case TPropKind::String:
        fits = std::holds_alternative<std::string>(value);
        break;
    case TPropKind::Component:
    case TPropKind::Object:
        if (std::holds_alternative<std::monostate>(value)) {
            fits = true;
        } else if (auto o = std::get_if<TObject*>(&value)) {
            fits = !*o || !p.ObjectClass() || (*o)->InheritsFrom(p.ObjectClass());
        }
        break;
    case TPropKind::Event:
        if (std::holds_alternative<std::monostate>(value)) {
            fits = true;
        } else if (auto m = std::get_if<TMethod>(&value)) {
            fits = !m->Assigned() || *m->Signature() == *p.signature;
            if (!fits)
                throw EPropertyError("The handler does not fit the event " + p.name + " of " + object->ClassName());
        }
        break;
    }
    if (!fits) throw EPropertyError("Invalid value for property " + p.name + " of " + object->ClassName());
    p.set(object, value);
}

int64_t GetOrdProp(const TObject* object, std::string_view name) {
    TPropValue v = GetPropValue(object, name);
    if (auto i = std::get_if<int64_t>(&v)) return *i;
    if (auto b = std::get_if<bool>(&v)) return *b;
    throw EPropertyError("Property " + std::string(name) + " is not ordinal");
}

void SetOrdProp(TObject* object, std::string_view name, int64_t value) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (p.kind == TPropKind::Boolean) SetPropValue(object, p, TPropValue(value != 0));
    else SetPropValue(object, p, TPropValue(value));
}

std::string GetStrProp(const TObject* object, std::string_view name) {
    TPropValue v = GetPropValue(object, name);
    if (auto s = std::get_if<std::string>(&v)) return *s;
    throw EPropertyError("Property " + std::string(name) + " is not a text");
}

void SetStrProp(TObject* object, std::string_view name, const std::string& value) {
    SetPropValue(object, name, TPropValue(value));
}

TObject* GetObjectProp(const TObject* object, std::string_view name) {
    TPropValue v = GetPropValue(object, name);
    if (auto o = std::get_if<TObject*>(&v)) return *o;
    return nullptr;
}

TMethod GetMethodProp(const TObject* object, std::string_view name) {
    TPropValue v = GetPropValue(object, name);
    if (auto m = std::get_if<TMethod>(&v)) return *m;
    throw EPropertyError("Property " + std::string(name) + " is not an event");
}

void SetMethodProp(TObject* object, std::string_view name, const TMethod& method) {
    const TPropInfo& p = GetPropInfo(object, name);
    if (p.kind != TPropKind::Event) throw EPropertyError("Property " + p.name + " is not an event");
    SetPropValue(object, p, TPropValue(method));
}

std::string EnumName(const TPropInfo& prop, int64_t value) {
    if (value >= 0 && static_cast<size_t>(value) < prop.names.size()) return prop.names[static_cast<size_t>(value)];
    return std::to_string(value);
}

int64_t EnumValue(const TPropInfo& prop, std::string_view name) {
    for (size_t i = 0; i < prop.names.size(); ++i)
        if (SameName(prop.names[i], name)) return static_cast<int64_t>(i);
    throw EPropertyError("Invalid value " + std::string(name) + " for property " + prop.name);
}

std::vector<std::string> SetNames(const TPropInfo& prop, int64_t mask) {
    std::vector<std::string> out;
    for (size_t i = 0; i < prop.names.size() && i < 63; ++i)
        if (mask & (int64_t{1} << i)) out.push_back(prop.names[i]);
    return out;
}

int64_t SetMask(const TPropInfo& prop, const std::vector<std::string>& names) {
    int64_t mask = 0;
    for (const std::string& n : names) mask |= int64_t{1} << EnumValue(prop, n);
    return mask;
}

TMethod MethodOf(TObject* instance, std::string_view name) {
    if (!instance) return TMethod();
    const TMethodInfo* m = instance->ClassType()->FindMethod(name);
    return m ? m->bind(instance) : TMethod();
}
