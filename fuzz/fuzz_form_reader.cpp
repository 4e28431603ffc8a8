// Reads arbitrary stored-form text into a root with a few registered
// component classes.  Whatever the input, the reader either fills the
// components or stops with a read error; nothing leaks (LeakSanitizer) and
// nothing is touched after it is freed (AddressSanitizer), also when
// references wait for forms that are never read.
#include "framework/collection.h"
#include "framework/filer_errors.h"
#include "framework/form_filer.h"
#include "framework/strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class TFuzzItem : public TCollectionItem {
    TANSU_CLASS(TFuzzItem, TCollectionItem)
public:
    explicit TFuzzItem(TCollection* c) : TCollectionItem(c) {}
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* t) { target_ = t; }
    void Assign(const TPersistent* source) override { TCollectionItem::Assign(source); }

private:
    TComponent* target_ = nullptr;
};

class TFuzzPart : public TComponent {
    TANSU_CLASS(TFuzzPart, TComponent)
public:
    explicit TFuzzPart(TComponent* owner)
        : TComponent(owner), lines_(new TStringList()), items_(new TCollection(TFuzzItem::StaticClass(), this)) {}
    ~TFuzzPart() override {
        delete lines_;
        delete items_;
    }
    int Count() const { return count_; }
    void SetCount(int c) { count_ = c; }
    bool Flag() const { return flag_; }
    void SetFlag(bool f) { flag_ = f; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& c) { caption_ = c; }
    int Mode() const { return mode_; }
    void SetMode(int m) { mode_ = m; }
    uint32_t Options() const { return options_; }
    void SetOptions(uint32_t o) { options_ = o; }
    TComponent* Link() const { return link_; }
    void SetLink(TComponent* l) { link_ = l; }
    TStringList* Lines() const { return lines_; }
    TCollection* Items() const { return items_; }
    TNotifyEvent OnClick;
    TEvent<void(TObject*, char&)> OnKey;

private:
    int count_ = 0;
    bool flag_ = false;
    std::string caption_;
    int mode_ = 0;
    uint32_t options_ = 0;
    TComponent* link_ = nullptr;
    TStringList* lines_;
    TCollection* items_;
};

class TFuzzRoot : public TComponent {
    TANSU_CLASS(TFuzzRoot, TComponent)
public:
    explicit TFuzzRoot(TComponent* owner) : TComponent(owner) {}
    void Clicked(TObject*) {}
};

TANSU_IMPLEMENT_CLASS(TFuzzItem)
void TFuzzItem::DeclarePublished(TClassBuilder<TFuzzItem>& c) { c.Property("Target", &TFuzzItem::Target, &TFuzzItem::SetTarget); }

TANSU_IMPLEMENT_CLASS(TFuzzPart)
void TFuzzPart::DeclarePublished(TClassBuilder<TFuzzPart>& c) {
    c.Property("Count", &TFuzzPart::Count, &TFuzzPart::SetCount);
    c.Property("Flag", &TFuzzPart::Flag, &TFuzzPart::SetFlag);
    c.Property("Caption", &TFuzzPart::Caption, &TFuzzPart::SetCaption);
    c.Enum("Mode", &TFuzzPart::Mode, &TFuzzPart::SetMode, {"mdOne", "mdTwo"});
    c.Set("Options", &TFuzzPart::Options, &TFuzzPart::SetOptions, {"opA", "opB", "opC"});
    c.Property("Link", &TFuzzPart::Link, &TFuzzPart::SetLink);
    c.Property("Lines", &TFuzzPart::Lines);
    c.Property("Items", &TFuzzPart::Items);
    c.Event("OnClick", &TFuzzPart::OnClick);
    c.Event("OnKey", &TFuzzPart::OnKey);
}

TANSU_IMPLEMENT_CLASS(TFuzzRoot)
void TFuzzRoot::DeclarePublished(TClassBuilder<TFuzzRoot>& c) { c.Method("Clicked", &TFuzzRoot::Clicked); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool registered = [] {
        RegisterClass(TFuzzPart::StaticClass());
        RegisterClass(TFuzzRoot::StaticClass());
        return true;
    }();
    (void)registered;
    std::string text(reinterpret_cast<const char*>(data), size);
    TOwned<TFuzzRoot> root(new TFuzzRoot(nullptr));
    try {
        ReadComponentText(root.get(), text);
        // What was read can be written again.
        std::string again = WriteComponentText(root.get());
        (void)again;
    } catch (const EReadError&) {
    } catch (const EWriteError&) {
    }
    root.reset();
    // Pending references of the freed root are gone with it.
    if (PendingReferenceCount() != 0) std::abort();
    return 0;
}
