// Unpacking a set's archive (LZH, ZIP, tar) into a folder, safely.
//
// Every entry is read and checked before anything is written, so a damaged
// archive (cut short, a wrong CRC) writes nothing.  An entry whose name is
// absolute or holds "..", a link, or one that would be written through a
// link inside the folder is refused and left out; the others are written.
// Names in Shift-JIS are converted to UTF-8.  An existing file of the same
// name inside the folder is replaced (the name, never a link's target).
#pragma once

#include <string>
#include <vector>

namespace kissarchive {

struct Refusal {
    std::string name;    // the entry's name as far as it could be read
    std::string reason;
};

struct ExtractResult {
    bool ok = false;                   // false: nothing was written
    std::string error;                 // why, when not ok
    std::vector<std::string> written;  // relative UTF-8 paths, in archive order
    std::vector<Refusal> refused;
};

// Limits that keep a hostile archive from filling the memory or the disk.
constexpr long long kMaxEntryBytes = 64ll << 20;
constexpr long long kMaxTotalBytes = 256ll << 20;
constexpr int kMaxEntries = 100000;

ExtractResult ExtractArchive(const std::string& archivePath, const std::string& folder);

// The entry name as a relative path of plain components ("a/b.cel"), or ""
// with `reason` set when the name may not be written.
std::string SafeRelativePath(const std::string& utf8Name, std::string& reason);

}  // namespace kissarchive
