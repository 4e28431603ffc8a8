// What the catalog reader drops or changes in a file: everything the grid
// cannot show as the file holds it, so that a save would write the file
// otherwise.  A file the system wrote has none of it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// Lines of one kind: how many, and the first of them (counted from 1 as an
// editor counts them, every LF ending one).
struct CatalogLineNote {
    uint32_t lines = 0;
    uint32_t first = 0;
    void Add(uint32_t line) {
        if (lines++ == 0) first = line;
    }
};

struct CatalogFileNotes {
    // The first line that counts is taken as the heading whatever it holds:
    // one that is not the heading line is lost (a record, as a rule).
    bool headingMissing = false;
    // Lines of data with other than seven fields: missing fields are read
    // as empty, an eighth and later are dropped, a line of more than 20 is
    // dropped whole.
    CatalogLineNote wrongFieldCount;
    // Lines holding bytes that are not Shift-JIS text (a lead byte without
    // its second byte, bytes no character starts with, control bytes, a CR
    // that does not end the line).
    CatalogLineNote notText;
    // Data after the end mark 0x1A is never read; the line where it starts.
    uint32_t dataAfterEndMark = 0;
    // Bytes, but not one record (and no heading line either).
    bool nothingReadable = false;

    bool Any() const {
        return headingMissing || wrongFieldCount.lines > 0 || notText.lines > 0 || dataAfterEndMark > 0 ||
               nothingReadable;
    }
};

// Reads the bytes of a catalog file piece by piece, in order.
class CatalogChecker {
public:
    void Take(std::span<const unsigned char> bytes);
    void Take(std::string_view bytes) {
        Take(std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
    }
    // The notes once every byte was taken.
    CatalogFileNotes Finish();

private:
    void Step(unsigned char byte);
    void EndLine();

    CatalogFileNotes notes_;
    uint32_t line_ = 1;         // the line being read
    uint32_t commas_ = 0;       // commas of the line so far
    bool hasData_ = false;      // a byte other than comma and CR
    bool lineNotText_ = false;  // a byte that is not text
    unsigned char lead_ = 0;    // a lead byte waiting for its second byte
    bool crPending_ = false;    // the last byte was a CR
    uint32_t countedLines_ = 0;  // lines of data so far, the heading included
    bool headingSoFar_ = true;  // the first counted line matches the heading so far
    uint32_t headingLength_ = 0;
    bool ended_ = false;        // the end mark was read
    bool anyByte_ = false;
};

// The notes for a catalog file; a file that cannot be read has none.
CatalogFileNotes CheckCatalogFile(const char* fileName);

// The heading line the system writes, without its line end.
inline constexpr std::string_view kCatalogHeading = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE";
