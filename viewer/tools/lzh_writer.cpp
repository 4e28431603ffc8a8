#include "tools/lzh_writer.h"

#include <stdexcept>

namespace kisstools {
namespace {

void PutLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// 1997-04-01 12:00:00 as an MS-DOS time stamp (time word, then date word).
constexpr uint32_t kDosStamp = (12u << 11) | ((1997u - 1980u) << 25) | (4u << 21) | (1u << 16);

}  // namespace

uint16_t LzhCrc16(std::string_view data) {
    uint16_t crc = 0;
    for (unsigned char c : data) {
        crc ^= c;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

std::string WriteLzh(const std::vector<ArchiveFile>& files, int level) {
    if (level != 0 && level != 1) throw std::invalid_argument("LZH header level must be 0 or 1");
    std::string out;
    for (const auto& f : files) {
        if (f.name.size() > 200) throw std::invalid_argument("LZH name too long");
        std::string h;  // from the method on; size and checksum go in front
        h += "-lh0-";
        PutLe(h, static_cast<uint32_t>(f.bytes.size()), 4);  // packed size
        PutLe(h, static_cast<uint32_t>(f.bytes.size()), 4);  // original size
        PutLe(h, kDosStamp, 4);
        h.push_back(0x20);  // archive attribute
        h.push_back(static_cast<char>(level));
        h.push_back(static_cast<char>(f.name.size()));
        h += f.name;
        PutLe(h, LzhCrc16(f.bytes), 2);
        if (level == 1) {
            h.push_back('M');  // made on MS-DOS
            PutLe(h, 0, 2);    // no extended header follows
        }
        unsigned sum = 0;
        for (unsigned char c : h) sum += c;
        out.push_back(static_cast<char>(h.size()));
        out.push_back(static_cast<char>(sum & 0xFF));
        out += h;
        out += f.bytes;
    }
    out.push_back('\0');
    return out;
}

}  // namespace kisstools
