// Folders of this machine and of this user, and questions about folders, all
// as system path texts (cp932, "\", the OS root on drive Z:).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The user's home folder ($HOME); nullopt when unset, relative or without a
// cp932 form.
std::optional<std::string> HomeFolder();

// The user's cache folder: $XDG_CACHE_HOME when it is an absolute path,
// else the home folder's ".cache".
std::optional<std::string> CacheFolder();

// The folder of this program's own executable file.
std::optional<std::string> ProgramFolder();

// Whether the path names a folder (following links).
bool FolderExists(std::string_view systemPath);

// Whether the path names a regular file (following links).
bool RegularFileExists(std::string_view systemPath);

// Whether both paths name the same existing folder, however each is
// written (relative, through links).
bool SameFolder(std::string_view a, std::string_view b);

// Makes the folder and any missing folders above it; true when it exists
// afterwards.
bool MakeFolders(std::string_view systemPath);

}  // namespace platform
