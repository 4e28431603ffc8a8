// Speeds up the lookups of a long settings list without changing their
// answers.  The answers are those of a scan from the front of the list:
//   first item of section s: the first item whose section is s or greater,
//     provided it is s;
//   item of name n in section s: the first item named n in the unbroken run
//     of section-s items that begins at the first item of s.
// The index follows items appended at the end of the list; anything else
// that changes the list (reordering, emptying) must Clear it.
#pragma once

#include "settings/ini_item.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

class ItemIndex {
public:
    void Clear();
    // Takes in the items appended since the last call.
    void Update(const IniItem* items, int count);
    // Index of the first item of `section`, or -1.
    int First(int section) const;
    // Index of the item named `name` in the run beginning at `runStart` (a
    // result of First), or -1.
    int Find(int runStart, std::string_view name) const;

private:
    struct RunKey {
        int runStart;
        std::string_view name;
        bool operator==(const RunKey&) const = default;
    };
    struct RunKeyHash {
        size_t operator()(const RunKey& k) const {
            return std::hash<std::string_view>()(k.name) ^ (static_cast<size_t>(k.runStart) * 0x9E3779B97F4A7C15ull);
        }
    };

    int indexed_ = 0;   // items taken in so far
    int tailRun_ = 0;   // start of the run holding the last item taken in
    // Items whose section is greater than that of every item before them;
    // their sections rise strictly.
    std::vector<int> risingIndex_;
    std::vector<int> risingSection_;
    std::unordered_map<RunKey, int, RunKeyHash> byName_;
};
