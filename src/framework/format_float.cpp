// FormatFloat and FloatToStr: picture formats for floating-point numbers
// (the syntax is described in sysutils.h).
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "framework/exceptions.h"
#include "framework/framework_messages.h"
#include "framework/sysutils.h"

namespace {

// A non-negative number as 0.digits x 10^exponent, digits without
// leading zeros (empty for zero).
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// The 15 significant digits of |value| (the precision a double holds
// reliably), trailing zeros removed.
Decimal ToDecimal(double value) {
    Decimal d;
    value = std::fabs(value);
    if (value == 0) return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    // "d.ddddddddddddddde+XX"; the separator depends on the locale, so only
    // digits are taken before the exponent.
    std::string text(buffer);
    size_t e = text.find_first_of("eE");
    for (size_t i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9') d.digits += text[i];
    d.exponent = std::atoi(text.c_str() + e + 1) + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundTo(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') d.digits[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

// The digit at position i (0 = first) of the digit string, '0' beyond it.
char DigitAt(const Decimal& d, int i) {
    return i >= 0 && i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(i)] : '0';
}

// What one section of a picture format asks for.
struct Section {
    std::string_view text;
    int intPlaceholders = 0;
    int minIntDigits = 0;
    int maxDecimals = 0;
    int minDecimals = 0;
    bool thousands = false;
    bool scientific = false;
};

// Splits at ";" outside quoted texts; at most three sections count.
std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(format.substr(start));
    if (sections.size() > 3) sections.resize(3);
    return sections;
}

bool IsExponentAt(std::string_view s, size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

Section Analyse(std::string_view text) {
    Section s;
    s.text = text;
    bool point = false;
    bool seenZero = false;
    int fraction = 0;
    char quote = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            if (!point) {
                ++s.intPlaceholders;
                if (c == '0') seenZero = true;
                if (seenZero) ++s.minIntDigits;
            } else {
                ++fraction;
                if (c == '0') s.minDecimals = fraction;
            }
        } else if (c == '.') {
            point = true;
        } else if (c == ',') {
            if (!point) s.thousands = true;
        } else if (IsExponentAt(text, i)) {
            s.scientific = true;
            break;
        }
    }
    s.maxDecimals = fraction;
    return s;
}

// Writes one section for a non-negative value already rounded as the
// section asks: `intDigits` for the integer placeholders, `fraction` for
// the decimal ones, `exponent` for the scientific part.
std::string Render(const Section& s, const std::string& intDigits, const std::string& fraction,
                   int exponent) {
    std::string out;
    const int len = static_cast<int>(intDigits.size());
    const int surplus = len - s.intPlaceholders;  // digits beyond the placeholders
    auto emitDigit = [&](int j) {
        out += intDigits[static_cast<size_t>(j)];
        int rest = len - 1 - j;
        if (s.thousands && !s.scientific && rest > 0 && rest % 3 == 0) out += ',';
    };
    int intIndex = 0;    // integer placeholders met so far
    int fracIndex = 0;   // decimal placeholders met so far
    bool point = false;
    char quote = 0;
    const std::string_view t = s.text;
    for (size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '0' || c == '#') {
            if (!point) {
                if (intIndex == 0)
                    for (int j = 0; j < surplus; ++j) emitDigit(j);
                int j = intIndex - (s.intPlaceholders - len);
                if (j >= 0) emitDigit(j);
                ++intIndex;
            } else {
                if (fracIndex < static_cast<int>(fraction.size())) out += fraction[static_cast<size_t>(fracIndex)];
                ++fracIndex;
            }
        } else if (c == '.') {
            if (!point && !fraction.empty()) out += '.';
            point = true;
        } else if (c == ',') {
            // Placement of the separators follows the digits, not the format.
        } else if (IsExponentAt(t, i)) {
            out += c;
            bool plus = t[i + 1] == '+';
            ++i;
            int zeros = 0;
            while (i + 1 < t.size() && t[i + 1] == '0') {
                ++i;
                ++zeros;
            }
            if (zeros > 4) zeros = 4;
            if (exponent < 0)
                out += '-';
            else if (plus)
                out += '+';
            std::string e = std::to_string(exponent < 0 ? -exponent : exponent);
            if (static_cast<int>(e.size()) < zeros) e.insert(0, static_cast<size_t>(zeros) - e.size(), '0');
            out += e;
            // The rest of the section is literal text.
            for (++i; i < t.size(); ++i)
                if (t[i] != '\'' && t[i] != '"') out += t[i];
            break;
        } else {
            out += c;
        }
    }
    return out;
}

// Rounds |value| for the section and writes it; `zero` tells whether the
// rounded value is zero.
std::string FormatSection(const Section& s, double value, bool& zero) {
    Decimal d = ToDecimal(value);
    std::string intDigits, fraction;
    int exponent = 0;
    if (s.scientific) {
        const int intCount = s.intPlaceholders > 0 ? s.intPlaceholders : 1;
        RoundTo(d, intCount + s.maxDecimals);
        zero = d.digits.empty();
        if (zero) {
            intDigits.assign(static_cast<size_t>(intCount), '0');
        } else {
            exponent = d.exponent - intCount;
            for (int i = 0; i < intCount; ++i) intDigits += DigitAt(d, i);
        }
        for (int i = 0; i < s.maxDecimals; ++i) fraction += zero ? '0' : DigitAt(d, intCount + i);
    } else {
        RoundTo(d, d.exponent + s.maxDecimals);
        zero = d.digits.empty();
        for (int i = 0; i < d.exponent; ++i) intDigits += DigitAt(d, i);
        if (static_cast<int>(intDigits.size()) < s.minIntDigits)
            intDigits.insert(0, static_cast<size_t>(s.minIntDigits) - intDigits.size(), '0');
        for (int i = 0; i < s.maxDecimals; ++i) fraction += DigitAt(d, d.exponent + i);
    }
    while (static_cast<int>(fraction.size()) > s.minDecimals && fraction.back() == '0') fraction.pop_back();
    return Render(s, intDigits, fraction, exponent);
}

}  // namespace

std::string FloatToStr(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    Decimal d = ToDecimal(value);
    if (d.digits.empty()) return "0";
    std::string out = value < 0 ? "-" : "";
    const int exp10 = d.exponent - 1;  // exponent of the first digit
    const int n = static_cast<int>(d.digits.size());
    if (exp10 < -4 || exp10 >= 15) {
        out += d.digits[0];
        if (n > 1) out += "." + d.digits.substr(1);
        out += exp10 < 0 ? "E-" : "E+";
        out += std::to_string(exp10 < 0 ? -exp10 : exp10);
    } else if (d.exponent <= 0) {
        out += "0." + std::string(static_cast<size_t>(-d.exponent), '0') + d.digits;
    } else {
        for (int i = 0; i < d.exponent; ++i) out += DigitAt(d, i);
        if (n > d.exponent) out += "." + d.digits.substr(static_cast<size_t>(d.exponent));
    }
    return out;
}

std::string FormatFloat(std::string_view format, double value) {
    if (!std::isfinite(value)) {
        std::string m(kMsgNotAFloat);
        m.replace(m.find("%s"), 2, FloatToStr(value));
        throw EConvertError(m);
    }
    if (format.empty()) return FloatToStr(value);
    std::vector<std::string_view> sections = SplitSections(format);
    const bool negative = value < 0;
    size_t index = 0;
    if (negative && sections.size() >= 2 && !sections[1].empty()) index = 1;
    Section s = Analyse(sections[index]);
    if (!s.scientific && std::fabs(value) >= 1e18) return FloatToStr(value);
    bool zero = false;
    std::string out = FormatSection(s, value, zero);
    if (zero) {
        // A value that rounds to zero is zero: no sign, the zero section.
        if (sections.size() == 3 && !sections[2].empty()) {
            out = FormatSection(Analyse(sections[2]), 0.0, zero);
        } else if (index != 0) {
            out = FormatSection(Analyse(sections[0]), 0.0, zero);
        }
        return out;
    }
    if (negative && index == 0) out.insert(0, 1, '-');
    return out;
}
