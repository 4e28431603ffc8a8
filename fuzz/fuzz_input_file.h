// The fuzzers' input as a file: one private temporary file per process,
// rewritten for every input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzinput {

// Writes the bytes to the process's temporary file and returns its name.
const std::string& WriteInput(const uint8_t* data, size_t size);

}  // namespace fuzzinput
