#include "settings/text_pool.h"

#include <cstring>

TextPool::TextPool() {
    fill_ = NewBlock(kBlockSize);
    end_ = fill_ + kBlockSize;
}

char* TextPool::NewBlock(size_t size) {
    blocks_.emplace_back(new char[size]);
    return blocks_.back().get();
}

char* TextPool::Keep(const char* bytes, size_t length) {
    size_t need = length + 1;
    char* copy;
    if (need <= static_cast<size_t>(end_ - fill_)) {
        copy = fill_;
        fill_ += need;
    } else if (need > kBlockSize / 4) {
        // A large text gets a block of its own; the current block keeps
        // taking the small ones.
        copy = NewBlock(need);
    } else {
        copy = NewBlock(kBlockSize);
        fill_ = copy + need;
        end_ = copy + kBlockSize;
    }
    if (length > 0) std::memcpy(copy, bytes, length);
    copy[length] = '\0';
    used_ += need;
    return copy;
}

char* TextPool::Keep(const char* text) {
    if (text == nullptr) return Keep("", 0);
    return Keep(text, std::strlen(text));
}
