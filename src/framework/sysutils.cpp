#include "framework/sysutils.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "framework/exceptions.h"
#include "framework/framework_messages.h"

namespace {

// The message with the text in place of its one "%s" (the text may hold
// any bytes, so it is not passed through printf).
std::string WithText(const char* message, std::string_view text) {
    std::string m(message);
    auto at = m.find("%s");
    if (at != std::string::npos) m.replace(at, 2, text);
    return m;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    bool signed_ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        signed_ = true;
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    }
    if (i == text.size()) return false;
    // The magnitude, stopped as soon as it passes 32 bits.
    uint64_t magnitude = 0;
    const unsigned base = hex ? 16 : 10;
    for (; i < text.size(); ++i) {
        int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (d < 0) return false;
        magnitude = magnitude * base + static_cast<unsigned>(d);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    int64_t result;
    if (hex && !signed_) {
        // A bare hexadecimal number is a 32-bit pattern.
        result = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    } else {
        result = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
        if (result < INT32_MIN || result > INT32_MAX) return false;
    }
    value = static_cast<int32_t>(result);
    return true;
}

int32_t StrToInt(const std::string& text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) throw EConvertError(WithText(kMsgNotAnInteger, text));
    return value;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToFloat(std::string_view text, double& value) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    std::string s(text.substr(b, e - b));
    // Check the shape first: strtod would also take hexadecimal, "inf",
    // "nan" and the locale's separator.
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;
    // strtod in the "C" locale reads "." whatever the program's locale is,
    // as long as nobody called setlocale; be safe and replace it.
    const char point = *std::localeconv()->decimal_point;
    if (point != '.')
        for (char& c : s)
            if (c == '.') c = point;
    errno = 0;
    double d = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(d)) return false;
    value = d;
    return true;
}

double StrToFloat(const std::string& text) {
    double value = 0;
    if (!TryStrToFloat(text, value)) throw EConvertError(WithText(kMsgNotAFloat, text));
    return value;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}
