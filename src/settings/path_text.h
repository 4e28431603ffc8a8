// The parts of a path text (cp932, "\" between folders, maybe a drive).
// Only a single-byte "\" separates: the second byte of a double-byte
// character such as the katakana so (0x83 0x5C) is part of its name.
#pragma once

#include <string>
#include <string_view>

// The folder of a file's path: the bytes before its last "\" or ":", without
// that "\" unless a ":" or another "\" stands right before it, so a drive's
// root keeps it ("Z:\A.LZH" gives "Z:\", "Z:\KISS\A.LZH" gives "Z:\KISS",
// "\A.LZH" gives "\").
// A name right after a drive ("Z:A.LZH") gives the drive "Z:"; a bare name
// gives nothing.
std::string FolderOfPath(std::string_view path);

// The name after the folder: the bytes after the last "\" or ":".
std::string NameOfPath(std::string_view path);
