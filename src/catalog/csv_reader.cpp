#include "catalog/csv_reader.h"

#include "settings/buffile.h"

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
    int result;

    for (;;) {
        int c = file.ReadByte();
        if (c <= kComma) {  // every byte with a meaning is at most ','
            if (c == kComma) {
                if (++field > maxFields) {
                    // Too many fields: not a record.  Skip to its LF; the
                    // pool position and line count stay as they were.
                    for (;;) {
                        c = file.ReadByte();
                        if (c == kLf) return 0;
                        if (c < 0 || c == kSub) {
                            t.dataEnded_ = true;
                            return kCsvEndOfData;
                        }
                    }
                }
                if (field < maxFields) {
                    uint32_t slot = lineStart + field;
                    if (slot >= slotCapacity) {
                        t.overflowed_ = true;
                        return kCsvEndOfData;
                    }
                    slots[slot] = pos;
                }
                continue;
            }
            if (c == kCr) continue;
            if (c == kLf) {
                result = 0;
                break;
            }
            if (c < 0 || c == kSub) {
                t.dataEnded_ = true;
                result = kCsvEndOfData;
                break;
            }
        }
        // A byte of a field.  A field past the last slot (a line of exactly
        // maxFields commas) has nowhere to go: the line counts, but that
        // field is dropped.
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
