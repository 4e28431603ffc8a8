// The sets a catalog already lists, by folder and archive name, compared as
// the catalog compares names (letter case does not count).
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

class CatalogNames {
public:
    void Add(std::string_view folder, std::string_view archive) { keys_.insert(Key(folder, archive)); }
    bool Contains(std::string_view folder, std::string_view archive) const {
        return keys_.count(Key(folder, archive)) != 0;
    }
    size_t Size() const { return keys_.size(); }

private:
    static std::string Key(std::string_view folder, std::string_view archive);

    std::unordered_set<std::string> keys_;
};
