// Looking through a KiSS folder of 2,000 sets, each an archive with its
// description file in a folder of its own, for the sets a catalog lacks:
// all 2,000 new, and all 2,000 listed already (the catalog's names then
// decide and no description is read).
#include "scan/new_sets.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSets = 2000;

std::string Description(int n) {
    std::string f = "------------------------------------------------------------\r\n";
    f += "\x83\x66\x81\x5B\x83\x5E\x96\xBC\x81\x46" "KISS DOLL\r\n";
    f += "\x81\x40\x81\x40\x81\x40\x49\x44\x81\x46" "GCA01234\r\n";
    f += "\x93\x6F\x98\x5E\x93\xFA\x95\x74\x81\x46" "97/05/12\r\n";
    f += "\x81\x40\x81\x40\x91\xAE\x90\xAB\x81\x46" "BIN\r\n";
    f += "\x81\x40\x83\x6F\x83\x43\x83\x67\x81\x46" "48213\r\n";
    f += "\x81\x40\x81\x40\x8E\x51\x8F\xC6\x81\x46" "0\r\n\r\n";
    f += "\x81\x79\x96\xBC\x81\x40\x8F\xCC\x81\x7A" "Doll number " + std::to_string(n) + "\r\n";
    f += "\x81\x79\x93\x6F\x98\x5E\x96\xBC\x81\x7A" "SET" + std::to_string(n) + ".LZH\r\n";
    f += "\x81\x79\x90\xA7\x8D\xEC\x8E\xD2\x96\xBC\x81\x7A" "Hana\r\n";
    f += "\r\n" + std::string(600, 'x') + "\r\n";  // the set's story
    return f;
}

struct KissFolder {
    std::string os = (std::filesystem::temp_directory_path() / ("tansu-bench-scan-" + std::to_string(::getpid()))).string();
    std::string system = "Z:" + os + "/";
    CatalogNames all;

    KissFolder() {
        for (char& c : system)
            if (c == '/') c = '\\';
        for (int n = 0; n < kSets; ++n) {
            const std::string folder = "SET" + std::to_string(n);
            std::filesystem::create_directories(os + "/" + folder);
            std::ofstream(os + "/" + folder + "/" + folder + ".LZH", std::ios::binary)
                << std::string("\x22\x00-lh5-", 7) << std::string(20000, 'z');
            std::ofstream(os + "/" + folder + "/" + folder + ".TXT", std::ios::binary) << Description(n);
            all.Add(folder, folder + ".lzh");
        }
    }
    ~KissFolder() { std::filesystem::remove_all(os); }
};

KissFolder& Folder() {
    static KissFolder folder;
    return folder;
}

void Scan(benchmark::State& state, const CatalogNames& listed, size_t expected) {
    KissFolder& k = Folder();
    for (auto _ : state) {
        std::optional<NewSetsFound> found = FindNewSets(k.system, listed);
        if (!found || found->sets.size() != expected) state.SkipWithError("unexpected result");
    }
    state.counters["sets"] = kSets;
}

void BM_ScanAllNew(benchmark::State& state) { Scan(state, CatalogNames(), kSets); }
void BM_ScanAllListed(benchmark::State& state) { Scan(state, Folder().all, 0); }
BENCHMARK(BM_ScanAllNew)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanAllListed)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
