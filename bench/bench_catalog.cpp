// Reading a catalog of 100,000 records, beside the plain block read of the
// same bytes that any reader has to do (the floor), and saving it.
#include "catalog/catalog_check.h"
#include "catalog/csv_reader.h"
#include "catalog/csv_writer.h"
#include "platform/os_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string MakeCatalog(size_t records) {
    std::string out = "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
    for (size_t i = 0; i < records; ++i) {
        std::string n = std::to_string(i);
        out += "kiss\\\x83\x5C\x83\x74\x83\x67\\" + std::to_string(i % 97);  // kiss\sofuto\<n>
        out += ",SET" + n + ".LZH,";
        out += "\x92\x85\x82\xB9\x91\xD6\x82\xA6\x81\x40\x91\xE6" + n + "\x8D\x86";  // kisekae, dai <n> gou
        out += ",\x8D\xEC\x8E\xD2" + std::to_string(i % 13);                        // sakusha <n>
        out += ",GHB0" + n + ",97/05/12," + std::to_string(10000 + i * 7) + "\r\n";
    }
    return out;
}

// The catalog in a temporary file for the whole run.
struct CatalogFile {
    std::string name;
    size_t size = 0;
    CatalogFile() {
        std::string pattern = "/tmp/tansu-bench-XXXXXX";
        int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        std::string bytes = MakeCatalog(100000);
        if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
        close(fd);
        name = pattern;
        size = bytes.size();
    }
    ~CatalogFile() { unlink(name.c_str()); }
};

const CatalogFile& Catalog() {
    static CatalogFile file;
    return file;
}

void BM_BlockReadFloor(benchmark::State& state) {
    const CatalogFile& file = Catalog();
    char buffer[1024];
    for (auto _ : state) {
        platform::FileHandle h = platform::OpenExistingForRead(platform::OsPath::FromOs(file.name));
        if (!h.IsOpen()) std::abort();
        size_t total = 0;
        for (long got; (got = platform::ReadBlock(h, buffer, sizeof buffer)) > 0;) {
            benchmark::DoNotOptimize(buffer);
            total += static_cast<size_t>(got);
        }
        platform::CloseFile(h);
        if (total != file.size) std::abort();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}
BENCHMARK(BM_BlockReadFloor)->Unit(benchmark::kMillisecond);

void BM_ReadCsvFile(benchmark::State& state) {
    const CatalogFile& file = Catalog();
    CsvTable table;
    for (auto _ : state) {
        if (ReadCsvFile(table, file.name.c_str()) != 0 || table.LineCount() != 100001) std::abort();
        benchmark::DoNotOptimize(table.FieldText(100000, 6));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}
BENCHMARK(BM_ReadCsvFile)->Unit(benchmark::kMillisecond);

// The second pass of every load: what the reading dropped or changed.
void BM_CheckCatalogFile(benchmark::State& state) {
    const CatalogFile& file = Catalog();
    for (auto _ : state) {
        if (CheckCatalogFile(file.name.c_str()).Any()) std::abort();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
}
BENCHMARK(BM_CheckCatalogFile)->Unit(benchmark::kMillisecond);

// Saving the catalog as the main window does: into a folder with a Japanese
// name ("/tmp/.../kisekae"), named by its system path, through the writer
// that replaces the file in one piece (the disk sync included).
void BM_SaveCsvFile(benchmark::State& state) {
    CsvTable table;
    if (ReadCsvFile(table, Catalog().name.c_str()) != 0) std::abort();
    std::string folder = "/tmp/tansu-bench-XXXXXX";
    if (!mkdtemp(folder.data())) std::abort();
    const std::string osFolder = folder + "/\xE7\x9D\x80\xE3\x81\x9B\xE6\x9B\xBF\xE3\x81\x88";  // kisekae, UTF-8
    if (mkdir(osFolder.c_str(), 0700) != 0) std::abort();
    std::string systemName = "Z:" + folder + "\\\x92\x85\x82\xB9\x91\xD6\x82\xA6\\Tansu.CSV";  // kisekae, cp932
    for (char& c : systemName)
        if (c == '/') c = '\\';
    auto fieldsOfRow = [&](size_t row, std::vector<std::string_view>& fields) {
        for (uint32_t f = 0; f < 7; ++f) fields.push_back(table.FieldText(static_cast<uint32_t>(row), f));
    };
    for (auto _ : state) {
        if (WriteCsvFile(systemName.c_str(), table.LineCount(), fieldsOfRow) != 0) std::abort();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Catalog().size));
    unlink((osFolder + "/Tansu.CSV").c_str());
    rmdir(osFolder.c_str());
    rmdir(folder.c_str());
}
BENCHMARK(BM_SaveCsvFile)->Unit(benchmark::kMillisecond);

// The file operations of a save without the records: what the path's
// conversions and the file system's calls cost on their own.
void BM_SaveEmptyCsvFile(benchmark::State& state) {
    std::string folder = "/tmp/tansu-bench-XXXXXX";
    if (!mkdtemp(folder.data())) std::abort();
    const std::string systemName = "Z:" + folder + "\\\x92\x85\x82\xB9\x91\xD6\x82\xA6.CSV";  // kisekae.CSV
    std::string systemPath = systemName;
    for (char& c : systemPath)
        if (c == '/') c = '\\';
    auto noFields = [](size_t, std::vector<std::string_view>&) {};
    for (auto _ : state) {
        if (WriteCsvFile(systemPath.c_str(), 0, noFields) != 0) std::abort();
    }
    unlink((folder + "/\xE7\x9D\x80\xE3\x81\x9B\xE6\x9B\xBF\xE3\x81\x88.CSV").c_str());
    rmdir(folder.c_str());
}
BENCHMARK(BM_SaveEmptyCsvFile)->Unit(benchmark::kMicrosecond);

// One conversion of a catalog's system path to its OS form (code page
// conversion and separators): what a save spent on each repeated one.
void BM_CatalogPathToOsForm(benchmark::State& state) {
    const std::string systemPath = "Z:\\home\\user\\\x92\x85\x82\xB9\x91\xD6\x82\xA6\\Tansu.CSV";  // kisekae
    for (auto _ : state) {
        auto os = platform::OsPath::FromSystem(systemPath);
        if (!os) std::abort();
        benchmark::DoNotOptimize(os->Text().data());
    }
}
BENCHMARK(BM_CatalogPathToOsForm)->Unit(benchmark::kMicrosecond);

}  // namespace
