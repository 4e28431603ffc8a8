// A look through the KiSS folder that keeps the window alive: it runs on a
// worker thread; when it lasts longer than half a second the progress
// window shows, and its Cancel stops the look.
#pragma once

#include "scan/new_sets.h"

#include <optional>
#include <string>

// nullopt when the KiSS folder cannot be listed.  A look the user stopped
// comes back with `cancelled` set.
std::optional<NewSetsFound> FindNewSetsShowingProgress(const std::string& kissFolder, const CatalogNames& listed);

namespace scan_testing {
// For tests: a pause after each folder, so that a look lasts long enough
// to be watched and cancelled.  0 (the default) for none.
void SetPauseAfterFolder(int milliseconds);
}  // namespace scan_testing
