// Files as the system uses them: opened for the time of one read or one
// write, never shared.  While a file is open here, a second open of it (by
// this process or by another TANSU) fails; an exclusive advisory lock on the
// open file does this.  Files are named by their OS path: the caller
// converts a system path once (OsPath::FromSystem) and passes that on.
#pragma once

#include "platform/os_path.h"

#include <cstddef>
#include <cstdint>

namespace platform {

// A plain value like a system handle: copying it does not duplicate the file.
struct FileHandle {
    int fd = -1;
    bool IsOpen() const { return fd >= 0; }
};

// Opens an existing file for reading.  A closed handle when the name is
// empty, the file does not exist or cannot be read, or it is open already.
// Never waits: anything but a regular file (a named pipe, a device, a
// folder) is refused as a file that cannot be opened.
FileHandle OpenExistingForRead(const OsPath& path);

// Creates the file, or empties an existing one, for writing.  An existing
// file that is open elsewhere, or that is no regular file, is left untouched
// and the open fails at once.
FileHandle CreateForWrite(const OsPath& path);

// Creates a new, empty file with a unique name in the folder of `beside`,
// for writing; `temp` receives its name.
FileHandle CreateTempBeside(const OsPath& beside, OsPath& temp);

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

// Gives `file` the permission bits of the file `model`, or, when that does
// not exist, those of a newly created file.  True when it worked.
bool CopyPermissions(const OsPath& model, FileHandle file);

// Puts `from` in the place of `to` in one step.
bool ReplaceFile(const OsPath& from, const OsPath& to);

bool RemoveFile(const OsPath& path);

bool FileExists(const OsPath& path);

// Whether this process may write the file: true for a file that does not
// exist yet (whether its folder takes it shows when it is created).
bool MayWrite(const OsPath& path);

namespace faults {
// Seams that let tests make the file layer fail as a full disk or an
// uncreatable file would.  Not for use by the program.
void FailWritesAfterBytes(long long bytes);  // writes past this total fail
void FailCreates(bool fail);                 // CreateForWrite/CreateTempBeside fail
void FailReplace(bool fail);                 // ReplaceFile fails
void ClearFailures();
}  // namespace faults

}  // namespace platform
