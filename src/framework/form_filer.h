// Reading and writing whole forms: a root component with the components it
// owns, their published properties, custom stored data, references and
// handlers, in the binary form of form_text.h.
//
// Reading creates each stored component through the class registry, owned
// by the root, named, given its parent, and marked loading.  References to
// components and handler names are kept unresolved while reading; at the
// end they are resolved against the root's components and the root's
// published methods, and Loaded runs for every component read (root first).
// A reference may name a component of another form ("Form1.ComboGrid1"):
// it stays null until a form of that name has been read, and is set then.
#pragma once

#include "framework/component.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <string>
#include <string_view>
#include <vector>

class TCollection;

class TFormWriter : public TWriter, public TFiler {
public:
    explicit TFormWriter(TStream& stream) : TWriter(stream) {}

    // The signature and the root with everything it holds.
    void WriteRootComponent(TComponent* root);

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;

private:
    void WriteComponent(TComponent* component);
    void WriteProperties(TPersistent* instance, const std::string& prefix);
    void WriteProperty(TPersistent* instance, const TPropInfo& prop, const std::string& prefix);
    void WriteCollection(TCollection* collection);
    std::string ReferenceName(TComponent* component) const;

    TComponent* root_ = nullptr;
    std::string prefix_;
};

class TFormReader : public TReader, public TFiler {
public:
    explicit TFormReader(TStream& stream) : TReader(stream) {}
    ~TFormReader();

    // Reads a stored form into an existing root, whose class must be the
    // stored root's class or derive from it.  Malformed data throws
    // EReadError; the components read so far stay owned by the root.
    void ReadRootComponent(TComponent* root);

    void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                        const std::function<void(TWriter&)>& write, bool hasData) override;

private:
    void ReadComponent(TComponent* parent);
    void ReadProperties(TPersistent* instance);
    void ReadProperty(TPersistent* instance, const std::string& name);
    void ReadPublished(TPersistent* instance, const TPropInfo& prop);
    void ReadCollection(TCollection* collection);
    void ResolveFixups();
    [[noreturn]] void PropertyError(const TPersistent* instance, const std::string& name, const std::string& why);

    struct EventFixup {
        TPersistent* instance;
        const TPropInfo* prop;
        std::string method;
    };

    TComponent* root_ = nullptr;
    std::vector<TComponent*> loaded_;
    std::vector<EventFixup> events_;
    std::string pending_;  // the custom property being looked for
    bool handled_ = false;
    bool finished_ = false;
};

// Reads a stored form given in its text form (UTF-8) into `root`.
void ReadComponentText(TComponent* root, std::string_view text);
// The text form of `root` as a form writer stores it.
std::string WriteComponentText(TComponent* root);

// Forms read so far, by name (for references into another form).
TComponent* FindLoadedRoot(std::string_view name);
// References still waiting for a form of that name (for tests).
int PendingReferenceCount();
// Drops what the form registry knows of an object that goes away: the
// references it holds and, for a form, its entry.  Components and
// collection items call it when they are destroyed.
void ForgetFormReferences(const TPersistent* object);
