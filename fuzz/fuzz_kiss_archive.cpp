// Any bytes as a set's archive: reading never crashes, and whatever it
// accepts keeps the unpacking rules - every entry has a safe relative path,
// the limits hold, a failure carries no entries - and reads the same twice.
#include "archive/extract.h"
#include "fuzz_check.h"
#include "fuzz_input_file.h"

#include <string>

using fuzzcheck::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = fuzzinput::WriteInput(data, size);
    const kissarchive::ReadResult r = kissarchive::ReadArchive(path);
    if (!r.ok) {
        Check(r.failure != kissarchive::Failure::None && !r.error.empty());
        Check(r.entries.empty() && r.refused.empty());
        return 0;
    }
    Check(r.failure == kissarchive::Failure::None);
    Check(static_cast<int>(r.entries.size() + r.refused.size()) <= kissarchive::kMaxEntries);
    long long total = 0;
    for (const auto& e : r.entries) {
        kissarchive::Refusal why;
        Check(!e.path.empty() && kissarchive::SafeRelativePath(e.path, why) == e.path);
        Check(e.path.find('\\') == std::string::npos);  // no "\" left to become a separator later
        Check(static_cast<long long>(e.data.size()) <= kissarchive::kMaxEntryBytes);
        Check(!e.directory || e.data.empty());
        total += static_cast<long long>(e.data.size());
    }
    Check(total <= kissarchive::kMaxTotalBytes);
    for (const auto& refusal : r.refused) Check(!refusal.reason.empty());
    const kissarchive::ReadResult again = kissarchive::ReadArchive(path);
    Check(again.ok && again.entries.size() == r.entries.size() && again.refused.size() == r.refused.size());
    return 0;
}
