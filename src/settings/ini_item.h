// One setting: a row of a key table, and an item of the settings list.
#pragma once

#include <cstdint>

struct IniItem {
    const char* name;  // zero-ended key name; null ends a key table
    int32_t section;   // number of the section, from 1; 0 before any header
    const char* text;  // zero-ended value text
    int32_t value;     // the value as a number
};
