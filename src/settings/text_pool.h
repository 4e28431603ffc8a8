// Storage for the settings texts: texts are appended and never removed or
// moved while the pool lives, so a pointer to a kept text stays valid.  The
// pool starts with one block of 16,000 bytes and chains further blocks when
// that is full; a text too large for a block gets a block of its own.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class TextPool {
public:
    static constexpr size_t kBlockSize = 16000;

    TextPool();
    TextPool(const TextPool&) = delete;
    TextPool& operator=(const TextPool&) = delete;

    // Copies `length` bytes and an ending zero; returns the copy.
    char* Keep(const char* bytes, size_t length);
    // Copies a zero-ended text (a null text as the empty text).
    char* Keep(const char* text);

    size_t BlockCount() const { return blocks_.size(); }
    size_t BytesUsed() const { return used_; }

private:
    char* NewBlock(size_t size);

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* fill_;  // first free byte of the current block
    char* end_;   // end of the current block
    size_t used_ = 0;
};
