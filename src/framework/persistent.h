// Objects that can be assigned from one another and stored in forms.
#pragma once

#include "framework/published.h"

#include <functional>
#include <string>

class TReader;
class TWriter;

// What a persistent object sees of a form reader or writer when it declares
// custom stored data: a named property with a read and a write procedure.
// While writing, `write` runs when `hasData` holds; while reading, `read`
// runs when the stream's property of that name is met.
class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineProperty(const std::string& name, const std::function<void(TReader&)>& read,
                                const std::function<void(TWriter&)>& write, bool hasData) = 0;
};

class TPersistent : public TObject {
    TANSU_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;

    // Copies the source's content; a source this class cannot take raises
    // EConvertError ("Cannot assign a X to a Y").  A null source is the
    // same error.
    virtual void Assign(const TPersistent* source);

    // Declares custom stored data (see TFiler).
    virtual void DefineProperties(TFiler& filer);

    // The object that owns this one in a form (for names in messages).
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // The other half of Assign: the source tries to copy itself into dest.
    virtual void AssignTo(TPersistent* dest) const;
};
