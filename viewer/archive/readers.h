// The two archive readers behind ReadArchive: liblhasa for LZH, libarchive
// for ZIP and tar.
#pragma once

#include "archive/extract.h"

#include <string>
#include <string_view>

namespace kissarchive {

// The first bytes of a file name an LZH archive: a compression method
// ("-lh5-", "-lzs-", "-pm2-") at offset 2, or an MS-DOS program header
// (a self-extracting archive, which may as well be a ZIP).
bool LooksLikeLzh(std::string_view head);

// Reads the whole LZH archive held in `bytes`.  `found` tells whether any
// LZH header was found at all (a self-extracting ZIP has none).
ReadResult ReadLzh(const std::string& bytes, bool& found);

// Reads the whole ZIP or tar archive held in `bytes`.
ReadResult ReadWithLibarchive(const std::string& bytes);

}  // namespace kissarchive
