// A small writer of stored (-lh0-) LZH archives, for tests and the
// demonstration set: each file is kept as it is, under a level 0, 1 or 2
// header with the CRC-16 of its data.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kisstools {

struct ArchiveFile {
    std::string name;   // bytes as stored (Shift-JIS for Japanese names)
    std::string bytes;
};

// CRC-16 of LZH archives: polynomial 0xA001 (reflected), initial value 0.
uint16_t LzhCrc16(std::string_view data);

// The attribute byte (offset 19) LHA writes: an ordinary archived file.
constexpr unsigned char kLzhArchiveAttribute = 0x20;

// The whole archive, ended by a zero byte.  `level` is 0, 1 or 2; a level 2
// header keeps a name's folders ("A\B.CEL") in a folder extended header.
std::string WriteLzh(const std::vector<ArchiveFile>& files, int level = 0,
                     unsigned char attribute = kLzhArchiveAttribute);

// The archive (header levels 0 to 2, any method) with the attribute byte of
// every header set to `attribute`, its checksum or header CRC mended.
std::string WithLzhAttribute(std::string archive, unsigned char attribute);

}  // namespace kisstools
