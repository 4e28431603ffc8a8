// The process's current folder, as a system path text (cp932, "\").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// nullopt when the folder cannot be read or has no cp932 form.
std::optional<std::string> GetCurrentFolder();

// False when the folder cannot be made current (it stays as it was).
bool SetCurrentFolder(std::string_view systemPath);

}  // namespace platform
