// The settings tokenizer: turns the bytes of a settings file into tokens
// (words, numbers, section headers, line ends, single characters).  A
// Ctrl-Z byte ends the input wherever it stands.  Inside a word both bytes
// of a Shift-JIS double-byte character stay together.
#pragma once

#include "files/buffile.h"
#include "settings/ini_token.h"

// A byte that continues a word: letters, digits, punctuation other than
// "=", "[" and "]", and high bytes.  The writer of values asks the same
// question to decide which values need quotes.
bool IsIniWordByte(unsigned char b);

class IniLEX : public IniToken {
public:
    // 0 when the file is open for reading; 1 when it cannot be opened, after
    // "Can't open the file" went to standard output.
    int Open(const char* fileName);

    // Reads the next token into this object and returns its kind.
    uint16_t NextToken();

    // Drops the rest of the line including its LF: TK_EOL, or TK_EOF when
    // the input ends first.  The result is also left as the token's kind.
    uint16_t SkipLine();

    // Reads a word starting with the held byte into the token text.
    void ScanWord();
    // Reads a word starting with a digit and gives TK_NUM with its value when
    // it is a number (12, 12h, 1010b, 17o, 99t), else TK_WORD.
    uint16_t ScanNumber();
    // Reads the rest of a value that began with a double quote (the quote
    // itself already taken): the bytes up to the closing quote, a doubled
    // quote standing for one.  TK_WORD with those bytes as the text; when
    // the line or the input ends first, nothing of it counts and the kind
    // stays TK_CHAR (the quote alone), as before quoting existed.
    uint16_t ScanQuotedValue();

protected:
    static constexpr int kNothingHeld = -2;
    static constexpr int kEndOfInput = -1;

    BUFFILE file;
    // The byte read but not yet used by a token (0..255, a NUL byte being a
    // byte like any other), kEndOfInput, or kNothingHeld.
    int lookahead = kNothingHeld;

private:
    int ReadInput();
    void ScanQuoted();

    bool inputEnded_ = true;
};
