// Folders of this machine and of this user, as system path texts (cp932,
// "\", the OS root on drive Z:), and questions about folders, asked of
// their OS paths.
#pragma once

#include "platform/os_path.h"

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
bool FolderExists(const OsPath& path);

// Whether the path names a regular file (following links).
bool RegularFileExists(const OsPath& path);

// Whether both paths name the same existing folder, however each is
// written (relative, through links).
bool SameFolder(const OsPath& a, const OsPath& b);

// Whether both paths name the same existing regular file, however each is
// written.
bool SameFile(const OsPath& a, const OsPath& b);

// Makes the folder and any missing folders above it; true when it exists
// afterwards.
bool MakeFolders(const OsPath& path);

}  // namespace platform
