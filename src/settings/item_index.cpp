#include "settings/item_index.h"

#include <algorithm>
#include <cstring>

void ItemIndex::Clear() {
    indexed_ = 0;
    tailRun_ = 0;
    risingIndex_.clear();
    risingSection_.clear();
    byName_.clear();
}

void ItemIndex::Update(const IniItem* items, int count) {
    if (count < indexed_) Clear();  // the list was emptied behind our back
    for (int i = indexed_; i < count; ++i) {
        int section = items[i].section;
        if (risingSection_.empty() || section > risingSection_.back()) {
            risingIndex_.push_back(i);
            risingSection_.push_back(section);
        }
        if (i == 0 || items[i - 1].section != section) tailRun_ = i;
        const char* name = items[i].name ? items[i].name : "";
        byName_.try_emplace(RunKey{tailRun_, std::string_view(name, std::strlen(name))}, i);
    }
    indexed_ = count;
}

int ItemIndex::First(int section) const {
    // The first item with a section of `section` or more is always one of
    // the rising items.
    auto at = std::lower_bound(risingSection_.begin(), risingSection_.end(), section);
    if (at == risingSection_.end() || *at != section) return -1;
    return risingIndex_[static_cast<size_t>(at - risingSection_.begin())];
}

int ItemIndex::Find(int runStart, std::string_view name) const {
    auto it = byName_.find(RunKey{runStart, name});
    return it == byName_.end() ? -1 : it->second;
}
