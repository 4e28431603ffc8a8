// Shared by the archive tests: a private folder and whole-file helpers.
#pragma once

#include "support/test_files.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kisstest {

// Names of every file and folder below `folder`, relative, sorted.
inline std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        names.push_back(std::filesystem::relative(e.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kisstest
