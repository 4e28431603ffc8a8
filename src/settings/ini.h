// The settings store: section names, the list of settings items and the pool
// of their texts, filled from a key table and a settings file and written
// back to it.  Callers read the k-th table key of section s as
// Item(FirstItem(s) + k).
//
// Storage starts at 512 items, 50 section names and a 16,000-byte text pool,
// allocated once at construction; beyond that it grows (items and names by
// doubling, texts in further pool blocks), so a file is never cut short.
// Kept texts stay where they are for the object's whole life.
#pragma once

#include "settings/ini_item.h"
#include "settings/ini_lex.h"
#include "settings/item_index.h"
#include "settings/text_pool.h"

#include <cstdint>
#include <memory>
#include <string>

class INI : public IniLEX {
public:
    static constexpr int32_t kInitialItems = 512;
    static constexpr int32_t kInitialSections = 50;

    INI();
    ~INI();
    INI(const INI&) = delete;
    INI& operator=(const INI&) = delete;

    // Starts from the key table's defaults and lays the file over them.  0
    // when the file was read, 1 when it cannot be opened.  `sections` and
    // `keys` end with a null name.
    int Load(const char* fileName, const char* const* sections, const IniItem* keys);
    // Writes every item, section by section.  0 when the whole file was
    // written, 1 when it cannot be created or not every byte reached it (a
    // file that existed is then left as it was).
    int Save(const char* fileName);
    // The items become the key table's rows (their texts are not copied), the
    // sections those of the list.  Always 0.
    int Reset(const char* const* sections, const IniItem* keys);
    // Reads a file into an empty list without a key table: every header is a
    // new section and every key line a new item.  0, or 1 when the file
    // cannot be opened.
    int LoadPlain(const char* fileName);

    // Orders the items by section number, keeping their order within one.
    void SortItems();

    // Number of the section of exactly that name (from 1), or 0.
    int FindSection(const char* name) const;
    // Number of the section, registering the name when it is new.
    int AddSection(const char* name);

    // Index of the first item of the section, or -1.
    int FirstItem(int section) const;
    // Index of the item of that name among the items of the section that
    // start at FirstItem, or -1.
    int FindItem(int section, const char* name) const;

    // Give the item its text (and number) and return its index; an item that
    // is not there is appended.  Set* copy the texts into the pool, Put*
    // store the pointers as they are (they must outlive the object).
    int SetText(int section, const char* name, const char* newText);
    int SetTextValue(int section, const char* name, const char* newText, int32_t number);
    int PutText(int section, const char* name, const char* newText);
    int PutTextValue(int section, const char* name, const char* newText, int32_t number);

    // A copy of the text in the pool (a null text counts as empty).
    char* KeepText(const char* keep);

    int ItemCount() const { return itemCount_; }
    // The item at `index`; an empty item (empty name and text, section 0,
    // value 0) for an index outside the list.
    const IniItem& Item(int index) const;
    int SectionCount() const { return sectionCount_; }
    // Name of section `number` (from 1), or null.
    const char* SectionName(int number) const;

private:
    int Store(int section, const char* name, bool keepName, const char* newText, const int32_t* number);
    void AppendItem(const IniItem& item);
    void RegisterSection(const char* keptName);
    void ListChanged();
    // Reads the key lines and headers of the open file; `plain` as LoadPlain.
    void ReadFile(bool plain);
    void RenderFile(std::string& out) const;

    TextPool pool_;
    std::unique_ptr<IniItem[]> items_;
    int32_t itemCapacity_ = kInitialItems;
    int32_t itemCount_ = 0;
    std::unique_ptr<const char*[]> sections_;
    int32_t sectionCapacity_ = kInitialSections;
    int32_t sectionCount_ = 0;
    mutable ItemIndex index_;
};
