// Byte streams: the abstract TStream and the growable in-memory
// TMemoryStream.  Stored forms and custom stored data are read and written
// through them (see value_reader.h, value_writer.h, form_text.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/filer_errors.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to `count` bytes; returns how many were read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes up to `count` bytes; returns how many were written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position; returns the new position.  A position before the
    // start is refused with EFilerError; one past the end is allowed (a
    // later write fills the gap with zero bytes).
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    int64_t Size();
    // Bytes between the position and the end (0 when past the end).
    int64_t Remaining();

    // Exactly `count` bytes or EReadError / EWriteError; a failed read
    // leaves the position where it was.
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies `count` bytes from the source's position (all of the source,
    // from its start, when count is 0); returns the number copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream over a byte buffer in memory that grows as it is written.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

    void Clear();
    // The whole content, independent of the position.
    const std::string& Bytes() const { return data_; }
    const char* Memory() const { return data_.data(); }
    // Replaces the content and moves the position to the start.
    void Assign(std::string bytes);

protected:
    std::string data_;
    int64_t position_ = 0;
};
