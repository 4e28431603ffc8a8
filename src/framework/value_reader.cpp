#include "framework/value_reader.h"

#include "framework/framework_messages.h"
#include "framework/sysutils.h"
#include "framework/value_writer.h"

namespace {

[[noreturn]] void Malformed(const std::string& detail) {
    throw EReadError(std::string(kMsgReadError) + detail);
}

// A name from the data, fit for a message: printable ASCII kept, other
// bytes shown as "?" (the name is malformed anyway).
std::string Printable(const std::string& name) {
    std::string out;
    for (char c : name.substr(0, 64)) out += (c >= 0x20 && c < 0x7F) ? c : '?';
    return out;
}

}  // namespace

bool IsValueType(uint8_t code) {
    switch (static_cast<TValueType>(code)) {
    case TValueType::vaNull:
    case TValueType::vaList:
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaString:
    case TValueType::vaIdent:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaBinary:
    case TValueType::vaSet:
    case TValueType::vaLString:
    case TValueType::vaNil:
    case TValueType::vaCollection:
    case TValueType::vaInt64:
        return true;
    }
    return false;
}

const char* ValueTypeName(TValueType type) {
    switch (type) {
    case TValueType::vaNull: return "vaNull";
    case TValueType::vaList: return "vaList";
    case TValueType::vaInt8: return "vaInt8";
    case TValueType::vaInt16: return "vaInt16";
    case TValueType::vaInt32: return "vaInt32";
    case TValueType::vaString: return "vaString";
    case TValueType::vaIdent: return "vaIdent";
    case TValueType::vaFalse: return "vaFalse";
    case TValueType::vaTrue: return "vaTrue";
    case TValueType::vaBinary: return "vaBinary";
    case TValueType::vaSet: return "vaSet";
    case TValueType::vaLString: return "vaLString";
    case TValueType::vaNil: return "vaNil";
    case TValueType::vaCollection: return "vaCollection";
    case TValueType::vaInt64: return "vaInt64";
    }
    return "?";
}

uint8_t TReader::ReadByte() {
    uint8_t b = 0;
    if (stream_->Read(&b, 1) != 1) Malformed(kMsgTruncated);
    return b;
}

uint8_t TReader::PeekByte() {
    uint8_t b = ReadByte();
    stream_->Seek(-1, TSeekOrigin::soCurrent);
    return b;
}

void TReader::Read(void* buffer, int64_t count) {
    if (count > 0 && count > stream_->Remaining()) Malformed(kMsgTruncated);
    stream_->ReadBuffer(buffer, count);
}

void TReader::WrongValue(const char* expected, uint8_t found) {
    std::string foundName = IsValueType(found) ? ValueTypeName(static_cast<TValueType>(found))
                                               : Format("%02X", found);
    Malformed(Format(kMsgWrongValue, expected, foundName.c_str()));
}

TValueType TReader::NextValue() {
    uint8_t b = PeekByte();
    if (!IsValueType(b)) Malformed(Format(kMsgUnknownValue, b));
    return static_cast<TValueType>(b);
}

TValueType TReader::ReadValue() {
    uint8_t b = ReadByte();
    if (!IsValueType(b)) Malformed(Format(kMsgUnknownValue, b));
    return static_cast<TValueType>(b);
}

void TReader::CheckValue(TValueType expected) {
    uint8_t b = ReadByte();
    if (b != static_cast<uint8_t>(expected)) WrongValue(ValueTypeName(expected), b);
}

bool TReader::EndOfList() { return PeekByte() == 0; }

void TReader::EnterNesting() {
    if (nesting_ >= kMaxNesting) Malformed(kMsgTooDeep);
    ++nesting_;
}

void TReader::LeaveNesting() {
    if (nesting_ > 0) --nesting_;
}

void TReader::ReadListBegin() {
    CheckValue(TValueType::vaList);
    EnterNesting();
}

void TReader::ReadListEnd() {
    CheckValue(TValueType::vaNull);
    LeaveNesting();
}

int64_t TReader::ReadInt64() {
    uint8_t code = ReadByte();
    int bytes = 0;
    switch (static_cast<TValueType>(code)) {
    case TValueType::vaInt8: bytes = 1; break;
    case TValueType::vaInt16: bytes = 2; break;
    case TValueType::vaInt32: bytes = 4; break;
    case TValueType::vaInt64: bytes = 8; break;
    default: WrongValue("vaInt8/vaInt16/vaInt32/vaInt64", code);
    }
    uint8_t raw[8];
    Read(raw, bytes);
    uint64_t u = 0;
    for (int i = bytes - 1; i >= 0; --i) u = (u << 8) | raw[i];
    // Sign-extend from the stored width.
    const int unused = 64 - 8 * bytes;
    if (unused > 0 && (u >> (8 * bytes - 1)) & 1) u |= ~UINT64_C(0) << (8 * bytes);
    return static_cast<int64_t>(u);
}

int32_t TReader::ReadInteger() {
    int64_t v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) Malformed(Format(kMsgIntegerRange, static_cast<long long>(v)));
    return static_cast<int32_t>(v);
}

uint32_t TReader::ReadLength() {
    uint8_t raw[4];
    Read(raw, 4);
    uint32_t n = uint32_t(raw[0]) | uint32_t(raw[1]) << 8 | uint32_t(raw[2]) << 16 | uint32_t(raw[3]) << 24;
    int64_t left = stream_->Remaining();
    if (n > left)
        Malformed(Format(kMsgLengthPastEnd, static_cast<unsigned long long>(n), static_cast<long long>(left)));
    return n;
}

std::string TReader::ReadStr() {
    uint8_t n = ReadByte();
    std::string s(n, '\0');
    Read(s.data(), n);
    return s;
}

std::string TReader::ReadString() {
    uint8_t code = ReadByte();
    uint32_t n = 0;
    if (code == static_cast<uint8_t>(TValueType::vaString))
        n = ReadByte();
    else if (code == static_cast<uint8_t>(TValueType::vaLString))
        n = ReadLength();
    else
        WrongValue("vaString/vaLString", code);
    std::string s(n, '\0');
    Read(s.data(), n);
    return s;
}

bool TReader::ReadBoolean() {
    uint8_t code = ReadByte();
    if (code == static_cast<uint8_t>(TValueType::vaTrue)) return true;
    if (code != static_cast<uint8_t>(TValueType::vaFalse)) WrongValue("vaFalse/vaTrue", code);
    return false;
}

std::string TReader::ReadIdent() {
    uint8_t code = ReadByte();
    switch (static_cast<TValueType>(code)) {
    case TValueType::vaIdent: {
        std::string name = ReadStr();
        if (!IsDottedIdent(name)) Malformed(Format(kMsgBadName, Printable(name).c_str()));
        return name;
    }
    case TValueType::vaFalse: return "False";
    case TValueType::vaTrue: return "True";
    case TValueType::vaNil: return "nil";
    default: WrongValue("vaIdent", code);
    }
}

std::vector<std::string> TReader::ReadSet() {
    CheckValue(TValueType::vaSet);
    std::vector<std::string> elements;
    for (;;) {
        std::string name = ReadStr();
        if (name.empty()) break;
        if (!IsIdent(name)) Malformed(Format(kMsgBadName, Printable(name).c_str()));
        elements.push_back(std::move(name));
    }
    return elements;
}

std::string TReader::ReadBinary() {
    CheckValue(TValueType::vaBinary);
    uint32_t n = ReadLength();
    std::string bytes(n, '\0');
    Read(bytes.data(), n);
    return bytes;
}

void TReader::ReadNil() { CheckValue(TValueType::vaNil); }

void TReader::ReadCollectionBegin() {
    CheckValue(TValueType::vaCollection);
    EnterNesting();
}

void TReader::ReadItemBegin() {
    CheckValue(TValueType::vaList);
    EnterNesting();
}

void TReader::ReadItemEnd() {
    CheckValue(TValueType::vaNull);
    LeaveNesting();
}

void TReader::ReadCollectionEnd() {
    CheckValue(TValueType::vaNull);
    LeaveNesting();
}

void TReader::SkipValue() { SkipValue(nesting_); }

void TReader::SkipProperty() {
    ReadStr();
    SkipValue();
}

void TReader::SkipValue(int depth) {
    if (depth >= kMaxNesting) Malformed(kMsgTooDeep);
    auto skip = [this](int64_t n) {
        if (n > stream_->Remaining()) Malformed(kMsgTruncated);
        stream_->Seek(n, TSeekOrigin::soCurrent);
    };
    const TValueType type = ReadValue();
    switch (type) {
    case TValueType::vaList:
        while (!EndOfList()) SkipValue(depth + 1);
        ReadByte();
        break;
    case TValueType::vaInt8: skip(1); break;
    case TValueType::vaInt16: skip(2); break;
    case TValueType::vaInt32: skip(4); break;
    case TValueType::vaInt64: skip(8); break;
    case TValueType::vaString:
    case TValueType::vaIdent: skip(ReadByte()); break;
    case TValueType::vaLString:
    case TValueType::vaBinary: skip(ReadLength()); break;
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil: break;
    case TValueType::vaSet:
        while (uint8_t n = ReadByte()) skip(n);
        break;
    case TValueType::vaCollection:
        while (!EndOfList()) {
            CheckValue(TValueType::vaList);
            while (!EndOfList()) {
                skip(ReadByte());
                SkipValue(depth + 2);
            }
            ReadByte();
        }
        ReadByte();
        break;
    case TValueType::vaNull: WrongValue("value", static_cast<uint8_t>(type));
    }
}

void TReader::ReadSignature() {
    char signature[4];
    Read(signature, 4);
    for (int i = 0; i < 4; ++i)
        if (signature[i] != kFormSignature[i]) throw EReadError(kMsgBadSignature);
}

TObjectHeader TReader::ReadObjectHeader() {
    TObjectHeader h;
    uint8_t b = PeekByte();
    if ((b & kFlagsMarker) == kFlagsMarker) {
        ReadByte();
        h.flags = b & 0x0F;
        if ((h.flags & ~(ffInherited | ffChildPos | ffInline)) != 0 ||
            (h.flags & (ffInherited | ffInline)) == (ffInherited | ffInline))
            Malformed(Format(kMsgBadFlags, b));
        if (h.flags & ffChildPos) h.childPos = ReadInteger();
    }
    h.className = ReadStr();
    if (!IsIdent(h.className)) Malformed(Format(kMsgBadName, Printable(h.className).c_str()));
    h.name = ReadStr();
    if (!h.name.empty() && !IsIdent(h.name)) Malformed(Format(kMsgBadName, Printable(h.name).c_str()));
    EnterNesting();
    return h;
}

void TReader::ReadPropertiesEnd() {
    uint8_t b = ReadByte();
    if (b != 0) WrongValue("vaNull", b);
}

void TReader::ReadObjectEnd() {
    ReadPropertiesEnd();
    LeaveNesting();
}
