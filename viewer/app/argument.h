// The viewer's one argument as an OS path.  The launcher hands over a path
// in its own form ("Z:\home\...", "..\KISS\SET.LZH", Shift-JIS bytes) or
// already in OS form; both are accepted.
#pragma once

#include <string>

namespace kissviewer {

std::string ArgumentToOsPath(const std::string& argument);

}  // namespace kissviewer
