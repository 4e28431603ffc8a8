// TWriter: writes tagged values (value_codes.h) to a stream.  Components
// write their custom stored data with it, the form writers the object
// layout.  Integers take the smallest code that holds them; texts longer
// than 255 bytes become vaLString, never truncated.  A value that cannot
// be stored (a name over 255 bytes, an identifier with characters no name
// may hold) throws EWriteError; a stream that takes no more bytes throws
// EWriteError too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/stream.h"
#include "framework/value_codes.h"
#include "framework/value_reader.h"

class TWriter {
public:
    explicit TWriter(TStream& stream) : stream_(&stream) {}
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;
    ~TWriter() = default;

    TStream& Stream() const { return *stream_; }

    void WriteValue(TValueType type);  // a code byte alone
    void WriteListBegin();
    void WriteListEnd();
    void WriteInteger(int64_t value);
    void WriteString(std::string_view text);
    void WriteBoolean(bool value);
    // An identifier: letters, digits and "_", not starting with a digit,
    // parts joined by "."; "True", "False" and "nil" (any case) are written
    // as vaTrue, vaFalse and vaNil.
    void WriteIdent(std::string_view ident);
    void WriteSet(const std::vector<std::string>& elements);
    void WriteBinary(std::string_view bytes);
    void WriteBinary(const void* data, int64_t size);
    void WriteNil();
    void WriteCollectionBegin();
    void WriteItemBegin();
    void WriteItemEnd();
    void WriteCollectionEnd();

    // Raw parts of the object layout.
    void WriteStr(std::string_view name);  // a length byte and the bytes
    // A property name (identifier parts joined by "."), as WriteStr.
    void WritePropName(std::string_view name);
    void WriteSignature();
    void WriteObjectHeader(const TObjectHeader& header);
    void WritePropertiesEnd();
    void WriteObjectEnd();

    void WriteByte(uint8_t byte);
    void Write(const void* data, int64_t count);

protected:
    TStream* stream_;
};

// Name checks shared by the writers, the readers and the text form.
// An identifier: [A-Za-z_][A-Za-z0-9_]*; a dotted name: identifiers joined
// by single dots.
bool IsIdent(std::string_view name);
bool IsDottedIdent(std::string_view name);
