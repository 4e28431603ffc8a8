#include "framework/strings.h"

#include "framework/value_reader.h"
#include "framework/value_writer.h"

TANSU_IMPLEMENT_CLASS(TStringList)
void TStringList::DeclarePublished(TClassBuilder<TStringList>&) {}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EInvalidOperation("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::Changed() { OnChange(this); }

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::SetStrings(int index, const std::string& text) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)].text = text;
    Changed();
}

int32_t TStringList::Numbers(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].number;
}

void TStringList::SetNumber(int index, int32_t number) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)].number = number;
    Changed();
}

int TStringList::Add(const std::string& text, int32_t number) {
    items_.push_back({text, number});
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text, int32_t number) {
    if (index < 0 || index > Count()) throw EInvalidOperation("List index out of bounds (" + std::to_string(index) + ")");
    items_.insert(items_.begin() + index, Item{text, number});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TStringList::IndexOf(const std::string& text) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].text == text) return static_cast<int>(i);
    return -1;
}

std::string TStringList::Text() const {
    std::string all;
    for (const Item& item : items_) {
        all += item.text;
        all += "\r\n";
    }
    return all;
}

void TStringList::SetText(const std::string& text) {
    items_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        items_.push_back({line, 0});
        start = end + 1;
    }
    Changed();
}

void TStringList::Assign(const TPersistent* source) {
    auto* other = ObjectCast<TStringList>(const_cast<TPersistent*>(source));
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    items_ = other->items_;
    Changed();
}

void TStringList::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings",
        [this](TReader& r) {
            items_.clear();
            r.ReadListBegin();
            while (!r.EndOfList()) items_.push_back({r.ReadString(), 0});
            r.ReadListEnd();
            Changed();
        },
        [this](TWriter& w) {
            w.WriteListBegin();
            for (const Item& item : items_) w.WriteString(item.text);
            w.WriteListEnd();
        },
        !items_.empty());
}
