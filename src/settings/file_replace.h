// Writing a file in one piece: the new content goes to a temporary file
// beside it first, and takes the old file's place only once every byte of it
// is on the disk.  A full disk or any other failing write leaves the old
// file as it was.
#pragma once

#include "settings/buffile.h"

#include <string_view>

// Writes `content` through `file` (which ends closed) as the new content of
// `fileName`.  Fails, changing nothing, when the file cannot be created or
// written (no such folder, a read-only file, a file open elsewhere, a full
// disk).  The file keeps its permissions; a new one gets the usual ones.
bool ReplaceFileContent(BUFFILE& file, const char* fileName, std::string_view content);
