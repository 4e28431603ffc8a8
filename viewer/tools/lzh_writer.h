// A small writer of stored (-lh0-) LZH archives, for tests and the
// demonstration set: each file is kept as it is, under a level 0 or level 1
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

// The whole archive, ended by a zero byte.  `level` is 0 or 1.
std::string WriteLzh(const std::vector<ArchiveFile>& files, int level = 0);

}  // namespace kisstools
