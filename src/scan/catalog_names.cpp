#include "scan/catalog_names.h"

#include "framework/cp932_chars.h"

std::string CatalogNames::Key(std::string_view folder, std::string_view archive) {
    // A zero byte stands in no name, so no two pairs share a key.
    std::string key = ui::FoldCaseCp932(folder);
    key += '\0';
    key += ui::FoldCaseCp932(archive);
    return key;
}
