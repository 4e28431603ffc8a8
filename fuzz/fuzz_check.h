// What the fuzzers share: the input seen as bytes, and a check whose
// failure stops the run where the fuzzer records the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace fuzzcheck {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

inline std::string_view InputBytes(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace fuzzcheck
