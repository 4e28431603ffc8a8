// Writing a file in one piece: the new content goes to a temporary file
// beside it first, and takes the old file's place only once every byte of it
// is on the disk.  A full disk or any other failing write leaves the old
// file as it was, and no temporary file behind.
#pragma once

#include "files/buffile.h"

#include <functional>

// `write` puts the new content into the temporary file through the buffered
// file it is given, and answers false to give up.  The whole returns false,
// changing nothing, when the file cannot be written (no such folder, a file
// without write permission, a file open elsewhere, a full disk) or `write`
// gave up.  The old file is held open, unshared, until the new one has taken
// its place; the file keeps its permissions, and a new one gets the usual
// ones.  An exception from `write` passes through after the clean-up.
bool WriteFileInOnePiece(const char* fileName, const std::function<bool(BUFFILE&)>& write);
