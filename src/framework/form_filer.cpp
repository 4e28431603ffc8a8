#include "framework/form_filer.h"

#include "framework/collection.h"
#include "framework/filer_errors.h"
#include "framework/form_text.h"

#include <algorithm>

namespace {

// A reference read from a form that names a component which was not there
// (yet): kept until a form of that name is read, or until the object that
// holds it, or its form, goes away.
struct ReferenceFixup {
    TComponent* holderRoot;  // the form whose component holds the reference
    TPersistent* instance;
    const TPropInfo* prop;
    std::string rootName;  // empty: the holder's own form
    std::string name;
};

struct FormRegistry {
    std::vector<ReferenceFixup> pending;
    std::vector<TComponent*> roots;  // forms read so far
};

FormRegistry& Registry() {
    static FormRegistry registry;
    return registry;
}

TComponent* FindIn(TComponent* root, std::string_view name) {
    if (!root) return nullptr;
    if (SameName(root->Name(), name)) return root;
    return root->FindComponent(name);
}

// Tries the pending references that wait for `root` (or, for those of
// `root` itself, its own components); sets and drops those that resolve.
void ResolvePending(TComponent* root) {
    auto& pending = Registry().pending;
    for (size_t i = 0; i < pending.size();) {
        ReferenceFixup& f = pending[i];
        TComponent* target = nullptr;
        if (f.rootName.empty()) {
            if (f.holderRoot == root) target = FindIn(root, f.name);
        } else if (SameName(f.rootName, root->Name())) {
            target = FindIn(root, f.name);
        }
        if (target && (!f.prop->ObjectClass() || target->InheritsFrom(f.prop->ObjectClass()))) {
            ReferenceFixup done = f;
            pending.erase(pending.begin() + static_cast<long>(i));
            SetPropValue(done.instance, *done.prop, TPropValue(static_cast<TObject*>(target)));
        } else {
            ++i;
        }
    }
}

}  // namespace

void ForgetFormReferences(const TPersistent* object) {
    FormRegistry& r = Registry();
    if (r.pending.empty() && r.roots.empty()) return;
    r.roots.erase(std::remove(r.roots.begin(), r.roots.end(), object), r.roots.end());
    r.pending.erase(std::remove_if(r.pending.begin(), r.pending.end(),
                                   [object](const ReferenceFixup& f) {
                                       return f.instance == object || f.holderRoot == object;
                                   }),
                    r.pending.end());
}

TComponent* FindLoadedRoot(std::string_view name) {
    for (TComponent* r : Registry().roots)
        if (SameName(r->Name(), name)) return r;
    return nullptr;
}

int PendingReferenceCount() { return static_cast<int>(Registry().pending.size()); }

// --- Writing ------------------------------------------------------------------

void TFormWriter::WriteRootComponent(TComponent* root) {
    root_ = root;
    WriteSignature();
    WriteComponent(root);
}

void TFormWriter::WriteComponent(TComponent* component) {
    TObjectHeader header;
    header.className = component->ClassName();
    header.name = component->Name();
    WriteObjectHeader(header);
    WriteProperties(component, "");
    WritePropertiesEnd();
    component->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    WriteObjectEnd();
}

void TFormWriter::WriteProperties(TPersistent* instance, const std::string& prefix) {
    for (const TPropInfo* prop : GetPropList(instance)) WriteProperty(instance, *prop, prefix);
    std::string saved = prefix_;
    prefix_ = prefix;
    instance->DefineProperties(*this);
    prefix_ = saved;
}

void TFormWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop, const std::string& prefix) {
    if (!prop.get || !prop.IsStored(instance)) return;
    TPropValue v = prop.get(instance);
    std::string name = prefix + prop.name;
    switch (prop.kind) {
    case TPropKind::Integer:
        WritePropName(name);
        WriteInteger(std::get<int64_t>(v));
        break;
    case TPropKind::Boolean:
        WritePropName(name);
        WriteBoolean(std::get<bool>(v));
        break;
    case TPropKind::String:
        if (std::get<std::string>(v).empty() && !prop.defaultValue) break;  // an empty text is the default
        WritePropName(name);
        WriteString(std::get<std::string>(v));
        break;
    case TPropKind::Enum:
        WritePropName(name);
        WriteIdent(EnumName(prop, std::get<int64_t>(v)));
        break;
    case TPropKind::Set:
        WritePropName(name);
        WriteSet(SetNames(prop, std::get<int64_t>(v)));
        break;
    case TPropKind::Component: {
        auto* target = static_cast<TComponent*>(std::get<TObject*>(v));
        if (!target) break;
        std::string ref = ReferenceName(target);
        if (ref.empty()) break;
        WritePropName(name);
        WriteIdent(ref);
        break;
    }
    case TPropKind::Object: {
        TObject* object = std::get<TObject*>(v);
        if (auto* collection = ObjectCast<TCollection>(object)) {
            if (collection->Count() == 0) break;  // an empty collection is the default
            WritePropName(name);
            WriteCollection(collection);
        } else if (auto* persistent = ObjectCast<TPersistent>(object)) {
            WriteProperties(persistent, name + ".");
        }
        break;
    }
    case TPropKind::Event: {
        const TMethod& m = std::get<TMethod>(v);
        // Only a published method of the root can be named in a form.
        if (!m.Assigned() || !m.Info() || m.Data() != root_) break;
        WritePropName(name);
        WriteIdent(m.Name());
        break;
    }
    }
}

void TFormWriter::WriteCollection(TCollection* collection) {
    WriteCollectionBegin();
    for (int i = 0; i < collection->Count(); ++i) {
        WriteItemBegin();
        WriteProperties(collection->Items(i), "");
        WriteItemEnd();
    }
    WriteCollectionEnd();
}

std::string TFormWriter::ReferenceName(TComponent* component) const {
    if (component == root_) return component->Name();
    if (component->Owner() == root_) return component->Name();
    if (component->Owner() && !component->Owner()->Name().empty() && !component->Name().empty())
        return component->Owner()->Name() + "." + component->Name();
    return std::string();
}

void TFormWriter::DefineProperty(const std::string& name, const std::function<void(TReader&)>&,
                                 const std::function<void(TWriter&)>& write, bool hasData) {
    if (!hasData || !write) return;
    WritePropName(prefix_ + name);
    write(*this);
}

// --- Reading ------------------------------------------------------------------

TFormReader::~TFormReader() = default;

void TFormReader::ReadRootComponent(TComponent* root) {
    root_ = root;
    ReadSignature();
    TObjectHeader header = ReadObjectHeader();
    TClass stored = FindClass(header.className);
    if (!SameName(root->ClassName(), header.className) && !(stored && root->InheritsFrom(stored)))
        throw EReadError("The form holds a " + header.className + ", not a " + root->ClassName());
    if (!header.name.empty() && header.name != root->Name()) {
        try {
            root->SetName(header.name);
        } catch (const EComponentError& e) {
            throw EReadError(e.Message());
        }
    }
    root->SetLoading();
    loaded_.push_back(root);
    ReadProperties(root);
    ReadPropertiesEnd();
    while (!EndOfList()) ReadComponent(root);
    ReadObjectEnd();

    ResolveFixups();
    for (TComponent* c : loaded_) c->ClearReading();
    // Loaded may destroy components: call it on those still alive.
    std::vector<TComponent*> order = loaded_;
    for (TComponent* c : order) {
        if (c == root || std::find(loaded_.begin(), loaded_.end(), c) != loaded_.end()) c->Loaded();
    }
    finished_ = true;
}

void TFormReader::ReadComponent(TComponent* parent) {
    TObjectHeader header = ReadObjectHeader();
    TComponent* component = root_->FindComponent(header.name);
    if (!component) {
        TClass cls = FindClass(header.className);
        if (!cls) throw EReadError("Class " + header.className + " not found");
        if (!cls->CanCreateComponent()) throw EReadError("Class " + header.className + " cannot be created in a form");
        component = cls->CreateComponent(root_);
        try {
            component->SetName(header.name);
        } catch (const EComponentError& e) {
            component->Free();
            throw EReadError(e.Message());
        }
    }
    component->SetLoading();
    loaded_.push_back(component);
    if (component->HasParent() && parent) component->SetParentComponent(parent);
    ReadProperties(component);
    ReadPropertiesEnd();
    while (!EndOfList()) ReadComponent(component);
    ReadObjectEnd();
}

void TFormReader::ReadProperties(TPersistent* instance) {
    while (!EndOfList()) ReadProperty(instance, ReadStr());
}

void TFormReader::ReadProperty(TPersistent* instance, const std::string& dotted) {
    // Font.Name: walk the owned objects to the last part.
    TPersistent* target = instance;
    std::string name = dotted;
    for (size_t dot; (dot = name.find('.')) != std::string::npos;) {
        std::string part = name.substr(0, dot);
        const TPropInfo* p = FindPropInfo(target, part);
        if (!p || p->kind != TPropKind::Object) PropertyError(target, dotted, "does not exist");
        auto* next = ObjectCast<TPersistent>(p->get ? std::get<TObject*>(p->get(target)) : nullptr);
        if (!next) PropertyError(target, dotted, "has no object");
        target = next;
        name = name.substr(dot + 1);
    }

    // Custom stored data first, then the published property.
    std::string savedPending = pending_;
    bool savedHandled = handled_;
    pending_ = name;
    handled_ = false;
    target->DefineProperties(*this);
    bool handled = handled_;
    pending_ = savedPending;
    handled_ = savedHandled;
    if (handled) return;

    const TPropInfo* prop = FindPropInfo(target, name);
    if (!prop) PropertyError(target, dotted, "does not exist");
    ReadPublished(target, *prop);
}

void TFormReader::ReadPublished(TPersistent* instance, const TPropInfo& prop) {
    try {
        switch (prop.kind) {
        case TPropKind::Integer:
            SetPropValue(instance, prop, TPropValue(ReadInt64()));
            return;
        case TPropKind::Boolean:
            SetPropValue(instance, prop, TPropValue(ReadBoolean()));
            return;
        case TPropKind::String:
            SetPropValue(instance, prop, TPropValue(ReadString()));
            return;
        case TPropKind::Enum:
            SetPropValue(instance, prop, TPropValue(EnumValue(prop, ReadIdent())));
            return;
        case TPropKind::Set:
            SetPropValue(instance, prop, TPropValue(SetMask(prop, ReadSet())));
            return;
        case TPropKind::Component: {
            if (NextValue() == TValueType::vaNil) {
                ReadNil();
                SetPropValue(instance, prop, TPropValue());
                return;
            }
            std::string ref = ReadIdent();
            ReferenceFixup f{root_, instance, &prop, "", ref};
            size_t dot = ref.find('.');
            if (dot != std::string::npos) {
                f.rootName = ref.substr(0, dot);
                f.name = ref.substr(dot + 1);
            }
            Registry().pending.push_back(f);
            return;
        }
        case TPropKind::Object: {
            TObject* object = prop.get ? std::get<TObject*>(prop.get(instance)) : nullptr;
            if (auto* collection = ObjectCast<TCollection>(object)) {
                ReadCollection(collection);
                return;
            }
            PropertyError(instance, prop.name, "cannot be read as a value");
        }
        case TPropKind::Event: {
            if (NextValue() == TValueType::vaNil) {
                ReadNil();
                SetPropValue(instance, prop, TPropValue());
                return;
            }
            events_.push_back({instance, &prop, ReadIdent()});
            return;
        }
        }
    } catch (const EPropertyError& e) {
        PropertyError(instance, prop.name, e.Message());
    } catch (const EParserError&) {
        throw;
    } catch (const EReadError& e) {
        if (e.Message().rfind("Error reading ", 0) == 0) throw;
        PropertyError(instance, prop.name, "has a value of the wrong type (" + e.Message() + ")");
    }
}

void TFormReader::ReadCollection(TCollection* collection) {
    ReadCollectionBegin();
    collection->BeginUpdate();
    collection->Clear();
    try {
        while (!EndOfList()) {
            ReadItemBegin();
            TCollectionItem* item = collection->Add();
            while (!EndOfList()) ReadProperty(item, ReadStr());
            ReadItemEnd();
        }
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
    ReadCollectionEnd();
}

void TFormReader::ResolveFixups() {
    for (const EventFixup& f : events_) {
        TMethod m = MethodOf(root_, f.method);
        if (!m.Assigned()) PropertyError(f.instance, f.prop->name, "names a method " + f.method + " that " + root_->ClassName() + " does not have");
        try {
            SetPropValue(f.instance, *f.prop, TPropValue(m));
        } catch (const EPropertyError&) {
            PropertyError(f.instance, f.prop->name, "cannot take the method " + f.method + " of another type");
        }
    }
    events_.clear();
    auto& roots = Registry().roots;
    if (std::find(roots.begin(), roots.end(), root_) == roots.end()) roots.push_back(root_);
    // This form's own references, then those of earlier forms naming it.
    ResolvePending(root_);
}

void TFormReader::PropertyError(const TPersistent* instance, const std::string& name, const std::string& why) {
    std::string owner = instance->ClassName();
    if (auto* c = ObjectCast<TComponent>(const_cast<TPersistent*>(instance)); c && !c->Name().empty())
        owner = c->Name() + " (" + c->ClassName() + ")";
    throw EReadError("Error reading " + owner + "." + name + ": property " + name + " of class " + instance->ClassName() + " " + why);
}

void TFormReader::DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                                 const std::function<void(TWriter&)>&, bool) {
    if (handled_ || !read || !SameName(name, pending_)) return;
    handled_ = true;
    read(*this);
}

void ReadComponentText(TComponent* root, std::string_view text) {
    TMemoryStream binary;
    ObjectTextToBinary(text, binary);
    binary.SetPosition(0);
    TFormReader reader(binary);
    reader.ReadRootComponent(root);
}

std::string WriteComponentText(TComponent* root) {
    TMemoryStream binary;
    TFormWriter writer(binary);
    writer.WriteRootComponent(root);
    binary.SetPosition(0);
    std::string text;
    ObjectBinaryToText(binary, text);
    return text;
}
