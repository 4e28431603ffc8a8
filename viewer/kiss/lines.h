// Walking the lines of a configuration text, as both its readers (the cel
// and set lines, the FKiSS lines) see them.
#pragma once

#include <string_view>

namespace kiss {

// Calls `each(line, number)` for every line, numbered from 1.  A line ends
// at LF, a CR before it is dropped, and an end-of-file mark (0x1A) ends the
// text, as in the files' home systems.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
    const size_t eof = text.find('\x1A');
    if (eof != std::string_view::npos) text = text.substr(0, eof);
    int number = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        each(line, ++number);
    }
}

}  // namespace kiss
