// The process's current folder, as a system path text (cp932, "\").
#pragma once

#include "platform/os_path.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// nullopt when the folder cannot be read or has no cp932 form.
std::optional<std::string> GetCurrentFolder();

// The same in OS form: no conversion, so any folder has it.
std::optional<OsPath> GetCurrentOsFolder();

// False when the folder cannot be made current (it stays as it was).
bool SetCurrentFolder(const OsPath& path);

}  // namespace platform
