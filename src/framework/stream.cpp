#include "framework/stream.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "framework/framework_messages.h"
#include "framework/sysutils.h"

int64_t TStream::Size() {
    int64_t position = Position();
    int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

int64_t TStream::Remaining() {
    int64_t position = Position();
    int64_t size = Size();
    return size > position ? size - position : 0;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count <= 0) return;
    int64_t position = Position();
    if (Read(buffer, count) != count) {
        SetPosition(position);
        throw EReadError(std::string(kMsgReadError) + kMsgTruncated);
    }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count <= 0) return;
    if (Write(buffer, count) != count) throw EWriteError(kMsgWriteError);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char chunk[4096];
    int64_t done = 0;
    while (done < count) {
        int64_t n = std::min<int64_t>(count - done, sizeof chunk);
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        done += n;
    }
    return done;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t size = static_cast<int64_t>(data_.size());
    if (count <= 0 || position_ >= size) return 0;
    int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = position_ + count;
    if (end > static_cast<int64_t>(data_.size())) {
        try {
            data_.resize(static_cast<size_t>(end), '\0');
        } catch (const std::exception&) {
            return 0;  // no memory for it: WriteBuffer reports the failed write
        }
    }
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    switch (origin) {
    case TSeekOrigin::soBeginning: base = 0; break;
    case TSeekOrigin::soCurrent: base = position_; break;
    case TSeekOrigin::soEnd: base = static_cast<int64_t>(data_.size()); break;
    }
    // Beyond 2^62 counts as an overflow of the position, refused like a
    // negative one.
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > (INT64_C(1) << 62) - base))
        throw EFilerError(kMsgBadSeek);
    position_ = base + offset;
    return position_;
}

void TMemoryStream::SetSize(int64_t size) {
    if (size < 0) throw EFilerError(kMsgBadSeek);
    data_.resize(static_cast<size_t>(size), '\0');
    if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
    data_.clear();
    position_ = 0;
}

void TMemoryStream::Assign(std::string bytes) {
    data_ = std::move(bytes);
    position_ = 0;
}
