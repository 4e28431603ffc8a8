#include "settings/ini_lex.h"

#include "platform/cp932.h"

#include <cstdio>

bool IsIniWordByte(unsigned char b) {
    if (b >= 0x80) return true;
    if (b <= 0x20 || b == 0x7F) return false;  // controls and space
    return b != '=' && b != '[' && b != ']';
}

namespace {

constexpr int kCtrlZ = 26;

bool IsBlank(int c) { return c == ' ' || c == '\t'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsHighByte(int c) { return c >= 128 && c <= 255; }

// `c` is a byte here, never the end of the input.
bool IsLeadByte(int c) { return platform::IsCp932LeadByte(static_cast<unsigned char>(c)); }

// Value of a digit character in any base up to 36, or -1.
int DigitValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return -1;
}

}  // namespace

int IniLEX::Open(const char* fileName) {
    if (!file.OpenRead(fileName)) {
        std::fputs("Can't open the file", stdout);
        std::fflush(stdout);
        return 1;
    }
    lookahead = kNothingHeld;
    inputEnded_ = false;
    return 0;
}

// The next byte of the file; kEndOfInput from the end of the file or the
// first Ctrl-Z on, and nothing more is read after that.
int IniLEX::ReadInput() {
    if (inputEnded_) return kEndOfInput;
    int c = file.ReadByte();
    if (c == BUFFILE::EndOfInput || c == kCtrlZ) {
        inputEnded_ = true;
        return kEndOfInput;
    }
    return c;
}

uint16_t IniLEX::NextToken() {
    ClearText();
    if (lookahead == kNothingHeld) lookahead = ReadInput();
    while (IsBlank(lookahead)) lookahead = ReadInput();

    if (lookahead == kEndOfInput) return kind = TK_EOF;
    if (lookahead == '\r') {
        // Dropped; whatever follows is taken as it is (a lone CR vanishes).
        lookahead = ReadInput();
        if (lookahead == kEndOfInput) return kind = TK_EOF;
    }

    int c = lookahead;
    if (c == '\n') {
        lookahead = kNothingHeld;
        return kind = TK_EOL;
    }
    if (IsDigit(c)) return kind = ScanNumber();
    if (IsLetter(c) || IsHighByte(c)) {
        ScanWord();
        return kind = TK_WORD;
    }
    if (c == '\'') {
        ScanQuoted();
        return kind = TK_NUM;
    }
    if (c == ';') return SkipLine();
    if (c == '[') {
        lookahead = ReadInput();
        ScanWord();
        if (lookahead == ']') lookahead = kNothingHeld;
        return kind = TK_SECTION;
    }
    SetSingleChar(static_cast<unsigned char>(c));
    lookahead = kNothingHeld;
    return kind = TK_CHAR;
}

// A character constant such as 'A' or 'ABCD': each byte is shifted in, so
// the last four count.  The text stays empty.
void IniLEX::ScanQuoted() {
    value = 0;
    for (;;) {
        int c = ReadInput();
        if (c == '\'') {
            lookahead = kNothingHeld;
            return;
        }
        if (c == '\n' || c == kEndOfInput) {
            lookahead = c;
            return;
        }
        value = value * 256u + static_cast<uint32_t>(c);
    }
}

void IniLEX::ScanWord() {
    ClearText();
    int c = lookahead;
    if (c < 0) return;  // the input ended: an empty word
    // The first byte is taken whatever it is (a section name may begin with
    // anything).  A byte after a lead byte that starts a character is its
    // second byte and belongs to the word whatever it is (the long vowel
    // mark ends in "[").
    bool secondByteNext = IsLeadByte(c);
    AppendText(static_cast<unsigned char>(c));
    for (;;) {
        c = ReadInput();
        if (c == kEndOfInput) break;
        if (secondByteNext) {
            secondByteNext = false;
        } else if (IsIniWordByte(static_cast<unsigned char>(c))) {
            secondByteNext = IsLeadByte(c);
        } else {
            break;
        }
        if (!AppendText(static_cast<unsigned char>(c))) break;
    }
    lookahead = c;
}

uint16_t IniLEX::ScanNumber() {
    ScanWord();
    if (length == 0) return TK_WORD;
    int32_t digits = length;
    uint32_t base = 10;
    switch (text[length - 1]) {
    case 'B': case 'b': base = 2; --digits; break;
    case 'H': case 'h': base = 16; --digits; break;
    case 'O': case 'o': base = 8; --digits; break;
    case 'T': case 't': base = 10; --digits; break;
    default:
        if (!IsDigit(static_cast<unsigned char>(text[length - 1]))) return TK_WORD;
    }
    uint32_t number = 0;
    for (int32_t i = 0; i < digits; ++i) {
        int d = DigitValue(static_cast<unsigned char>(text[i]));
        if (d < 0 || static_cast<uint32_t>(d) >= base) return TK_WORD;
        number = number * base + static_cast<uint32_t>(d);  // wraps modulo 2^32
    }
    value = number;
    return TK_NUM;
}

uint16_t IniLEX::ScanQuotedValue() {
    ClearText();
    for (;;) {
        int c = ReadInput();
        if (c == '"') {
            c = ReadInput();
            if (c != '"') {
                lookahead = c;
                return kind = TK_WORD;
            }
        } else if (c == '\n' || c == kEndOfInput) {
            lookahead = c;
            SetSingleChar('"');
            return kind = TK_CHAR;
        }
        AppendText(static_cast<unsigned char>(c));
    }
}

uint16_t IniLEX::SkipLine() {
    if (lookahead == kNothingHeld) lookahead = ReadInput();
    while (lookahead != '\n' && lookahead != kEndOfInput) lookahead = ReadInput();
    ClearText();
    if (lookahead == kEndOfInput) return kind = TK_EOF;
    lookahead = kNothingHeld;
    return kind = TK_EOL;
}
