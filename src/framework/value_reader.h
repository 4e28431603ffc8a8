// TReader: reads tagged values (value_codes.h) from a stream.  Components
// read their custom stored data with it (ReadListBegin, ReadInteger, ...,
// ReadListEnd), and the form readers read the object layout with the name
// and header operations below.
//
// Every malformed input - data that ends early, a code byte that is not the
// one asked for, a length that runs past the end of the stream, lists or
// objects nested deeper than kMaxNesting - throws EReadError.  The reader
// never reads past the end of the stream and never allocates more than the
// stream still holds.
//
// The reader holds no buffer of its own: the stream's position is always
// just after the last byte read, so a caller may mix reads through the
// reader with reads of its own.  Component-level readers derive from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/stream.h"
#include "framework/value_codes.h"

// The start of one object in binary form: flags, class and object name.
struct TObjectHeader {
    uint8_t flags = 0;       // TFilerFlag bits
    int32_t childPos = 0;    // meaningful with ffChildPos
    std::string className;
    std::string name;        // may be empty
};

class TReader {
public:
    explicit TReader(TStream& stream) : stream_(&stream) {}
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;
    ~TReader() = default;

    TStream& Stream() const { return *stream_; }

    // Code bytes.  NextValue looks at the next code without taking it.
    TValueType NextValue();
    TValueType ReadValue();
    void CheckValue(TValueType expected);
    // True when the next byte ends a list, a collection, an item or the
    // properties or children of an object (the byte itself stays).
    bool EndOfList();

    // Values.  Each reads the code byte and checks it.
    void ReadListBegin();
    void ReadListEnd();
    int32_t ReadInteger();           // any integer code; out of range is an error
    int64_t ReadInt64();
    std::string ReadString();        // vaString or vaLString
    bool ReadBoolean();              // vaFalse or vaTrue
    // vaIdent; vaFalse, vaTrue and vaNil read as "False", "True", "nil".
    std::string ReadIdent();
    std::vector<std::string> ReadSet();   // element names in stored order
    std::string ReadBinary();             // the bytes
    void ReadNil();
    // Collections: ReadCollectionBegin; while (!EndOfList()) { ReadItemBegin;
    // properties as ReadStr name + value until EndOfList; ReadItemEnd; }
    // ReadCollectionEnd.
    void ReadCollectionBegin();
    void ReadItemBegin();
    void ReadItemEnd();
    void ReadCollectionEnd();
    // Skips one whole value of any type, nested lists and collections
    // included; SkipProperty skips a name and its value.
    void SkipValue();
    void SkipProperty();

    // Raw parts of the object layout.
    std::string ReadStr();           // a length byte and that many bytes
    void ReadSignature();            // kFormSignature or EReadError
    // The optional flags byte, class name and object name of an object.
    // Counts one level of nesting until ReadObjectEnd.
    TObjectHeader ReadObjectHeader();
    // The 0x00 after an object's properties, and after its children.
    void ReadPropertiesEnd();
    void ReadObjectEnd();

    // Bytes.
    uint8_t ReadByte();
    void Read(void* buffer, int64_t count);
    uint8_t PeekByte();

    int Nesting() const { return nesting_; }

protected:
    // Lists, collections, items and objects count here; beyond kMaxNesting
    // the data is malformed.
    void EnterNesting();
    void LeaveNesting();
    void SkipValue(int depth);
    // Reads a 4-byte length and checks that the stream still holds it.
    uint32_t ReadLength();
    [[noreturn]] void WrongValue(const char* expected, uint8_t found);

    TStream* stream_;
    int nesting_ = 0;
};

// The name of a value code for messages and the text form ("vaList" ...).
const char* ValueTypeName(TValueType type);
