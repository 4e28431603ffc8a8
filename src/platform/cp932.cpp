#include "platform/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// One conversion with a fresh descriptor; returns nullopt on any sequence
// that cannot be converted (EILSEQ, or EINVAL for a truncated character).
// When `replaceBad` is set, an unconvertible input byte is replaced by
// `replacement` and conversion goes on.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in,
                                   bool replaceBad, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;

    std::string out;
    out.reserve(in.size() * 3 / 2 + 8);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char chunk[1024];
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = chunk;
        size_t outLeft = sizeof chunk;
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<size_t>(outPtr - chunk));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!replaceBad) {
            ok = false;
            break;
        }
        out.append(replacement);
        ++inPtr;
        --inLeft;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, false, {});
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, false, {});
}

std::string Cp932ToUtf8ForDisplay(std::string_view cp932) {
    // U+FFFD REPLACEMENT CHARACTER in UTF-8.
    auto r = Convert("UTF-8", "CP932", cp932, true, "\xEF\xBF\xBD");
    return r ? *r : std::string();
}

}  // namespace platform
