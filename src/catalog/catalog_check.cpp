#include "catalog/catalog_check.h"

#include "files/buffile.h"

namespace {

constexpr unsigned char kComma = ',';
constexpr unsigned char kCr = '\r';
constexpr unsigned char kLf = '\n';
constexpr unsigned char kTab = '\t';
constexpr unsigned char kEndMark = 0x1A;

// Code page 932: the first byte of a two-byte character, and the bytes that
// can follow it.
bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// A byte that is a character of its own: printable ASCII, a tab,
// half-width katakana.
bool IsSingleCharacter(unsigned char b) {
    return (b >= 0x20 && b <= 0x7E) || b == kTab || (b >= 0xA1 && b <= 0xDF);
}

}  // namespace

void CatalogChecker::Take(std::span<const unsigned char> bytes) {
    if (!bytes.empty()) anyByte_ = true;
    const unsigned char* p = bytes.data();
    const unsigned char* const end = p + bytes.size();
    while (p < end) {
        if (!ended_ && lead_ == 0 && !crPending_ && countedLines_ > 0) {
            // The bulk of a record: characters that change nothing but
            // that the line holds data.
            const unsigned char* const start = p;
            while (p < end) {
                const unsigned char b = *p;
                if (b > kComma ? (b <= 0x7E || (b >= 0xA1 && b <= 0xDF)) : b == ' ') {
                    ++p;
                } else if (IsLeadByte(b) && end - p >= 2 && IsTrailByte(p[1])) {
                    p += 2;
                } else {
                    break;
                }
            }
            if (p != start) hasData_ = true;
            if (p == end) break;
        }
        Step(*p++);
    }
}

void CatalogChecker::Step(unsigned char b) {
    if (ended_) {
        // Nothing after the end mark is read; padding of more end marks
        // and empty lines lose nothing.
        if (b == kLf) {
            ++line_;
        } else if (b != kEndMark && b != kCr && notes_.dataAfterEndMark == 0) {
            notes_.dataAfterEndMark = line_;
        }
        return;
    }
    if (lead_ != 0) {
        lead_ = 0;
        if (IsTrailByte(b)) return;
        lineNotText_ = true;  // a lead byte without its second byte
    }
    // The reader drops every CR; one that does not end the line (CR LF) is
    // a byte of the line that a save would lose.
    if (crPending_) {
        crPending_ = false;
        if (b != kLf && b != kEndMark) lineNotText_ = true;
    }
    if (b == kLf) {
        EndLine();
        ++line_;
        return;
    }
    if (b == kCr) {
        crPending_ = true;
        return;
    }
    if (b == kEndMark) {
        EndLine();
        ended_ = true;
        return;
    }
    if (countedLines_ == 0 && headingSoFar_) {
        headingSoFar_ = headingLength_ < kCatalogHeading.size() &&
                        static_cast<unsigned char>(kCatalogHeading[headingLength_]) == b;
        ++headingLength_;
    }
    if (b == kComma) {
        ++commas_;
        return;
    }
    hasData_ = true;
    if (IsLeadByte(b)) {
        lead_ = b;
    } else if (!IsSingleCharacter(b)) {
        lineNotText_ = true;
    }
}

void CatalogChecker::EndLine() {
    if (lead_ != 0) lineNotText_ = true;
    lead_ = 0;
    if (lineNotText_) notes_.notText.Add(line_);
    if (hasData_) {
        // The reader takes the first line of data as the heading.
        if (++countedLines_ == 1) {
            notes_.headingMissing = !(headingSoFar_ && headingLength_ == kCatalogHeading.size());
        } else if (commas_ != 6) {
            notes_.wrongFieldCount.Add(line_);
        }
    }
    commas_ = 0;
    hasData_ = false;
    lineNotText_ = false;
    headingSoFar_ = true;
    headingLength_ = 0;
}

CatalogFileNotes CatalogChecker::Finish() {
    if (!ended_) EndLine();
    ended_ = true;
    const bool noRecord = countedLines_ < 2;
    notes_.nothingReadable = anyByte_ && noRecord && (countedLines_ == 0 || notes_.headingMissing);
    return notes_;
}

CatalogFileNotes CheckCatalogFile(const char* fileName) {
    CatalogChecker checker;
    BUFFILE file;
    if (!file.OpenRead(fileName)) return CatalogFileNotes();
    for (;;) {
        std::span<const unsigned char> run = file.Buffered();
        if (run.empty()) break;
        checker.Take(run);
        file.TakeBuffered(run.size());
    }
    file.Close();
    return checker.Finish();
}
