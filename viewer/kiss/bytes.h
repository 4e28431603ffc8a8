// Little helpers for the binary KiSS files: bounds-checked little-endian
// reads from a byte view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kiss {

using Bytes = std::string_view;

inline unsigned Byte(Bytes b, size_t at) { return static_cast<unsigned char>(b[at]); }

inline unsigned Word(Bytes b, size_t at) { return Byte(b, at) | (Byte(b, at + 1) << 8); }

// True when the data starts with the "KiSS" signature of the headed forms.
inline bool HasKissHeader(Bytes b) { return b.size() >= 32 && b.substr(0, 4) == "KiSS"; }

}  // namespace kiss
