// The lines and fields of one comma-separated file, as the catalog reader
// splits it.  Line 0 is the first line that counted (the catalog's heading
// line); the caller skips it.  Filled by ReadCsvFile (csv_reader.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

class BUFFILE;

class CsvTable {
public:
    // The catalog's table: 1024 lines of 20 fields and a 40960-byte pool.
    static constexpr uint32_t kCatalogMaxLines = 1024;
    static constexpr uint32_t kCatalogMaxFields = 20;
    static constexpr uint32_t kCatalogPoolSize = 40960;

    // `maxFields` is the number of field slots of a line: a line with more
    // commas than that is not read.  `maxLines` and `poolSize` are the least
    // capacity the table gets; a larger file is read whole all the same.
    explicit CsvTable(uint32_t maxLines = kCatalogMaxLines, uint32_t maxFields = kCatalogMaxFields,
                      uint32_t poolSize = kCatalogPoolSize);
    CsvTable(const CsvTable&) = delete;
    CsvTable& operator=(const CsvTable&) = delete;

    // Bytes the pool has beyond what the reader stores, for block copies.
    static constexpr uint32_t kPoolSlack = 16;

    uint32_t MaxLines() const { return maxLines_; }
    uint32_t MaxFields() const { return maxFields_; }
    uint32_t PoolSize() const { return poolSize_; }

    // Lines that counted, the heading line included.
    uint32_t LineCount() const { return lineCount_; }

    // Slots of `line` up to its last non-empty field; every later field is
    // absent.
    uint32_t FieldCount(uint32_t line) const;

    // The text of field `field` (from 0) of `line`, or nullopt when the
    // field is absent (empty) or beyond the table.  A field is never empty
    // when present and may hold any byte but comma, CR, LF and 0x1A, NUL
    // included.  The view lives as long as the table is not read again.
    std::optional<std::string_view> Field(uint32_t line, uint32_t field) const;

    // The same with an absent field as an empty text.
    std::string_view FieldText(uint32_t line, uint32_t field) const {
        return Field(line, field).value_or(std::string_view());
    }

private:
    friend int ReadCsvFile(CsvTable& table, const char* fileName);
    friend int ReadCsvLine(CsvTable& table, BUFFILE& file);

    // Allocates the storage once for a file of `fileSize` bytes; false when
    // there is no memory for it.
    bool Allocate(uint64_t fileSize);
    void Release();

    uint32_t maxLines_;
    uint32_t maxFields_;
    uint32_t poolSize_;
    uint32_t lineCount_ = 0;

    // Storage, compact so that even a file of nothing but one-byte lines
    // costs a small multiple of its size:
    //   pool_       the field texts one after the other, without separators;
    //   slotBegin_  one pool offset per stored slot: where the slot's text
    //               starts.  A slot's text ends where the next slot's starts,
    //               so an absent field is a slot of length 0.  After the
    //               last line's slots one more entry holds the pool's fill;
    //   lineFirst_  per line the index of its first slot; line n's slots are
    //               lineFirst_[n] .. lineFirst_[n + 1] - 1.  A line keeps its
    //               slots only up to its last non-empty field.
    // Slot (line, field) is thus two array reads away.  For a file of S
    // bytes the reader needs at most S pool bytes (field bytes are file
    // bytes), S + 1 slots (every slot but a line's sentinel stands for a
    // comma or the first byte of a field) and (S + 1) / 2 lines (a line that
    // counts holds a data byte and, but for the last, an LF).  Allocate
    // reserves that (or the caller's capacity, when larger) once: at most
    // 7 * S bytes plus a constant, of which only what the file fills is ever
    // touched; a typical catalog touches less than twice its size.
    std::unique_ptr<char[]> pool_;
    std::unique_ptr<uint32_t[]> slotBegin_;
    std::unique_ptr<uint32_t[]> lineFirst_;
    uint32_t poolCapacity_ = 0;
    uint32_t slotCapacity_ = 0;  // entries of slotBegin_
    uint32_t lineCapacity_ = 0;  // lines; lineFirst_ has one entry more
    uint32_t poolPosition_ = 0;  // where the next field text goes
    bool dataEnded_ = false;     // end of input or 0x1A reached
    bool overflowed_ = false;    // the file outgrew the storage while read
};
