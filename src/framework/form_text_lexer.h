// Tokens of the text form of stored forms (form_text.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class TTokenKind {
    tkEnd,      // the end of the text
    tkIdent,    // an identifier, possibly dotted (Font.Name)
    tkInteger,  // a decimal or "$" hexadecimal integer, possibly negative
    tkString,   // quoted parts and #n codes, decoded to cp932 bytes
    tkSymbol,   // one of = : [ ] ( ) < > { } , +
};

struct TToken {
    TTokenKind kind = TTokenKind::tkEnd;
    std::string text;    // identifier, string bytes (cp932), or the symbol
    int64_t integer = 0;
    int line = 1;
};

class TFormLexer {
public:
    explicit TFormLexer(std::string_view text);

    // The current token; Next moves on (and returns the new current one).
    const TToken& Current() const { return token_; }
    const TToken& Next();

    // After a "{" token: the hexadecimal digits up to "}", decoded; the
    // "}" is taken and the token after it becomes current.
    std::string ReadBinary();

    [[noreturn]] void Error(const std::string& message) const;
    [[noreturn]] void ErrorAt(int line, const std::string& message) const;

private:
    void SkipBlanks();
    void ReadIdent();
    void ReadNumber();
    void ReadString();

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    TToken token_;
};

// "object", "inherited", "inline", "end" (any case): a property cannot have
// one of these names, since an object's body reads them as keywords.
bool IsStatementKeyword(std::string_view name);
// "True", "False", "nil" (any case): the boolean and nil values.
bool IsValueKeyword(std::string_view name);
bool SameTextAscii(std::string_view a, std::string_view b);
