#include "framework/cp932_chars.h"

#include "platform/cp932.h"

namespace ui {

size_t Cp932CharLength(std::string_view text, size_t at) {
    if (at + 1 < text.size() && platform::IsCp932LeadByte(static_cast<unsigned char>(text[at])) &&
        IsCp932TrailByte(static_cast<unsigned char>(text[at + 1])))
        return 2;
    return 1;
}

std::vector<std::string> SplitCp932(std::string_view text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        size_t n = Cp932CharLength(text, i);
        chars.emplace_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

std::vector<std::string> SplitCp932At(std::string_view text, char separator) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < text.size();) {
        size_t n = Cp932CharLength(text, i);
        if (n == 1 && text[i] == separator) {
            parts.emplace_back();
        } else {
            parts.back().append(text.substr(i, n));
        }
        i += n;
    }
    return parts;
}

}  // namespace ui
