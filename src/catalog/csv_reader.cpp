#include "catalog/csv_reader.h"

#include "files/buffile.h"

#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr int kComma = ',';
constexpr int kCr = '\r';
constexpr int kLf = '\n';
constexpr int kSub = 0x1A;  // end-of-text mark: nothing after it is data
}  // namespace

int ReadCsvFile(CsvTable& table, const char* fileName) {
    table.Release();
    BUFFILE file;
    if (!file.OpenRead(fileName)) return 1;
    int64_t size = file.FileSize();
    if (!table.Allocate(size > 0 ? static_cast<uint64_t>(size) : 0)) {
        file.Close();
        return 2;
    }
    while (ReadCsvLine(table, file) == 0) {
    }
    file.Close();
    if (table.overflowed_) {
        // Only a file that grew while it was read gets here; what was read
        // is not the whole file, so none of it is kept.
        table.Release();
        return 2;
    }
    return 0;
}

namespace {

// Copies the bytes from p up to the first one that is at most ',' (or up to
// end) to out; returns where it stopped and advances out as far.  May write
// up to CsvTable::kPoolSlack bytes past the copied ones.
inline const unsigned char* CopyFieldBytes(const unsigned char* p, const unsigned char* end, char*& out) {
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(static_cast<char>(kComma));
    while (end - p >= 16) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), v);
        // Bytes at most ',' (unsigned): those whose minimum with ',' is
        // themselves.
        unsigned stops = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(v, comma), v)));
        if (stops != 0) {
            unsigned n = static_cast<unsigned>(__builtin_ctz(stops));
            out += n;
            return p + n;
        }
        p += 16;
        out += 16;
    }
#endif
    while (p < end && *p > kComma) *out++ = static_cast<char>(*p++);
    return p;
}

// The rest of a line with too many fields: up to and including its LF.
// False when the data ends first.
bool SkipLine(BUFFILE& file) {
    for (;;) {
        std::span<const unsigned char> run = file.Buffered();
        if (run.empty()) return false;
        for (size_t i = 0; i < run.size(); ++i) {
            if (run[i] == kLf) {
                file.TakeBuffered(i + 1);
                return true;
            }
            if (run[i] == kSub) return false;
        }
        file.TakeBuffered(run.size());
    }
}

}  // namespace

int ReadCsvLine(CsvTable& t, BUFFILE& file) {
    if (t.dataEnded_ || t.overflowed_) return kCsvEndOfData;
    if (!t.lineFirst_) {  // not prepared by ReadCsvFile
        t.overflowed_ = true;
        return kCsvEndOfData;
    }
    char* const pool = t.pool_.get();
    uint32_t* const slots = t.slotBegin_.get();
    const uint32_t poolCapacity = t.poolCapacity_;
    const uint32_t slotCapacity = t.slotCapacity_;
    const uint32_t maxFields = t.maxFields_;
    // Slot 0 of this line begins at the pool position: the entry after the
    // last line's slots already says so.
    const uint32_t lineStart = t.lineFirst_[t.lineCount_];
    uint32_t pos = t.poolPosition_;
    uint32_t field = 0;   // index of the field being read
    uint32_t filled = 0;  // slots up to the last non-empty field so far
    bool hasData = false;
    int result = kCsvEndOfData;

    // The bytes are taken a buffer at a time (as ReadByte would give them),
    // so that the loop keeps its state in registers.
    for (bool lineEnded = false; !lineEnded;) {
        std::span<const unsigned char> run = file.Buffered();
        if (run.empty()) {
            t.dataEnded_ = true;
            break;
        }
        const unsigned char* const begin = run.data();
        const unsigned char* const end = begin + run.size();
        const unsigned char* p = begin;
        while (p < end) {
            // A stretch of field bytes (every byte with a meaning is at
            // most ',').  A field past the last slot (a line of exactly
            // maxFields commas) has nowhere to go: the line counts, but
            // that field is dropped.
            if (*p > kComma) {
                hasData = true;
                if (field < maxFields) {
                    // The pool has room for the whole run (and the slack a
                    // block copy may write past it), or the file grew.
                    if (poolCapacity - pos < static_cast<size_t>(end - p) + CsvTable::kPoolSlack) {
                        t.overflowed_ = true;
                        return kCsvEndOfData;
                    }
                    char* out = pool + pos;
                    p = CopyFieldBytes(p, end, out);
                    pos = static_cast<uint32_t>(out - pool);
                    filled = field + 1;
                } else {
                    while (p < end && *p > kComma) ++p;
                }
                if (p == end) break;
            }
            const int c = *p++;
            if (c == kComma) {
                if (++field > maxFields) {
                    // Too many fields: not a record.  Skip to its LF; the
                    // pool position and line count stay as they were.
                    file.TakeBuffered(static_cast<size_t>(p - begin));
                    if (SkipLine(file)) return 0;
                    t.dataEnded_ = true;
                    return kCsvEndOfData;
                }
                if (field < maxFields) {
                    uint32_t slot = lineStart + field;
                    if (slot >= slotCapacity) {
                        t.overflowed_ = true;
                        return kCsvEndOfData;
                    }
                    slots[slot] = pos;
                }
            } else if (c == kLf) {
                result = 0;
                lineEnded = true;
                break;
            } else if (c == kSub) {
                t.dataEnded_ = true;
                lineEnded = true;
                break;
            } else if (c != kCr) {  // a field byte below ','
                hasData = true;
                if (field < maxFields) {
                    if (pos == poolCapacity) {
                        t.overflowed_ = true;
                        return kCsvEndOfData;
                    }
                    pool[pos++] = static_cast<char>(c);
                    filled = field + 1;
                }
            }
        }
        file.TakeBuffered(static_cast<size_t>(p - begin));
    }

    if (hasData) {
        uint32_t end = lineStart + filled;
        if (t.lineCount_ >= t.lineCapacity_ || end >= slotCapacity) {
            t.overflowed_ = true;
            return kCsvEndOfData;
        }
        slots[end] = pos;
        t.lineFirst_[++t.lineCount_] = end;
        t.poolPosition_ = pos;
    }
    return result;
}
