#include "settings/ini.h"

#include "files/file_replace.h"
#include "settings/ini_value.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

namespace {

// Up to this many items the lookups scan the list; beyond it the index
// answers them (with the same results).
constexpr int kScanLimit = 32;

const IniItem kNoItem = {"", 0, "", 0};

bool SameText(const char* a, const char* b) {
    return std::strcmp(a ? a : "", b ? b : "") == 0;
}

}  // namespace

INI::INI()
    : items_(new IniItem[kInitialItems]()), sections_(new const char*[kInitialSections]()) {}

INI::~INI() = default;

char* INI::KeepText(const char* keep) { return pool_.Keep(keep); }

const IniItem& INI::Item(int index) const {
    if (index < 0 || index >= itemCount_) return kNoItem;
    return items_[index];
}

const char* INI::SectionName(int number) const {
    if (number < 1 || number > sectionCount_) return nullptr;
    return sections_[number - 1];
}

void INI::ListChanged() { index_.Clear(); }

void INI::AppendItem(const IniItem& item) {
    if (itemCount_ == itemCapacity_) {
        if (itemCapacity_ > INT32_MAX / 2) throw std::bad_alloc();
        int32_t bigger = itemCapacity_ * 2;
        std::unique_ptr<IniItem[]> grown(new IniItem[static_cast<size_t>(bigger)]());
        std::copy(items_.get(), items_.get() + itemCount_, grown.get());
        items_ = std::move(grown);
        itemCapacity_ = bigger;
    }
    items_[itemCount_++] = item;
}

void INI::RegisterSection(const char* keptName) {
    if (sectionCount_ == sectionCapacity_) {
        if (sectionCapacity_ > INT32_MAX / 2) throw std::bad_alloc();
        int32_t bigger = sectionCapacity_ * 2;
        std::unique_ptr<const char*[]> grown(new const char*[static_cast<size_t>(bigger)]());
        std::copy(sections_.get(), sections_.get() + sectionCount_, grown.get());
        sections_ = std::move(grown);
        sectionCapacity_ = bigger;
    }
    sections_[sectionCount_++] = keptName;
}

int INI::Reset(const char* const* sections, const IniItem* keys) {
    itemCount_ = 0;
    sectionCount_ = 0;
    ListChanged();
    for (; sections && *sections; ++sections) RegisterSection(KeepText(*sections));
    for (; keys && keys->name; ++keys) {
        IniItem row = *keys;
        if (row.text == nullptr) row.text = "";  // callers read every text
        AppendItem(row);
    }
    SortItems();
    return 0;
}

void INI::SortItems() {
    auto bySection = [](const IniItem& a, const IniItem& b) { return a.section < b.section; };
    IniItem* first = items_.get();
    IniItem* last = first + itemCount_;
    if (std::is_sorted(first, last, bySection)) return;
    std::stable_sort(first, last, bySection);
    ListChanged();
}

int INI::FindSection(const char* name) const {
    for (int32_t i = 0; i < sectionCount_; ++i)
        if (SameText(sections_[i], name)) return i + 1;
    return 0;
}

int INI::AddSection(const char* name) {
    int number = FindSection(name);
    if (number != 0) return number;
    RegisterSection(KeepText(name));
    return sectionCount_;
}

int INI::FirstItem(int section) const {
    if (section <= 0 || section > sectionCount_) return -1;
    if (itemCount_ > kScanLimit) {
        index_.Update(items_.get(), itemCount_);
        return index_.First(section);
    }
    for (int32_t i = 0; i < itemCount_; ++i) {
        if (items_[i].section == section) return i;
        if (items_[i].section > section) return -1;
    }
    return -1;
}

int INI::FindItem(int section, const char* name) const {
    int first = FirstItem(section);
    if (first < 0) return -1;
    if (itemCount_ > kScanLimit) return index_.Find(first, name ? name : "");
    for (int32_t i = first; i < itemCount_ && items_[i].section == section; ++i)
        if (SameText(items_[i].name, name)) return i;
    return -1;
}

// Gives the item its text (and number, when one is given), appending it
// when it is not there.
int INI::Store(int section, const char* name, bool keepName, const char* newText, const int32_t* number) {
    if (newText == nullptr) newText = "";
    int at = FindItem(section, name);
    if (at >= 0) {
        items_[at].text = newText;
        if (number) items_[at].value = *number;
        return at;
    }
    const char* itemName = keepName ? KeepText(name) : (name ? name : "");
    AppendItem(IniItem{itemName, section, newText, number ? *number : 0});
    return itemCount_ - 1;
}

int INI::SetText(int section, const char* name, const char* newText) {
    return Store(section, name, true, KeepText(newText), nullptr);
}

int INI::SetTextValue(int section, const char* name, const char* newText, int32_t number) {
    return Store(section, name, true, KeepText(newText), &number);
}

int INI::PutText(int section, const char* name, const char* newText) {
    return Store(section, name, false, newText, nullptr);
}

int INI::PutTextValue(int section, const char* name, const char* newText, int32_t number) {
    return Store(section, name, false, newText, &number);
}

int INI::Load(const char* fileName, const char* const* sections, const IniItem* keys) {
    Reset(sections, keys);
    if (Open(fileName) != 0) return 1;
    ReadFile(false);
    SortItems();
    file.Close();
    return 0;
}

int INI::LoadPlain(const char* fileName) {
    itemCount_ = 0;
    sectionCount_ = 0;
    ListChanged();
    if (Open(fileName) != 0) return 1;
    ReadFile(true);
    file.Close();
    return 0;
}

void INI::ReadFile(bool plain) {
    int section = 0;
    for (uint16_t token = NextToken(); token != TK_EOF; token = NextToken()) {
        if (token == TK_SECTION) {
            if (plain) {
                RegisterSection(KeepText(text));
                section = sectionCount_;
            } else {
                section = AddSection(text);
            }
            continue;
        }
        if (token != TK_WORD) continue;  // line ends, stray numbers and characters

        // A key line: the key, an optional "=", the value.
        const char* key = KeepText(text);
        token = NextToken();
        if (token == TK_CHAR && length == 1 && text[0] == '=') token = NextToken();
        // A value that would not read back bare is written between quotes.
        if (token == TK_CHAR && length == 1 && text[0] == '"') token = ScanQuotedValue();
        const char* valueText = KeepText(text);
        auto store = [&](const int32_t* number) {
            if (plain)
                AppendItem(IniItem{key, section, valueText, number ? *number : 0});
            else
                Store(section, key, false, valueText, number);
        };
        if (token == TK_EOL) {  // no value: the empty text
            store(nullptr);
            continue;
        }
        if (token == TK_NUM) {
            int32_t number = static_cast<int32_t>(value);
            store(&number);
        } else if (token == TK_WORD) {
            store(nullptr);
        }
        // Anything else (a character, a header, the end) stores nothing.
        if (SkipLine() == TK_EOF) break;
    }
}

void INI::RenderFile(std::string& out) const {
    int previous = 0;
    for (int32_t i = 0; i < itemCount_; ++i) {
        const IniItem& item = items_[i];
        if (item.section != previous && item.section != 0) {
            if (item.section != 1) out += "\r\n";
            out += '[';
            // A number no section has (a caller's mistake) gets an empty name.
            if (const char* name = SectionName(item.section)) out += name;
            out += "]\r\n";
        }
        previous = item.section;
        if (item.name) out += item.name;
        out += " = ";
        if (item.text) AppendValue(out, item.text);
        out += "\r\n";
    }
}

int INI::Save(const char* fileName) {
    std::string content;
    RenderFile(content);
    bool written = WriteFileInOnePiece(fileName, [&content](BUFFILE& out) {
        out.WriteBytes(content.data(), content.size());
        return !out.WriteFailed();
    });
    return written ? 0 : 1;
}
