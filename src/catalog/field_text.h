// What a catalog field can hold.  The catalog file has no quoting: a comma
// would split the field in two, CR or LF would end the record's line and
// 0x1A ends the data, so none of them may reach a field that is written.
#pragma once

#include <string>
#include <string_view>

// The first byte of `text` the catalog cannot store, or npos when every byte
// can be stored.  cp932 second bytes are 0x40 and above, so a byte found
// here is always a character of its own.
size_t FirstUnstorableFieldByte(std::string_view text);

inline bool IsStorableField(std::string_view text) {
    return FirstUnstorableFieldByte(text) == std::string_view::npos;
}

// `text` made storable: each comma becomes the full-width comma, CR, LF and
// 0x1A become a blank.
std::string StorableField(std::string_view text);
