#include "settings/settings_keys.h"

const char* const SettingsSections[] = {"FilePaths", "FormPosition", "ColWidths", nullptr};

const IniItem SettingsKeys[] = {
    {"DefaultCSV", 1, "Tansu.CSV", 0},
    {"KISSDIR", 1, "", 0},
    {"KISSEXE", 1, "WKISS32.EXE", 0},
    {"TMPDIR", 1, "", 0},
    {"Top", 2, "0", 0},
    {"Left", 2, "0", 0},
    {"Width", 2, "534", 534},
    {"Height", 2, "450", 450},
    {nullptr, 0, nullptr, 0},
};

// Defined after the tables in this file, so it is built after them.
INI Settings;
