#include "kiss/wave.h"

namespace kiss {
namespace {

uint32_t Dword(Bytes b, size_t at) { return Word(b, at) | (static_cast<uint32_t>(Word(b, at + 2)) << 16); }

}  // namespace

std::optional<Wave> ReadWave(Bytes data) {
    if (data.size() < 12 || data.substr(0, 4) != "RIFF" || data.substr(8, 4) != "WAVE") return std::nullopt;
    std::optional<Wave> format;
    size_t at = 12;
    while (at + 8 <= data.size()) {
        const Bytes id = data.substr(at, 4);
        const size_t size = Dword(data, at + 4);
        const size_t body = at + 8;
        const size_t available = data.size() - body;
        if (id == "fmt ") {
            if (size < 16 || available < 16) return std::nullopt;
            if (Word(data, body) != 1) return std::nullopt;  // PCM only
            Wave w;
            w.channels = static_cast<int>(Word(data, body + 2));
            w.sampleRate = static_cast<int>(Dword(data, body + 4) & 0x7FFFFFFF);
            w.bitsPerSample = static_cast<int>(Word(data, body + 14));
            if (w.channels < 1 || w.channels > 2 || (w.bitsPerSample != 8 && w.bitsPerSample != 16) ||
                w.sampleRate < 1000 || w.sampleRate > 192000)
                return std::nullopt;
            format = w;
        } else if (id == "data" && format) {
            const size_t frame = static_cast<size_t>(format->channels) * (format->bitsPerSample / 8);
            size_t length = size < available ? size : available;  // a file cut short plays what it has
            length -= length % frame;
            format->samples = data.substr(body, length);
            return format;
        }
        if (size > available) return std::nullopt;
        at = body + size + (size & 1);  // chunks are padded to even sizes
    }
    return std::nullopt;
}

}  // namespace kiss
