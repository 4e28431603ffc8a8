// Buffered file over a system file handle: one 1024-byte buffer, a file open
// either for reading or for writing, for the time of one read or one write.
// The settings engine, the catalog reader and writer and the description
// reader all move their bytes through it.
#pragma once

#include "platform/os_file.h"

#include <cstdint>
#include <span>
#include <string>

class BINFILE {
public:
    platform::FileHandle handle;  // not open: no file
};

class BUFFILE : public BINFILE {
public:
    static constexpr int32_t kBufferSize = 1024;
    static constexpr int EndOfInput = -1;

    BUFFILE();
    ~BUFFILE();
    BUFFILE(const BUFFILE&) = delete;
    BUFFILE& operator=(const BUFFILE&) = delete;

    // Opens an existing file for reading and fills the buffer.  Any file
    // still open in this object is closed first.  A system path is
    // converted to its OS form here; a caller that holds the OS form
    // passes that.
    bool OpenRead(const char* fileName);
    bool OpenRead(const platform::OsPath& path);

    // The next byte (0..255), or EndOfInput once the file is used up.  A
    // failing block read counts as the end of the file.
    int ReadByte() {
        if (count > 0 && !writeFlag) {
            --count;
            return buffer[position++];
        }
        return Refill();
    }

    // Reading a run of bytes at a time, for readers whose every byte counts:
    // the bytes of the buffer not yet taken, after a refill when it is used
    // up; empty at the end of the file.  TakeBuffered(n) takes the first n of
    // them, as n calls of ReadByte would.
    std::span<const unsigned char> Buffered();
    void TakeBuffered(size_t n);

    // Creates the file, or empties an existing one, for writing.
    bool OpenWrite(const char* fileName);
    bool OpenWrite(const platform::OsPath& path);

    // Creates a new file with a unique name beside `beside` for writing;
    // its name goes to `temp`.  Used to replace a file only once all of the
    // new content is safely written.
    bool OpenWriteTemp(const platform::OsPath& beside, platform::OsPath& temp);

    void WriteByte(unsigned char byte) {
        if (!writeFlag) return;
        buffer[position++] = byte;
        if (--count == 0) FlushBuffer();
    }
    // A null text writes nothing.
    void WriteText(const char* text);
    void WriteBytes(const char* bytes, size_t length);

    // Writes out what is pending and forces it to the disk; false when any
    // write of this file has failed so far.
    bool FlushToDisk();

    // Writes out what is pending (file open for writing) and closes the
    // handle.  True when the file is closed and, for a written file, every
    // byte reached it.
    bool Close();

    bool IsOpen() const { return handle.IsOpen(); }
    bool AtEnd() const { return endFlag != 0; }
    bool WriteFailed() const { return writeFailed; }
    // Size of the open file, or -1.
    int64_t FileSize() const { return platform::FileSize(handle); }

protected:
    int32_t size = kBufferSize;
    int32_t position = 0;
    int32_t count = 0;  // reading: bytes not yet taken; writing: free bytes
    unsigned char* buffer;
    int32_t endFlag = 1;
    int32_t writeFlag = 0;
    bool writeFailed = false;

private:
    bool StartWriting(platform::FileHandle opened);
    int Refill();
    void FlushBuffer();
    void WritePending();
};
