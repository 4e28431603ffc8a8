#include "platform/os_path.h"

#include "platform/cp932.h"

#include <atomic>

namespace platform {
namespace {

std::atomic<uint64_t> g_conversions{0};

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "\" -> "/" for every single-byte backslash; trail bytes stay as they are.
std::string Slashed(std::string_view systemPath) {
    std::string slashed(systemPath);
    for (size_t i = 0; i < slashed.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(slashed[i]);
        if (IsCp932LeadByte(b)) {
            ++i;  // keep the trail byte whatever it is
        } else if (b == '\\') {
            slashed[i] = '/';
        }
    }
    return slashed;
}

}  // namespace

std::optional<std::string> ToOsPath(std::string_view systemPath) {
    g_conversions.fetch_add(1, std::memory_order_relaxed);
    std::string_view rest = systemPath;
    std::string prefix;
    if (rest.size() >= 2 && IsAsciiLetter(rest[0]) && rest[1] == ':') {
        // Only the root drive has an OS form; any other drive is refused
        // rather than guessed at.
        if ((rest[0] & ~0x20) != kRootDrive) return std::nullopt;
        rest.remove_prefix(2);
        if (rest.empty()) return std::string(".");  // "Z:" alone: its current folder
        if (IsSeparator(rest[0])) {
            prefix = "/";
            while (!rest.empty() && IsSeparator(rest[0])) rest.remove_prefix(1);
        }
    } else if (rest.size() >= 2 && rest[0] == '\\' && rest[1] == '\\') {
        return std::nullopt;  // a network name: no such thing here
    }
    auto utf8 = Cp932ToUtf8(Slashed(rest));
    if (!utf8) return std::nullopt;
    return prefix + *utf8;
}

std::optional<std::string> FromOsPath(std::string_view osPath) {
    g_conversions.fetch_add(1, std::memory_order_relaxed);
    // A "\" in an OS name would read back as a separator.
    if (osPath.find('\\') != std::string_view::npos) return std::nullopt;
    auto cp932 = Utf8ToCp932(osPath);
    if (!cp932) return std::nullopt;
    // Only a conversion that reads back the same name is faithful (the yen
    // sign and the overline map onto ASCII "\" and "~").
    auto back = Cp932ToUtf8(*cp932);
    if (!back || *back != osPath) return std::nullopt;
    std::string s = std::move(*cp932);
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsCp932LeadByte(b)) {
            ++i;
        } else if (b == '/') {
            s[i] = '\\';
        }
    }
    if (!s.empty() && s[0] == '\\') s.insert(0, {kRootDrive, ':'});
    return s;
}

std::optional<OsPath> OsPath::FromSystem(std::string_view systemPath) {
    auto os = ToOsPath(systemPath);
    if (!os) return std::nullopt;
    return OsPath(std::move(*os));
}

uint64_t PathConversionCount() { return g_conversions.load(std::memory_order_relaxed); }

}  // namespace platform
