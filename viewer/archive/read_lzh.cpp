// LZH archives through liblhasa.  The archive is held in memory and read
// through a counting stream, so that the position of every header is known:
// the name is taken from the raw header bytes, each entry's data is decoded
// straight from the bytes after its header (liblhasa's decoder keeps the
// CRC), and the bytes after the last entry show whether the archive ended
// well or was cut inside a header (liblhasa answers both with "no more
// entries").
#include "archive/gather.h"
#include "archive/lzh_header.h"
#include "archive/readers.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <lhasa.h>

namespace kissarchive {
namespace {

struct MemoryStream {
    const std::string* bytes;
    size_t pos = 0;
};

int ReadStream(void* handle, void* buffer, size_t size) {
    auto* s = static_cast<MemoryStream*>(handle);
    size = std::min({size, s->bytes->size() - s->pos, static_cast<size_t>(INT_MAX)});
    std::memcpy(buffer, s->bytes->data() + s->pos, size);
    s->pos += size;
    return static_cast<int>(size);
}

int SkipStream(void* handle, size_t size) {
    auto* s = static_cast<MemoryStream*>(handle);
    if (size > s->bytes->size() - s->pos) return 0;
    s->pos += size;
    return 1;
}

const LHAInputStreamType kMemoryStreamType = {ReadStream, SkipStream, nullptr};

// The compressed data of one entry, for liblhasa's decoder.
struct DataSource {
    const char* next;
    size_t left;
};

size_t ReadData(void* buffer, size_t size, void* handle) {
    auto* d = static_cast<DataSource*>(handle);
    size = std::min(size, d->left);
    std::memcpy(buffer, d->next, size);
    d->next += size;
    d->left -= size;
    return size;
}

LHADecoderType* DecoderFor(const char* method) {
    char name[6];
    std::memcpy(name, method, 5);
    name[5] = '\0';
    return lha_decoder_for_name(name);
}

struct Decoder {
    LHADecoder* d;
    ~Decoder() {
        if (d) lha_decoder_free(d);
    }
};

struct Lhasa {
    LHAInputStream* stream = nullptr;
    LHAReader* reader = nullptr;
    ~Lhasa() {
        if (reader) lha_reader_free(reader);
        if (stream) lha_input_stream_free(stream);
    }
};

// One entry: its name, type and data, checked against its length and CRC.
// The data is decoded here from `data` (the bytes after the header); the
// reader then skips it.
bool ReadEntry(const LHAFileHeader& h, std::string_view raw, std::string_view data, Gatherer& gather) {
    EntryType type = EntryType::File;
    if (h.symlink_target)
        type = EntryType::Link;
    else if (std::strncmp(h.compress_method, LHA_COMPRESS_TYPE_DIR, 5) == 0)
        type = EntryType::Directory;
    const std::string stored = LzhHeaderName(raw);
    std::string name;
    const bool text = LzhNameToUtf8(stored, name);
    // In UTF-8 a backslash can only be a folder separator (made on DOS).
    for (char& c : name)
        if (c == '\\') c = '/';
    if (!gather.Begin(text ? name : stored, type)) return false;
    if (!text) gather.Refuse(Why::NameNotText, "the name is neither Shift-JIS nor UTF-8");
    if (type != EntryType::File) {
        gather.End();
        return true;
    }
    LHADecoderType* method = DecoderFor(h.compress_method);
    if (!method) {
        gather.Refuse(Why::UnknownMethod, "unknown compression method " + std::string(h.compress_method, 5));
        gather.End();
        return true;
    }
    if (!gather.Expect(h.length)) return false;
    DataSource source{data.data(), data.size()};
    Decoder decoder{lha_decoder_new(method, ReadData, &source, h.length)};
    if (!decoder.d) return gather.Fail(Failure::Damaged, "cannot decode " + stored);
    uint8_t buffer[65536];
    for (;;) {
        const size_t n = lha_decoder_read(decoder.d, buffer, sizeof buffer);
        if (n == 0) break;
        if (!gather.Append(reinterpret_cast<const char*>(buffer), n)) return false;
    }
    if (lha_decoder_get_length(decoder.d) != h.length)
        return gather.Fail(Failure::Damaged, "the data of " + stored + " is cut short or broken");
    if (lha_decoder_get_crc(decoder.d) != h.crc) return gather.Fail(Failure::Damaged, "CRC error in " + stored);
    gather.End();
    return true;
}

}  // namespace

bool LooksLikeLzh(std::string_view head) {
    if (head.size() >= 2 && head[0] == 'M' && head[1] == 'Z') return true;
    if (head.size() < 7 || head[2] != '-' || head[6] != '-') return false;
    const std::string_view kind = head.substr(3, 2);
    return kind == "lh" || kind == "lz" || kind == "pm";
}

ReadResult ReadLzh(const std::string& bytes, bool& found) {
    ReadResult result;
    Gatherer gather(result);
    found = false;
    MemoryStream memory{&bytes};
    Lhasa lhasa;
    lhasa.stream = lha_input_stream_new(&kMemoryStreamType, &memory);
    if (lhasa.stream) lhasa.reader = lha_reader_new(lhasa.stream);
    if (!lhasa.reader) {
        gather.Fail(Failure::Damaged, "cannot start reading the archive");
        return result;
    }
    lha_reader_set_dir_policy(lhasa.reader, LHA_READER_DIR_PLAIN);
    size_t end = 0;  // where the data of the last entry ends
    for (;;) {
        LHAFileHeader* h = lha_reader_next_file(lhasa.reader);
        if (!h) break;
        found = true;
        // liblhasa has read exactly the header: its raw bytes end here.
        const size_t headerEnd = memory.pos;
        if (h->raw_data_len > headerEnd) {
            gather.Fail(Failure::Damaged, "broken header");
            return result;
        }
        const std::string_view raw(bytes.data() + headerEnd - h->raw_data_len, h->raw_data_len);
        const std::string_view data = std::string_view(bytes).substr(headerEnd, h->compressed_length);
        if (!ReadEntry(*h, raw, data, gather)) return result;
        end = headerEnd + h->compressed_length;
    }
    // The archive ends with a zero byte, with the file, or with the padding
    // of old file transfers (0x1A); anything else there is a header liblhasa
    // could not read.
    if (!found) {
        if (!bytes.empty() && bytes[0] != '\0') gather.Fail(Failure::Damaged, "no readable LZH header");
    } else if (end < bytes.size() && bytes[end] != '\0' &&
               bytes.find_first_not_of('\x1A', end) != std::string::npos) {
        gather.Fail(Failure::Damaged, "a broken header after the last entry read");
        return result;
    }
    if (result.failure == Failure::None) gather.Succeed();
    return result;
}

}  // namespace kissarchive
