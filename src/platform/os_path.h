// System path texts (cp932, "\" as folder separator, absolute paths on a
// drive) and OS paths (UTF-8, "/").
//
// The OS has one tree under "/", which the system's texts see as the drive
// "Z:": the OS path /home/u/kiss/a.LZH is the system text Z:\home\u\kiss\a.LZH.
// Relative paths stay relative.  Every path taken from the OS reaches the
// system in this form, so it keeps the shape the system's rules expect
// (a drive, a colon, "\" separators) and survives the settings file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// cp932 path -> OS path.  Only a single-byte "\" is a separator: the second
// byte of a double-byte character (as in "ソ", 0x83 0x5C) is left alone.
//   Z:\a\b -> /a/b      Z:\ -> /      Z:a -> a (the drive's current folder
//   is the process's)   \a -> /a (the root of the current drive, Z:)
//   /a/b -> /a/b (an OS path typed as it is)   a\b -> a/b
// nullopt when the text has no OS form: another drive letter, a network
// name (\\server\share), or a character without a UTF-8 form.
std::optional<std::string> ToOsPath(std::string_view systemPath);

// OS path -> cp932 path with "\" separators; an absolute path gets the drive
// "Z:" (/ -> Z:\).  nullopt when the name has no faithful cp932 form: a
// character cp932 lacks, one it would turn into another (the yen sign would
// become "\"), or a "\" inside a name, which the system would read as a
// separator.
std::optional<std::string> FromOsPath(std::string_view osPath);

// The drive letter that stands for the OS root.
inline constexpr char kRootDrive = 'Z';

// A path in OS form.  Every function of this layer that acts on a file or
// folder takes one, so a system path is converted once, where an operation
// begins, and the OS form is passed on from there; nothing below converts
// it again.
class OsPath {
public:
    // The OS form of a system path text; nullopt when it has none (see
    // ToOsPath).
    static std::optional<OsPath> FromSystem(std::string_view systemPath);
    // A path the OS gave, or made from one: it is in OS form already.
    static OsPath FromOs(std::string osPath) { return OsPath(std::move(osPath)); }
    // The empty path, which names nothing.
    OsPath() = default;

    const std::string& Text() const { return os_; }
    const char* CStr() const { return os_.c_str(); }
    bool Empty() const { return os_.empty(); }
    bool operator==(const OsPath&) const = default;

private:
    explicit OsPath(std::string os) : os_(std::move(os)) {}
    std::string os_;
};

// How many paths ToOsPath and FromOsPath have converted in this process
// (from any thread): lets a test see that an operation converts once.
uint64_t PathConversionCount();

}  // namespace platform
