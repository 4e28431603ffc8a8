// Helpers for the settings tests: a settings text loaded from and saved to
// "Tansu.ini" in the current (temporary) folder, and keys read by place.
#pragma once

#include "settings/settings_keys.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

#include <string>

namespace settings_test {

inline const char kDefaultFile[] =
    "[FilePaths]\r\n"
    "DefaultCSV = Tansu.CSV\r\n"
    "KISSDIR = \r\n"
    "KISSEXE = tansu-kiss\r\n"
    "TMPDIR = \r\n"
    "\r\n"
    "[FormPosition]\r\n"
    "Top = 0\r\n"
    "Left = 0\r\n"
    "Width = 534\r\n"
    "Height = 450\r\n";

// Loads `bytes` with the program's sections and keys; the result of Load.
inline int LoadText(INI& ini, const std::string& bytes) {
    testsupport::WriteBytes("Tansu.ini", bytes);
    testing::internal::CaptureStdout();
    int result = ini.Load("Tansu.ini", SettingsSections, SettingsKeys);
    testing::internal::GetCapturedStdout();
    return result;
}

// What Save writes, or "(not saved)".
inline std::string SavedText(INI& ini) {
    if (ini.Save("Saved.ini") != 0) return "(not saved)";
    return testsupport::ReadBytes("Saved.ini");
}

inline std::string KeyText(const INI& ini, int section, int place) {
    int first = ini.FirstItem(section);
    return first < 0 ? "(no section)" : ini.Item(first + place).text;
}

inline int KeyValue(const INI& ini, int section, int place) {
    int first = ini.FirstItem(section);
    return first < 0 ? -999 : ini.Item(first + place).value;
}

}  // namespace settings_test
