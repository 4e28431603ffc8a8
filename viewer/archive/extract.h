// Unpacking a set's archive (LZH, ZIP, tar) into a folder, safely.
//
// Every entry is read and checked before anything is written, so a damaged
// archive (cut short, a wrong CRC) writes nothing.  An entry whose name is
// absolute or holds "..", one nested deeper than kMaxNameParts, a link, or
// one that would be written through a link inside the folder is refused and
// left out; the others are written.
// Names in Shift-JIS are converted to UTF-8.  An existing file of the same
// name inside the folder is replaced (the name, never a link's target).
//
// LZH archives (header levels 0 to 3, every attribute value, self-extracting
// ones too) are read with liblhasa, ZIP and tar with libarchive.  Failures
// and refusals carry a kind for the user's message and an English detail.
#pragma once

#include <string>
#include <vector>

namespace kissarchive {

// Why an archive could not be read or written.
enum class Failure {
    None,
    Missing,         // no such file
    CannotOpen,      // there, but cannot be read (permissions, not a file)
    UnknownFormat,   // neither LZH nor ZIP nor tar
    Damaged,         // cut short, a wrong CRC, a broken header
    TooLarge,        // would unpack past the limits below
    TooManyEntries,
    FolderUnusable,  // the folder to unpack into cannot be used
};

// Why one entry was left out.
enum class Why {
    EmptyName,
    AbsoluteName,
    DotDot,
    NulInName,
    TooDeep,        // more than kMaxNameParts parts
    NameNotText,    // neither Shift-JIS nor UTF-8
    Link,
    NotAFile,       // a device, a pipe
    UnknownMethod,  // an LZH compression method liblhasa does not know
    ThroughLink,    // would leave the folder through a link in it
    CannotCreateFolder,
    CannotWrite,
};

struct Refusal {
    std::string name;    // the entry's name as far as it could be read
    std::string reason;  // English detail
    Why why = Why::EmptyName;
};

struct ExtractResult {
    bool ok = false;                   // false: nothing was written
    Failure failure = Failure::None;
    std::string error;                 // English detail, when not ok
    std::vector<std::string> written;  // relative UTF-8 paths, in archive order
    std::vector<Refusal> refused;
};

// One entry read from an archive, with its safe relative path.
struct Entry {
    std::string name;  // as the archive gives it (UTF-8)
    std::string path;  // safe relative path
    bool directory = false;
    std::string data;
};

struct ReadResult {
    bool ok = false;
    Failure failure = Failure::None;
    std::string error;           // English detail, when not ok
    std::vector<Entry> entries;  // in archive order; refused ones left out
    std::vector<Refusal> refused;
};

// The folder entries are written into, opened once: later changes of the
// current folder do not move it.
class Folder {
public:
    explicit Folder(const std::string& path);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    bool ok() const { return fd_ >= 0; }
    const std::string& error() const { return error_; }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
    std::string error_;
};

// Limits that keep a hostile archive from filling the memory or the disk.
constexpr long long kMaxEntryBytes = 64ll << 20;
constexpr long long kMaxTotalBytes = 256ll << 20;
constexpr int kMaxEntries = 100000;
// The most parts a name may have ("A/B.CEL" has two).  Removing a folder
// holds one open descriptor per level: a tree nested past the process's
// limit of open files could not be removed again.
constexpr int kMaxNameParts = 32;

// Reads and checks every entry into memory; nothing is written.
ReadResult ReadArchive(const std::string& archivePath);

// Writes the entries into the folder.  `ok` is the folder's; entries that
// cannot be written are in `refused`.
ExtractResult WriteEntries(const std::vector<Entry>& entries, const Folder& folder);

// Both: reads the whole archive, then writes it.
ExtractResult ExtractArchive(const std::string& archivePath, const std::string& folder);

// The entry name as a relative path of plain components ("a/b.cel"), or ""
// with `refusal`'s why and reason set when the name may not be written.
std::string SafeRelativePath(const std::string& utf8Name, Refusal& refusal);

}  // namespace kissarchive
