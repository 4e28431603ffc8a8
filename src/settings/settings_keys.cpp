#include "settings/settings_keys.h"

#include "platform/folders.h"
#include "platform/os_path.h"
#include "platform/process.h"

#include <list>

const char* const SettingsSections[] = {"FilePaths", "FormPosition", "ColWidths", nullptr};

IniItem SettingsKeys[] = {
    {"DefaultCSV", 1, "Tansu.CSV", 0},
    {"KISSDIR", 1, "", 0},
    {"KISSEXE", 1, "tansu-kiss", 0},
    {"TMPDIR", 1, "", 0},
    {"Top", 2, "0", 0},
    {"Left", 2, "0", 0},
    {"Width", 2, "534", 534},
    {"Height", 2, "450", 450},
    {nullptr, 0, nullptr, 0},
};

// Defined after the tables in this file, so it is built after them.
INI Settings;

namespace {

constexpr int kViewerRow = 2;
constexpr int kWorkFolderRow = 3;

// A text for a row of the table.  Items loaded earlier point to the texts
// of their time, so none is ever freed or moved (a few per start).
const char* KeepDefault(std::string text) {
    static std::list<std::string> texts;
    for (const std::string& t : texts)
        if (t == text) return t.c_str();
    return texts.emplace_back(std::move(text)).c_str();
}

}  // namespace

std::string DefaultWorkFolder() {
    auto cache = platform::CacheFolder();
    return cache ? *cache + "\\tansu" : std::string();
}

void UseThisMachinesDefaults() {
    std::string viewer = "tansu-kiss";
    if (auto here = platform::ProgramFolder()) {
        std::string beside = *here + "\\tansu-kiss";
        auto os = platform::ToOsPath(beside);
        if (os && platform::FindProgram(*os).Started()) viewer = beside;
    }
    SettingsKeys[kViewerRow].text = KeepDefault(viewer);
    SettingsKeys[kWorkFolderRow].text = KeepDefault(DefaultWorkFolder());
}
