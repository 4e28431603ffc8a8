// Reading and writing the program's own settings file: the eight keys with
// realistic paths, as the main window loads it at start and saves it at exit.
#include "settings/settings_keys.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const char kSettingsFile[] =
    "[FilePaths]\r\n"
    "DefaultCSV = C:\\KISS\\Catalog\\Tansu.CSV\r\n"
    "KISSDIR = C:\\KISS\\Sets\\\r\n"
    "KISSEXE = C:\\KISS\\Viewer\\WKISS32.EXE\r\n"
    "TMPDIR = C:\\KISS\\Work\\\r\n"
    "\r\n"
    "[FormPosition]\r\n"
    "Top = 120\r\n"
    "Left = 240\r\n"
    "Width = 534\r\n"
    "Height = 450\r\n";

// A private folder holding the settings file, made current for the run.
struct BenchFolder {
    BenchFolder() {
        char pattern[] = "/tmp/bench_settings.XXXXXX";
        if (!mkdtemp(pattern) || chdir(pattern) != 0) std::abort();
        path = pattern;
        FILE* f = std::fopen("Tansu.ini", "wb");
        if (!f) std::abort();
        std::fputs(kSettingsFile, f);
        std::fclose(f);
    }
    ~BenchFolder() {
        unlink("Tansu.ini");
        unlink("Saved.ini");
        if (chdir("/") == 0) rmdir(path.c_str());
    }
    std::string path;
};

// A fresh object each time: the pool of a kept object would grow with every
// load, as it only ever grows.
void BM_LoadSettingsFile(benchmark::State& state) {
    BenchFolder folder;
    for (auto _ : state) {
        INI ini;
        int result = ini.Load("Tansu.ini", SettingsSections, SettingsKeys);
        benchmark::DoNotOptimize(result);
        if (result != 0) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadSettingsFile);

void BM_SaveSettingsFile(benchmark::State& state) {
    BenchFolder folder;
    INI ini;
    ini.Load("Tansu.ini", SettingsSections, SettingsKeys);
    for (auto _ : state) {
        int result = ini.Save("Saved.ini");
        benchmark::DoNotOptimize(result);
        if (result != 0) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveSettingsFile);

}  // namespace
