#include "fuzz_input_file.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzzinput {
namespace {

struct TempFile {
    std::string name;
    TempFile() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tansu-fuzz-XXXXXX";
        int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        ::close(fd);
        name = pattern;
    }
    ~TempFile() { ::unlink(name.c_str()); }
};

}  // namespace

const std::string& WriteInput(const uint8_t* data, size_t size) {
    static TempFile file;
    FILE* f = std::fopen(file.name.c_str(), "wb");
    if (!f) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
    return file.name;
}

}  // namespace fuzzinput
