#include "archive/lzh_header.h"

#include <cstdint>
#include <iconv.h>

namespace kissarchive {
namespace {

uint32_t Le(std::string_view s, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}

bool IsValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t more = 0;
        if (c >= 0xC2 && c <= 0xDF) more = 1;
        else if (c >= 0xE0 && c <= 0xEF) more = 2;
        else if (c >= 0xF0 && c <= 0xF4) more = 3;
        else if (c >= 0x80) return false;
        if (more > s.size() - i - 1) return false;
        for (size_t k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += more + 1;
    }
    return true;
}

bool Cp932ToUtf8(const std::string& in, std::string& out) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string result(in.size() * 3 + 4, '\0');
    char* from = const_cast<char*>(in.data());
    size_t fromLeft = in.size();
    char* to = result.data();
    size_t toLeft = result.size();
    const bool ok = iconv(cd, &from, &fromLeft, &to, &toLeft) != static_cast<size_t>(-1) && fromLeft == 0;
    iconv_close(cd);
    if (!ok) return false;
    result.resize(result.size() - toLeft);
    out = std::move(result);
    return true;
}

}  // namespace

std::string LzhHeaderName(std::string_view raw) {
    if (raw.size() < 22) return "";
    const int level = static_cast<unsigned char>(raw[20]);
    std::string name;
    std::string folder;
    size_t ext = 0;         // where the first extended header starts
    size_t extSize = 0;     // its size
    int sizeBytes = 2;      // width of the size fields
    if (level == 0 || level == 1) {
        const size_t length = static_cast<unsigned char>(raw[21]);
        if (22 + length > raw.size()) return "";
        name = std::string(raw.substr(22, length));
        const size_t base = static_cast<unsigned char>(raw[0]) + 2u;  // up to the first size field's end
        if (level == 1 && base >= 2 && base <= raw.size()) {
            ext = base;
            extSize = Le(raw, base - 2, 2);
        }
    } else if (level == 2 && raw.size() >= 26) {
        ext = 26;
        extSize = Le(raw, 24, 2);
    } else if (level == 3 && raw.size() >= 32) {
        ext = 32;
        extSize = Le(raw, 28, 4);
        sizeBytes = 4;
    }
    // Each extended header: type, data, the next one's size.
    while (extSize != 0 && extSize >= 1u + static_cast<size_t>(sizeBytes) && ext + extSize <= raw.size()) {
        const unsigned char type = static_cast<unsigned char>(raw[ext]);
        const std::string_view data = raw.substr(ext + 1, extSize - 1 - static_cast<size_t>(sizeBytes));
        if (type == 0x01) {
            name = std::string(data);
        } else if (type == 0x02) {
            folder = std::string(data);
            for (char& c : folder)
                if (static_cast<unsigned char>(c) == 0xFF) c = '/';
        }
        const size_t next = Le(raw, ext + extSize - static_cast<size_t>(sizeBytes), sizeBytes);
        ext += extSize;
        extSize = next;
    }
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    return folder + name;
}

bool LzhNameToUtf8(const std::string& stored, std::string& utf8) {
    bool ascii = true;
    for (unsigned char c : stored) ascii = ascii && c < 0x80;
    if (ascii) {
        utf8 = stored;
        return true;
    }
    if (Cp932ToUtf8(stored, utf8)) return true;
    if (!IsValidUtf8(stored)) return false;
    utf8 = stored;
    return true;
}

}  // namespace kissarchive
