#include "editor/registration_date.h"

std::string DateWithCentury(std::string_view date) {
    // The value of a label keeps the blanks (single or full-width) between
    // the label and the date.
    size_t start = 0;
    for (;;) {
        if (date.substr(start, 1) == " ") start += 1;
        else if (date.substr(start, 2) == "\x81\x40") start += 2;
        else break;
    }
    const std::string_view v = date.substr(start);
    auto digit = [&](size_t i) { return i < v.size() && v[i] >= '0' && v[i] <= '9'; };
    if (v.empty() || (digit(0) && digit(1) && digit(2) && digit(3))) return std::string(v);  // no date, or a year with its century
    const unsigned char first = static_cast<unsigned char>(v[0]);
    std::string dated = first >= 0x38 && first <= 0x7F ? "19" : "20";
    dated += v;
    return dated;
}
