#include "settings/ini_token.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

IniToken::IniToken() : storage_(new char[kInitialTextSize]) {
    storage_[0] = '\0';
    text = storage_.get();
}

void IniToken::ClearText() {
    length = 0;
    storage_[0] = '\0';
    text = storage_.get();
}

void IniToken::SetSingleChar(unsigned char byte) {
    ClearText();
    AppendText(byte);
}

bool IniToken::AppendText(unsigned char byte) {
    if (length >= INT32_MAX - 1) return false;
    if (length + 1 >= capacity_) Grow();
    storage_[length++] = static_cast<char>(byte);
    storage_[length] = '\0';
    return true;
}

void IniToken::Grow() {
    int32_t bigger = capacity_ > INT32_MAX / 2 ? INT32_MAX : capacity_ * 2;
    std::unique_ptr<char[]> grown(new char[static_cast<size_t>(bigger)]);
    std::memcpy(grown.get(), storage_.get(), static_cast<size_t>(length) + 1);
    storage_ = std::move(grown);
    capacity_ = bigger;
    text = storage_.get();
}

int IniToken::Describe(char* buffer, size_t size) const {
    char scratch[1];
    if (size == 0 || buffer == nullptr) {  // measure only
        buffer = scratch;
        size = 0;
    }
    switch (kind) {
    case TK_EOF:
        return std::snprintf(buffer, size, "[EOF]");
    case TK_EOL:
        return std::snprintf(buffer, size, "[\\n]\n");
    case TK_NUM:
        return std::snprintf(buffer, size, "<%lu>", static_cast<unsigned long>(value));
    case TK_WORD:
        return std::snprintf(buffer, size, "<%s>", text);
    case TK_CHAR:
        // Half-width corner brackets around the character.
        return std::snprintf(buffer, size, "\xA2%c\xA3", text[0]);
    case TK_SECTION:
        return std::snprintf(buffer, size, "[%s]", text);
    default:
        return std::snprintf(buffer, size, "[??0x%04x??]", static_cast<unsigned>(kind));
    }
}
