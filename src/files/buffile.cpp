#include "files/buffile.h"

#include <cstring>

BUFFILE::BUFFILE() : buffer(new unsigned char[kBufferSize]) {}

BUFFILE::~BUFFILE() {
    Close();
    delete[] buffer;
}

bool BUFFILE::OpenRead(const char* fileName) {
    Close();
    auto path = platform::OsPath::FromSystem(fileName ? fileName : "");
    return path && OpenRead(*path);
}

bool BUFFILE::OpenRead(const platform::OsPath& path) {
    Close();
    handle = platform::OpenExistingForRead(path);
    if (!handle.IsOpen()) return false;
    writeFlag = 0;
    writeFailed = false;
    endFlag = 0;
    long got = platform::ReadBlock(handle, buffer, static_cast<size_t>(size));
    count = got > 0 ? static_cast<int32_t>(got) : 0;
    if (count == 0) endFlag = 1;
    position = 0;
    return true;
}

int BUFFILE::Refill() {
    if (endFlag || writeFlag || !handle.IsOpen()) {
        endFlag = 1;
        return EndOfInput;
    }
    long got = platform::ReadBlock(handle, buffer, static_cast<size_t>(size));
    position = 0;
    count = got > 0 ? static_cast<int32_t>(got) : 0;
    if (count == 0) {
        endFlag = 1;
        return EndOfInput;
    }
    --count;
    return buffer[position++];
}

std::span<const unsigned char> BUFFILE::Buffered() {
    if (writeFlag) return {};
    if (count == 0) {
        if (Refill() == EndOfInput) return {};
        --position;  // Refill took the first byte; give it back
        ++count;
    }
    return {buffer + position, static_cast<size_t>(count)};
}

void BUFFILE::TakeBuffered(size_t n) {
    if (writeFlag) return;
    int32_t taken = n < static_cast<size_t>(count) ? static_cast<int32_t>(n) : count;
    position += taken;
    count -= taken;
}

bool BUFFILE::OpenWrite(const char* fileName) {
    Close();
    auto path = platform::OsPath::FromSystem(fileName ? fileName : "");
    return path && OpenWrite(*path);
}

bool BUFFILE::OpenWrite(const platform::OsPath& path) {
    Close();
    return StartWriting(platform::CreateForWrite(path));
}

bool BUFFILE::OpenWriteTemp(const platform::OsPath& beside, platform::OsPath& temp) {
    Close();
    return StartWriting(platform::CreateTempBeside(beside, temp));
}

bool BUFFILE::StartWriting(platform::FileHandle opened) {
    handle = opened;
    if (!handle.IsOpen()) return false;
    position = 0;
    count = size;
    writeFlag = 1;
    writeFailed = false;
    endFlag = 1;
    return true;
}

void BUFFILE::WriteText(const char* text) {
    if (!text) return;
    WriteBytes(text, std::strlen(text));
}

void BUFFILE::WriteBytes(const char* bytes, size_t length) {
    if (!writeFlag) return;
    while (length > 0) {
        size_t room = static_cast<size_t>(count);
        size_t n = length < room ? length : room;
        std::memcpy(buffer + position, bytes, n);
        position += static_cast<int32_t>(n);
        count -= static_cast<int32_t>(n);
        bytes += n;
        length -= n;
        if (count == 0) FlushBuffer();
    }
}

void BUFFILE::WritePending() {
    if (!writeFlag || position == 0) return;
    long put = handle.IsOpen() ? platform::WriteBlock(handle, buffer, static_cast<size_t>(position)) : -1;
    if (put != position) writeFailed = true;
    position = 0;
    count = size;
}

void BUFFILE::FlushBuffer() { WritePending(); }

bool BUFFILE::FlushToDisk() {
    if (!writeFlag) return !writeFailed;
    WritePending();
    if (!platform::SyncFile(handle)) writeFailed = true;
    return !writeFailed;
}

bool BUFFILE::Close() {
    if (!handle.IsOpen()) {
        writeFlag = 0;
        return true;
    }
    bool wasWriting = writeFlag != 0;
    if (wasWriting) WritePending();
    bool closed = platform::CloseFile(handle);
    if (wasWriting && !closed) writeFailed = true;
    writeFlag = 0;
    endFlag = 1;
    count = 0;
    position = 0;
    return closed && !(wasWriting && writeFailed);
}
