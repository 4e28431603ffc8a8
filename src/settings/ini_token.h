// The settings tokenizer's current token: its kind, the value of a number and
// its text.  The text starts with room for 511 characters and grows for a
// longer word, so no word of a file is ever cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

enum : uint16_t {
    TK_EOF = 0xF000,      // end of input
    TK_EOL = 0xF100,      // line end
    TK_NUM = 0xF200,      // number or quoted character constant
    TK_WORD = 0xF300,     // word
    TK_CHAR = 0xF400,     // any other single character
    TK_SECTION = 0xF500,  // section header; text is the name in the brackets
};

class IniToken {
public:
    static constexpr int32_t kInitialTextSize = 512;  // 511 characters and the zero

    IniToken();
    IniToken(const IniToken&) = delete;
    IniToken& operator=(const IniToken&) = delete;

    // Writes a one-line diagnostic form of the token into `buffer`, never
    // more than `size` bytes including the ending zero (nothing when `size`
    // is 0).  The result is the length the whole text would have.
    int Describe(char* buffer, size_t size) const;

    uint16_t kind = 0;
    uint32_t value = 0;
    int32_t length = 0;  // characters in text
    const char* text;    // zero-ended; valid until the next token is read

protected:
    void ClearText();
    // Appends one byte; false (and nothing appended) only when the text has
    // reached the largest length a 32-bit count can hold.
    bool AppendText(unsigned char byte);
    void SetSingleChar(unsigned char byte);

private:
    void Grow();

    std::unique_ptr<char[]> storage_;
    int32_t capacity_ = kInitialTextSize;
};
