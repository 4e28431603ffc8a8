// The reader of a set's supplementary description file: a few fixed header
// labels at the top, bracketed items further down.  It accepts any file:
// what it does not recognise leaves its field empty.  All matching is by
// bytes of code page 932; every value is the file's own bytes.
#pragma once

#include "editor/txtfile.h"

#include <cstddef>
#include <string>
#include <string_view>

// The nine texts a description file gives, all empty when not found.
class HosokuData {
public:
    std::string DataName;
    std::string Id;
    std::string RegDate;
    std::string Attr;
    std::string Bytes;
    std::string Refer;
    std::string Title;
    std::string FileName;
    std::string Author;
};

// A header label: 10 bytes at the very start of a line, the value after it.
struct HosokuLabel {
    std::string_view label;
    std::string HosokuData::*field;
};
// The six labels, in the order they must stand in the file.
extern const HosokuLabel HosokuLabels[6];

// A body item: a name between brackets, the value after the closing one.
struct HosokuItem {
    std::string_view name;
    std::string HosokuData::*field;
    bool cutAtSpace;  // the value ends at its first single-byte space
};
extern const HosokuItem HosokuItems[3];

class HosokuFile : public TXTFILE, public HosokuData {
public:
    static constexpr size_t kLineSize = 256;  // a line of 255 bytes and a zero
    static constexpr size_t kNameSize = 80;   // an item name of 79 bytes and a zero

    HosokuFile();

    // Reads the whole file: 0 when it was opened and read (whatever it
    // held), 1 when it cannot be opened.  The fields then hold the values
    // found, empty for the others.
    int ReadHosoku(const char* fileName);

    // 0 when the current line starts with `label`: `field` takes the rest
    // of the line and the next line is read.  1 otherwise: `field` becomes
    // empty and the line stays.
    int ReadLabel(std::string_view label, std::string& field);

    // 0 when the current line is a known item and its field was set, 1
    // otherwise.
    int ReadItem();

    // When the current line ends in LF, removes it, a CR before it and the
    // single-byte spaces before that.  Any other line stays as it is.
    void TrimLine();

    // The current line as stored (NUL bytes included).
    std::string_view Line() const { return std::string_view(lineBuffer, lineLength); }

private:
    void NextLine() { lineLength = ReadLine(lineBuffer, kLineSize); }

    char lineBuffer[kLineSize] = {};
    size_t lineLength = 0;
};
