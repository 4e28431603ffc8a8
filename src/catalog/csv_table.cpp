#include "catalog/csv_table.h"

#include <algorithm>
#include <new>

namespace {
// Pool offsets and slot indices are 32-bit; a file must leave room for the
// sentinels.
constexpr uint64_t kLargestIndex = 0xFFFFFF00u;
}  // namespace

CsvTable::CsvTable(uint32_t maxLines, uint32_t maxFields, uint32_t poolSize)
    : maxLines_(maxLines), maxFields_(maxFields), poolSize_(poolSize) {}

uint32_t CsvTable::FieldCount(uint32_t line) const {
    if (line >= lineCount_) return 0;
    return lineFirst_[line + 1] - lineFirst_[line];
}

std::optional<std::string_view> CsvTable::Field(uint32_t line, uint32_t field) const {
    if (line >= lineCount_) return std::nullopt;
    uint32_t first = lineFirst_[line];
    if (field >= lineFirst_[line + 1] - first) return std::nullopt;
    uint32_t slot = first + field;
    uint32_t begin = slotBegin_[slot];
    uint32_t end = slotBegin_[slot + 1];
    if (end == begin) return std::nullopt;
    return std::string_view(pool_.get() + begin, end - begin);
}

void CsvTable::Release() {
    pool_.reset();
    slotBegin_.reset();
    lineFirst_.reset();
    poolCapacity_ = slotCapacity_ = lineCapacity_ = 0;
    poolPosition_ = 0;
    lineCount_ = 0;
    dataEnded_ = false;
    overflowed_ = false;
}

bool CsvTable::Allocate(uint64_t fileSize) {
    Release();
    // See the bounds in the header: the caller's capacity, or what a file of
    // this size can need, whichever is larger.
    uint64_t pool = std::max<uint64_t>(poolSize_, fileSize) + kPoolSlack;
    uint64_t slots = std::max<uint64_t>(uint64_t{maxLines_} * maxFields_, fileSize) + 2;
    uint64_t lines = std::max<uint64_t>(maxLines_, fileSize / 2 + 1);
    if (pool > kLargestIndex || slots > kLargestIndex || lines > kLargestIndex) return false;
    try {
        pool_ = std::make_unique_for_overwrite<char[]>(pool);
        slotBegin_ = std::make_unique_for_overwrite<uint32_t[]>(slots);
        lineFirst_ = std::make_unique_for_overwrite<uint32_t[]>(lines + 1);
    } catch (const std::bad_alloc&) {
        Release();
        return false;
    }
    poolCapacity_ = static_cast<uint32_t>(pool);
    slotCapacity_ = static_cast<uint32_t>(slots);
    lineCapacity_ = static_cast<uint32_t>(lines);
    lineFirst_[0] = 0;
    slotBegin_[0] = 0;
    return true;
}
