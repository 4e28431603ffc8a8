#include "tools/lzh_writer.h"

#include <stdexcept>

namespace kisstools {
namespace {

void PutLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

uint32_t GetLe(const std::string& in, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in.at(at + static_cast<size_t>(i)));
    return v;
}

void SetLe(std::string& out, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.at(at + static_cast<size_t>(i)) = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// 1997-04-01 12:00:00 as an MS-DOS time stamp (time word, then date word),
// and as Unix time for level 2 headers.
constexpr uint32_t kDosStamp = (12u << 11) | ((1997u - 1980u) << 25) | (4u << 21) | (1u << 16);
constexpr uint32_t kUnixStamp = 859896000u;

unsigned char Checksum(std::string_view bytes) {
    unsigned sum = 0;
    for (unsigned char c : bytes) sum += c;
    return static_cast<unsigned char>(sum & 0xFF);
}

// Where a Shift-JIS name's folder part ends: the last "\" that is not the
// second byte of a double-byte character, or npos.
size_t LastSeparator(const std::string& name) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            ++i;
        } else if (c == '\\') {
            last = i;
        }
    }
    return last;
}

void PutExtended(std::string& h, unsigned char type, const std::string& data) {
    PutLe(h, static_cast<uint32_t>(data.size() + 3), 2);  // this header's size, in the field before it
    h.push_back(static_cast<char>(type));
    h += data;
}

std::string Level2Header(const ArchiveFile& f, unsigned char attribute) {
    std::string h;
    PutLe(h, 0, 2);  // total size, set below
    h += "-lh0-";
    PutLe(h, static_cast<uint32_t>(f.bytes.size()), 4);
    PutLe(h, static_cast<uint32_t>(f.bytes.size()), 4);
    PutLe(h, kUnixStamp, 4);
    h.push_back(static_cast<char>(attribute));
    h.push_back(2);
    PutLe(h, LzhCrc16(f.bytes), 2);
    h.push_back('M');  // made on MS-DOS
    // Extended headers, each preceded by its size: the header CRC, the
    // name, the folders (each ended by 0xFF); a size of 0 ends them.
    PutExtended(h, 0x00, std::string(2, '\0'));
    const size_t crcAt = h.size() - 2;
    const size_t slash = LastSeparator(f.name);
    PutExtended(h, 0x01, slash == std::string::npos ? f.name : f.name.substr(slash + 1));
    if (slash != std::string::npos) {
        std::string folders = f.name.substr(0, slash);
        for (size_t i = 0; i < folders.size(); ++i) {
            const auto c = static_cast<unsigned char>(folders[i]);
            if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ++i;
            else if (c == '\\') folders[i] = '\xFF';
        }
        PutExtended(h, 0x02, folders + '\xFF');  // each folder ends with 0xFF
    }
    PutLe(h, 0, 2);
    // A first byte of 0 would read as the archive's end: one byte more.
    if ((h.size() & 0xFF) == 0) h.push_back('\0');
    SetLe(h, 0, static_cast<uint32_t>(h.size()), 2);
    SetLe(h, crcAt, LzhCrc16(h), 2);
    return h;
}

}  // namespace

uint16_t LzhCrc16(std::string_view data) {
    uint16_t crc = 0;
    for (unsigned char c : data) {
        crc ^= c;
        for (int i = 0; i < 8; ++i) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

std::string WriteLzh(const std::vector<ArchiveFile>& files, int level, unsigned char attribute) {
    if (level < 0 || level > 2) throw std::invalid_argument("LZH header level must be 0, 1 or 2");
    std::string out;
    for (const auto& f : files) {
        if (f.name.size() > 200) throw std::invalid_argument("LZH name too long");
        if (level == 2) {
            out += Level2Header(f, attribute);
            out += f.bytes;
            continue;
        }
        std::string h;  // from the method on; size and checksum go in front
        h += "-lh0-";
        PutLe(h, static_cast<uint32_t>(f.bytes.size()), 4);  // packed size
        PutLe(h, static_cast<uint32_t>(f.bytes.size()), 4);  // original size
        PutLe(h, kDosStamp, 4);
        h.push_back(static_cast<char>(attribute));
        h.push_back(static_cast<char>(level));
        h.push_back(static_cast<char>(f.name.size()));
        h += f.name;
        PutLe(h, LzhCrc16(f.bytes), 2);
        if (level == 1) {
            h.push_back('M');  // made on MS-DOS
            PutLe(h, 0, 2);    // no extended header follows
        }
        out.push_back(static_cast<char>(h.size()));
        out.push_back(static_cast<char>(Checksum(h)));
        out += h;
        out += f.bytes;
    }
    out.push_back('\0');
    return out;
}

std::string WithLzhAttribute(std::string a, unsigned char attribute) {
    size_t pos = 0;
    while (pos < a.size() && a[pos] != '\0') {
        const int level = static_cast<unsigned char>(a.at(pos + 20));
        const uint32_t packed = GetLe(a, pos + 7, 4);
        a.at(pos + 19) = static_cast<char>(attribute);
        if (level == 0 || level == 1) {
            const size_t size = static_cast<unsigned char>(a[pos]);
            a[pos + 1] = static_cast<char>(Checksum(std::string_view(a).substr(pos + 2, size)));
            pos += size + 2 + packed;  // a level 1 packed size counts its extended headers
        } else if (level == 2) {
            const size_t size = GetLe(a, pos, 2);
            // The header CRC lies in the extended header of type 0x00.
            size_t ext = pos + 26, extSize = GetLe(a, pos + 24, 2);
            while (extSize != 0 && ext + extSize <= pos + size && a[ext] != '\0') {
                ext += extSize;
                extSize = GetLe(a, ext - 2, 2);
            }
            if (extSize != 0) {
                SetLe(a, ext + 1, 0, 2);
                SetLe(a, ext + 1, LzhCrc16(std::string_view(a).substr(pos, size)), 2);
            }
            pos += size + packed;
        } else {
            throw std::invalid_argument("LZH header level must be 0, 1 or 2");
        }
    }
    return a;
}

}  // namespace kisstools
