#include "editor/txtfile.h"

namespace {
constexpr int kCr = '\r';
constexpr int kLf = '\n';
constexpr int kSub = 0x1A;
}  // namespace

bool TXTFILE::OpenRead(const char* fileName) {
    EndOfText = false;
    return BUFFILE::OpenRead(fileName);
}

size_t TXTFILE::ReadLine(char* buffer, size_t limit) {
    if (limit == 0) return 0;
    size_t stored = 0;
    if (!EndOfText) {
        for (size_t taken = 0; taken < limit - 1; ++taken) {
            int c = ReadByte();
            if (c == EndOfInput || c == kSub) {
                EndOfText = true;
                break;
            }
            if (c == kCr) continue;
            buffer[stored++] = static_cast<char>(c);
            if (c == kLf) break;
        }
    }
    buffer[stored] = '\0';
    return stored;
}
