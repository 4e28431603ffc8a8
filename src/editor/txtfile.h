// A buffered file read as text, one line at a time.
#pragma once

#include "files/buffile.h"

#include <cstddef>

class TXTFILE : public BUFFILE {
public:
    // Set once the end of the file or a SUB byte (0x1A) has been reached;
    // nothing of the file is read after that.
    bool EndOfText = false;

    // Opens the file as BUFFILE::OpenRead does and clears EndOfText.
    bool OpenRead(const char* fileName);

    // Reads one line into `buffer` of `limit` bytes (the terminating zero
    // included) and returns the number of bytes stored before the zero.  LF
    // ends the line and is stored; CR is dropped; SUB and the end of the file
    // end the line (and the text) without being stored.  A line is cut after
    // limit - 1 bytes taken from the file, CR bytes counted; the rest is the
    // next line.  A NUL byte is stored like any other, so the result, not the
    // zero, tells where the line ends.
    size_t ReadLine(char* buffer, size_t limit);
};
