#include "framework/form_text_lexer.h"

#include "framework/object.h"

#include "framework/filer_errors.h"
#include "framework/framework_messages.h"
#include "framework/sysutils.h"
#include "platform/cp932.h"

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Names longer than this cannot be stored (one length byte).
constexpr size_t kMaxNameLength = 255;

}  // namespace

bool SameTextAscii(std::string_view a, std::string_view b) { return SameName(a, b); }

bool IsStatementKeyword(std::string_view name) {
    return SameTextAscii(name, "object") || SameTextAscii(name, "inherited") || SameTextAscii(name, "inline") ||
           SameTextAscii(name, "end");
}

bool IsValueKeyword(std::string_view name) {
    return SameTextAscii(name, "True") || SameTextAscii(name, "False") || SameTextAscii(name, "nil");
}

TFormLexer::TFormLexer(std::string_view text) : text_(text) {
    // A UTF-8 byte order mark at the start is no part of the text.
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    Next();
}

void TFormLexer::ErrorAt(int line, const std::string& message) const {
    throw EParserError(Format(kMsgLine, line, message.c_str()), line);
}

void TFormLexer::Error(const std::string& message) const { ErrorAt(token_.line, message); }

void TFormLexer::SkipBlanks() {
    while (pos_ < text_.size()) {
        char c = text_[pos_];
        if (c == '\n') {
            ++line_;
        } else if (c != ' ' && c != '\t' && c != '\r') {
            break;
        }
        ++pos_;
    }
}

const TToken& TFormLexer::Next() {
    SkipBlanks();
    token_ = TToken();
    token_.line = line_;
    if (pos_ >= text_.size()) return token_;
    const char c = text_[pos_];
    if (IsIdentStart(c)) {
        ReadIdent();
    } else if (IsDigit(c) || c == '$' || c == '-') {
        ReadNumber();
    } else if (c == '\'' || c == '#') {
        ReadString();
    } else if (std::string_view("=:[]()<>{},+").find(c) != std::string_view::npos) {
        token_.kind = TTokenKind::tkSymbol;
        token_.text.assign(1, c);
        ++pos_;
    } else {
        ErrorAt(line_, Format(kMsgBadChar, static_cast<unsigned char>(c)));
    }
    return token_;
}

void TFormLexer::ReadIdent() {
    size_t start = pos_;
    for (;;) {
        while (pos_ < text_.size() && IsIdentChar(text_[pos_])) ++pos_;
        // A dot joins two identifiers (Font.Name, Form2.Edit1).
        if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsIdentStart(text_[pos_ + 1])) {
            ++pos_;
            continue;
        }
        break;
    }
    if (pos_ < text_.size() && text_[pos_] == '.') ErrorAt(line_, Format(kMsgBadChar, '.'));
    token_.kind = TTokenKind::tkIdent;
    token_.text.assign(text_.substr(start, pos_ - start));
    if (token_.text.size() > kMaxNameLength) Error(kMsgNameTooLong);
}

void TFormLexer::ReadNumber() {
    size_t start = pos_;
    bool negative = false;
    if (text_[pos_] == '-') {
        negative = true;
        ++pos_;
    }
    bool hex = pos_ < text_.size() && text_[pos_] == '$';
    if (hex) ++pos_;
    size_t digitsStart = pos_;
    while (pos_ < text_.size() && (hex ? HexValue(text_[pos_]) >= 0 : IsDigit(text_[pos_]))) ++pos_;
    // Letters or digits glued to the number make it something else.
    if (pos_ == digitsStart || (pos_ < text_.size() && (IsIdentChar(text_[pos_]) || text_[pos_] == '.')))
        Error(kMsgIntegerExpected);
    std::string_view digits = text_.substr(digitsStart, pos_ - digitsStart);
    std::string whole(text_.substr(start, pos_ - start));
    // The magnitude may reach 2^63 for the most negative value.
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? UINT64_C(1) << 63 : (UINT64_C(1) << 63) - 1;
    for (char d : digits) {
        uint64_t v = static_cast<uint64_t>(hex ? HexValue(d) : d - '0');
        uint64_t base = hex ? 16 : 10;
        if (magnitude > (limit - v) / base) Error(Format(kMsgNumberRange, whole.c_str()));
        magnitude = magnitude * base + v;
    }
    token_.kind = TTokenKind::tkInteger;
    token_.text = whole;
    token_.integer = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

void TFormLexer::ReadString() {
    token_.kind = TTokenKind::tkString;
    std::string& out = token_.text;
    while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
        if (text_[pos_] == '#') {
            ++pos_;
            size_t start = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
            std::string digits(text_.substr(start, pos_ - start));
            if (digits.empty()) Error(Format(kMsgBadChar, '#'));
            unsigned code = 0;
            for (char d : digits) {
                code = code * 10 + static_cast<unsigned>(d - '0');
                if (code > 255) Error(Format(kMsgCharRange, digits.c_str()));
            }
            out += static_cast<char>(code);
            continue;
        }
        // A quoted part: "''" is one quote; it ends on the line it starts.
        ++pos_;
        std::string part;
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Error(kMsgOpenString);
            char c = text_[pos_++];
            if (c == '\'') {
                if (pos_ < text_.size() && text_[pos_] == '\'') {
                    part += '\'';
                    ++pos_;
                    continue;
                }
                break;
            }
            part += c;
        }
        auto cp932 = platform::Utf8ToCp932(part);
        if (!cp932) Error(kMsgNoCp932);
        out += *cp932;
    }
}

std::string TFormLexer::ReadBinary() {
    std::string bytes;
    int high = -1;
    for (;;) {
        if (pos_ >= text_.size()) ErrorAt(line_, kMsgEndOfText);
        char c = text_[pos_++];
        if (c == '}') break;
        if (c == '\n') {
            ++line_;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') continue;
        int v = HexValue(c);
        if (v < 0) ErrorAt(line_, kMsgBadBinary);
        if (high < 0) {
            high = v;
        } else {
            bytes += static_cast<char>(high << 4 | v);
            high = -1;
        }
    }
    if (high >= 0) ErrorAt(line_, kMsgBadBinary);
    Next();
    return bytes;
}
