// What every archive reader shares: the entries are gathered one by one
// under the limits and the naming rules, into a ReadResult.
#pragma once

#include "archive/extract.h"

#include <cstddef>
#include <string>

namespace kissarchive {

enum class EntryType { File, Directory, Link, Other };

class Gatherer {
public:
    explicit Gatherer(ReadResult& result) : result_(result) {}

    // Starts the next entry; false (the read failed) past the entry limit.
    bool Begin(const std::string& utf8Name, EntryType type);
    // Leaves the current entry out, whatever its name.
    void Refuse(Why why, const std::string& reason);
    // The current entry will hold `size` bytes: false (the read failed)
    // when that is past a limit.
    bool Expect(size_t size);
    // Data of the current entry, kept unless it is refused; false (the read
    // failed) past a size limit.  Refused entries are read all the same, so
    // that a damaged archive is found out before anything is written.
    bool Append(const char* data, size_t size);
    // The current entry is complete.
    void End();

    // The read failed: returns false, for `return Fail(...)`.
    bool Fail(Failure failure, const std::string& detail);
    // The read ended well.
    void Succeed() { result_.ok = true; }

private:
    ReadResult& result_;
    Entry entry_;
    Refusal refusal_;
    bool refused_ = false;
    long long entryBytes_ = 0;
    long long total_ = 0;
};

}  // namespace kissarchive
