// The name of an LZH entry as its header stores it.  liblhasa hands names
// over changed (folded to lower case, a Shift-JIS second byte 0x5C taken
// for a folder separator, ".." dropped from level 0 names), so the name is
// read from the raw header bytes instead and checked by our own rules.
#pragma once

#include <string>
#include <string_view>

namespace kissarchive {

// The folder (from extended header 0x02, 0xFF between folders) and the
// file name (level 0 and 1 base header, or extended header 0x01) of the
// raw header, joined by "/"; the name's bytes are left as they are.
std::string LzhHeaderName(std::string_view rawHeader);

// A stored name in UTF-8: ASCII as it is, otherwise Shift-JIS (code page
// 932, where 0x5C is "\"), otherwise UTF-8 already; false when it is
// neither.
bool LzhNameToUtf8(const std::string& stored, std::string& utf8);

}  // namespace kissarchive
