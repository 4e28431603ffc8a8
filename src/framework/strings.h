// A list of texts, each with a 32-bit number beside it (what a cell kind's
// item list or a list box's lines are).  Stored in forms as the custom
// property "Strings", a list of the texts.
#pragma once

#include "framework/persistent.h"

#include <cstdint>
#include <string>
#include <vector>

class TStringList : public TPersistent {
    TANSU_CLASS(TStringList, TPersistent)
public:
    TStringList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    // EInvalidOperation for an index outside 0 .. Count - 1.
    const std::string& Strings(int index) const;
    void SetStrings(int index, const std::string& text);
    int32_t Numbers(int index) const;
    void SetNumber(int index, int32_t number);

    int Add(const std::string& text, int32_t number = 0);
    void Insert(int index, const std::string& text, int32_t number = 0);
    void Delete(int index);
    void Clear();
    // Exact, byte for byte; -1 when absent.
    int IndexOf(const std::string& text) const;

    // All texts, each followed by CR LF; setting splits at LF (a CR before
    // it is dropped).
    std::string Text() const;
    void SetText(const std::string& text);

    // Texts and numbers of another list.
    void Assign(const TPersistent* source) override;
    void DefineProperties(TFiler& filer) override;

    TNotifyEvent OnChange;

    friend bool operator==(const TStringList& a, const TStringList& b) { return a.items_ == b.items_; }

private:
    struct Item {
        std::string text;
        int32_t number = 0;
        friend bool operator==(const Item&, const Item&) = default;
    };
    void CheckIndex(int index) const;
    void Changed();

    std::vector<Item> items_;
};
