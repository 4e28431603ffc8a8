// Files as the system uses them: opened for the time of one read or one
// write, never shared.  While a file is open here, a second open of it (by
// this process or by another TANSU) fails; an exclusive advisory lock on the
// open file does this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A plain value like a system handle: copying it does not duplicate the file.
struct FileHandle {
    int fd = -1;
    bool IsOpen() const { return fd >= 0; }
};

// Opens an existing file for reading.  A closed handle when the name has no
// OS form, the file does not exist or cannot be read, or it is open already.
// Never waits: anything but a regular file (a named pipe, a device, a
// folder) is refused as a file that cannot be opened.
FileHandle OpenExistingForRead(std::string_view systemPath);

// Creates the file, or empties an existing one, for writing.  An existing
// file that is open elsewhere, or that is no regular file, is left untouched
// and the open fails at once.
FileHandle CreateForWrite(std::string_view systemPath);

// Creates a new, empty file with a unique name in the folder of
// `besideSystemPath`, for writing; `tempSystemPath` receives its name.
FileHandle CreateTempBeside(std::string_view besideSystemPath, std::string& tempSystemPath);

// Block transfer; the result is the number of bytes moved, or -1 on error.
// A write may move fewer bytes than asked (disk full).
long ReadBlock(FileHandle file, void* buffer, size_t size);
long WriteBlock(FileHandle file, const void* buffer, size_t size);

// Forces written data to the disk.  False on failure.
bool SyncFile(FileHandle file);

// Closes and clears the handle; false when the close reported an error
// (written data may be lost).  Closing a closed handle is a no-op.
bool CloseFile(FileHandle& file);

// Size of an open file in bytes, or -1.
int64_t FileSize(FileHandle file);

// Gives `file` the permission bits of the file `modelSystemPath`, or, when
// that does not exist, those of a newly created file.  True when it worked.
bool CopyPermissions(std::string_view modelSystemPath, FileHandle file);

// Puts `fromSystemPath` in the place of `toSystemPath` in one step.
bool ReplaceFile(std::string_view fromSystemPath, std::string_view toSystemPath);

bool RemoveFile(std::string_view systemPath);

bool FileExists(std::string_view systemPath);

// Whether this process may write the file: true for a file that does not
// exist yet (whether its folder takes it shows when it is created).
bool MayWrite(std::string_view systemPath);

namespace faults {
// Seams that let tests make the file layer fail as a full disk or an
// uncreatable file would.  Not for use by the program.
void FailWritesAfterBytes(long long bytes);  // writes past this total fail
void FailCreates(bool fail);                 // CreateForWrite/CreateTempBeside fail
void FailReplace(bool fail);                 // ReplaceFile fails
void ClearFailures();
}  // namespace faults

}  // namespace platform
