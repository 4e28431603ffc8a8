// The tagged value encoding of stored forms and of the custom data that
// components store in them.  Every value starts with one code byte:
//
//   code  name          followed by
//   0x00  vaNull        nothing; ends a list, a collection, an item, the
//                       properties or the children of an object
//   0x01  vaList        values until vaNull
//   0x02  vaInt8        1 byte,  signed
//   0x03  vaInt16       2 bytes, signed little-endian
//   0x04  vaInt32       4 bytes, signed little-endian
//   0x06  vaString      length byte, that many bytes (cp932)
//   0x07  vaIdent       length byte, an identifier (enumeration value,
//                       component reference such as Form2.Edit1, handler name)
//   0x08  vaFalse       nothing
//   0x09  vaTrue        nothing
//   0x0A  vaBinary      4-byte unsigned little-endian length, that many bytes
//   0x0B  vaSet         element names, each a length byte and an identifier,
//                       ended by a zero length byte (the empty set is 0x0B 0x00)
//   0x0C  vaLString     4-byte unsigned little-endian length, bytes (cp932)
//   0x0D  vaNil         nothing (a reference to no component)
//   0x0E  vaCollection  items until vaNull; each item is vaList, the item's
//                       properties as (name, value) until vaNull
//   0x13  vaInt64       8 bytes, signed little-endian
//
// Writers use the smallest integer code that holds the value and vaString
// for texts of up to 255 bytes; readers accept any integer code whose value
// fits the integer asked for, and either string code.  Any other code byte
// is malformed data.
#pragma once

#include <cstdint>

enum class TValueType : uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaNil = 0x0D,
    vaCollection = 0x0E,
    vaInt64 = 0x13,
};

// True for the code bytes above.
bool IsValueType(uint8_t code);

// The first four bytes of a stored form in binary.
inline constexpr char kFormSignature[4] = {'T', 'N', 'S', 'F'};

// Object flags.  In binary an object may start with a byte 0xF0 | flags; a
// first byte below 0xF0 is the length of the class name (so class names are
// written with a flags byte whenever they are 240 bytes or longer).
enum TFilerFlag : uint8_t {
    ffInherited = 0x01,  // the object comes from an ancestor form
    ffChildPos = 0x02,   // an integer value (the child position) follows
    ffInline = 0x04,     // an embedded frame
};
// ffInherited and ffInline exclude each other; other bits are malformed.
inline constexpr uint8_t kFlagsMarker = 0xF0;

// Lists, collections and objects nest at most this deep; deeper data is
// malformed (it protects the recursive readers from exhausting the stack).
inline constexpr int kMaxNesting = 64;
