// The program's settings: the sections and keys of "Tansu.ini" with their
// defaults, and the one settings object, made before any window exists.
#pragma once

#include "settings/ini.h"

#include <string>

// "FilePaths", "FormPosition", "ColWidths", then null.
extern const char* const SettingsSections[];
// Every key with its section and default, ended by a row with a null name.
extern IniItem SettingsKeys[];

// Puts this machine's defaults into the key table, before the settings file
// is loaded at start: the viewer is "tansu-kiss" (the one installed beside
// this program when there is one, else the name, looked for on PATH) and
// the working folder is "tansu" in the user's cache folder.
void UseThisMachinesDefaults();

// That default working folder (empty when the user has no home folder).
std::string DefaultWorkFolder();

extern INI Settings;

// Section numbers, and each key's place in its section: a key is read as
// Settings.Item(Settings.FirstItem(section) + place).
namespace settings_keys {
constexpr int FilePaths = 1;
constexpr int FormPosition = 2;
constexpr int ColWidths = 3;

constexpr int DefaultCSV = 0;  // in FilePaths
constexpr int KISSDIR = 1;
constexpr int KISSEXE = 2;
constexpr int TMPDIR = 3;

constexpr int Top = 0;  // in FormPosition
constexpr int Left = 1;
constexpr int Width = 2;
constexpr int Height = 3;
}  // namespace settings_keys

inline constexpr const char* kSettingsFileName = "Tansu.ini";
