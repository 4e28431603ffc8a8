// tansu-kiss-testset: writes the generated KiSS sets.
//   tansu-kiss-testset lzh OUT.LZH        the demonstration set, stored LZH
//   tansu-kiss-testset zip OUT.ZIP        the same as ZIP
//   tansu-kiss-testset fkiss OUT.LZH      the script test set
//   tansu-kiss-testset large N OUT.LZH    a set of N cels, for timing
#include "tools/test_set.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    std::string bytes;
    std::string out;
    if ((what == "lzh" || what == "zip") && argc == 3) {
        auto files = kisstools::MakeDemoSet();
        bytes = what == "lzh" ? kisstools::WriteLzh(files, 1) : kisstools::WriteZip(files);
        out = argv[2];
    } else if (what == "fkiss" && argc == 3) {
        bytes = kisstools::WriteLzh(kisstools::MakeFkissSet(), 1);
        out = argv[2];
    } else if (what == "large" && argc == 4) {
        bytes = kisstools::WriteLzh(kisstools::MakeLargeSet(std::atoi(argv[2])), 0);
        out = argv[3];
    } else {
        std::fprintf(stderr, "usage: tansu-kiss-testset lzh|zip|fkiss OUT, or large N OUT\n");
        return 2;
    }
    std::ofstream file(out, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
