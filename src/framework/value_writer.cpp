#include "framework/value_writer.h"

#include "framework/object.h"

#include "framework/framework_messages.h"
#include "framework/sysutils.h"

namespace {

[[noreturn]] void Refused(const std::string& detail) {
    throw EWriteError(std::string(kMsgWriteError) + ": " + detail);
}

std::string Printable(std::string_view name) {
    std::string out;
    for (char c : name.substr(0, 64)) out += (c >= 0x20 && c < 0x7F) ? c : '?';
    return out;
}

}  // namespace

bool IsIdent(std::string_view name) { return IsValidIdent(name); }

bool IsDottedIdent(std::string_view name) {
    size_t start = 0;
    for (;;) {
        size_t dot = name.find('.', start);
        if (!IsIdent(name.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start)))
            return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

void TWriter::Write(const void* data, int64_t count) { stream_->WriteBuffer(data, count); }

void TWriter::WriteByte(uint8_t byte) { Write(&byte, 1); }

void TWriter::WriteValue(TValueType type) { WriteByte(static_cast<uint8_t>(type)); }

void TWriter::WriteListBegin() { WriteValue(TValueType::vaList); }
void TWriter::WriteListEnd() { WriteValue(TValueType::vaNull); }

void TWriter::WriteInteger(int64_t value) {
    uint8_t raw[9];
    int bytes;
    if (value >= INT8_MIN && value <= INT8_MAX) {
        raw[0] = static_cast<uint8_t>(TValueType::vaInt8);
        bytes = 1;
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        raw[0] = static_cast<uint8_t>(TValueType::vaInt16);
        bytes = 2;
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        raw[0] = static_cast<uint8_t>(TValueType::vaInt32);
        bytes = 4;
    } else {
        raw[0] = static_cast<uint8_t>(TValueType::vaInt64);
        bytes = 8;
    }
    uint64_t u = static_cast<uint64_t>(value);
    for (int i = 0; i < bytes; ++i) raw[1 + i] = static_cast<uint8_t>(u >> (8 * i));
    Write(raw, 1 + bytes);
}

namespace {
void PutLength(uint8_t* out, uint32_t n) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(n >> (8 * i));
}
}  // namespace

void TWriter::WriteString(std::string_view text) {
    if (text.size() <= 255) {
        uint8_t head[2] = {static_cast<uint8_t>(TValueType::vaString), static_cast<uint8_t>(text.size())};
        Write(head, 2);
    } else {
        if (text.size() > UINT32_MAX) Refused(kMsgNameTooLong);
        uint8_t head[5] = {static_cast<uint8_t>(TValueType::vaLString)};
        PutLength(head + 1, static_cast<uint32_t>(text.size()));
        Write(head, 5);
    }
    Write(text.data(), static_cast<int64_t>(text.size()));
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse); }

void TWriter::WriteIdent(std::string_view ident) {
    if (SameName(ident, "True")) return WriteValue(TValueType::vaTrue);
    if (SameName(ident, "False")) return WriteValue(TValueType::vaFalse);
    if (SameName(ident, "nil")) return WriteValue(TValueType::vaNil);
    if (!IsDottedIdent(ident)) Refused(Format(kMsgBadName, Printable(ident).c_str()));
    WriteValue(TValueType::vaIdent);
    WriteStr(ident);
}

void TWriter::WriteSet(const std::vector<std::string>& elements) {
    for (const std::string& e : elements)
        if (!IsIdent(e)) Refused(Format(kMsgBadName, Printable(e).c_str()));
    WriteValue(TValueType::vaSet);
    for (const std::string& e : elements) WriteStr(e);
    WriteByte(0);
}

void TWriter::WriteBinary(const void* data, int64_t size) {
    if (size < 0 || static_cast<uint64_t>(size) > UINT32_MAX) Refused(kMsgNameTooLong);
    uint8_t head[5] = {static_cast<uint8_t>(TValueType::vaBinary)};
    PutLength(head + 1, static_cast<uint32_t>(size));
    Write(head, 5);
    Write(data, size);
}

void TWriter::WriteBinary(std::string_view bytes) {
    WriteBinary(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TWriter::WriteNil() { WriteValue(TValueType::vaNil); }

void TWriter::WriteCollectionBegin() { WriteValue(TValueType::vaCollection); }
void TWriter::WriteItemBegin() { WriteValue(TValueType::vaList); }
void TWriter::WriteItemEnd() { WriteValue(TValueType::vaNull); }
void TWriter::WriteCollectionEnd() { WriteValue(TValueType::vaNull); }

void TWriter::WriteStr(std::string_view name) {
    if (name.size() > 255) Refused(kMsgNameTooLong);
    WriteByte(static_cast<uint8_t>(name.size()));
    Write(name.data(), static_cast<int64_t>(name.size()));
}

void TWriter::WritePropName(std::string_view name) {
    if (!IsDottedIdent(name)) Refused(Format(kMsgBadName, Printable(name).c_str()));
    WriteStr(name);
}

void TWriter::WriteSignature() { Write(kFormSignature, 4); }

void TWriter::WriteObjectHeader(const TObjectHeader& h) {
    if (!IsIdent(h.className)) Refused(Format(kMsgBadName, Printable(h.className).c_str()));
    if (!h.name.empty() && !IsIdent(h.name)) Refused(Format(kMsgBadName, Printable(h.name).c_str()));
    const uint8_t known = ffInherited | ffChildPos | ffInline;
    if ((h.flags & ~known) != 0 || (h.flags & (ffInherited | ffInline)) == (ffInherited | ffInline))
        Refused(Format(kMsgBadFlags, h.flags));
    // A class name of 240 bytes or more would look like a flags byte.
    if (h.flags != 0 || h.className.size() >= kFlagsMarker) {
        WriteByte(kFlagsMarker | h.flags);
        if (h.flags & ffChildPos) WriteInteger(h.childPos);
    }
    WriteStr(h.className);
    WriteStr(h.name);
}

void TWriter::WritePropertiesEnd() { WriteByte(0); }
void TWriter::WriteObjectEnd() { WriteByte(0); }
