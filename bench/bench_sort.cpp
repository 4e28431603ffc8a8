// Sorting a 100,000-record catalog in the catalog grid, by title (text)
// and by size (number), from a random and from the reverse order, each
// with the grid's one repaint; and, for comparison, the whole process of
// GNU sort ordering the same Shift-JIS file by its title field
// (LC_ALL=C sort -s -t, -k3,3).
#include "bench_main.h"
#include "app/grid_rows.h"
#include "catalog/catalog_sort.h"
#include "catalog/csv_reader.h"
#include "catalog/csv_table.h"
#include "controls/CmbGrid.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kRecords = 100000;
constexpr int kTitle = 3;  // grid column; field 3 of a file line
constexpr int kSize = 7;

struct Record {
    std::string line;  // the seven stored fields, comma-separated
    std::string title;
    int size;
};

// Titles of Japanese words in cp932 with a number, many sharing a start.
std::vector<Record> MakeRecords() {
    const char* const words[] = {"着せ替え", "人形", "ドレス", "夏服", "ｻﾝﾌﾟﾙ", "Kisekae", "浴衣", "制服", "魔法少女", "セット"};
    std::mt19937 rng(7);
    std::vector<Record> records;
    records.reserve(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        Record r;
        for (int w = 0; w < 3; ++w) r.title += words[rng() % 10];
        r.title += std::to_string(rng() % 1000);
        r.size = static_cast<int>(rng() % 2000000);
        const std::string n = std::to_string(i);
        r.line = "SET" + n + ",S" + n + ".LZH," + r.title + ",作者" + std::to_string(rng() % 300) + ",GCA0" +
                 std::to_string(1000 + rng() % 9000) + ",1997/05/12," + std::to_string(r.size);
        records.push_back(std::move(r));
    }
    return records;
}

struct Catalog {
    std::vector<Record> records = MakeRecords();
    std::string folder;
    std::string randomFile, reverseTitleFile;
    // Record numbers (index into `records`) of each starting order.
    std::vector<int> random, reverseTitle, reverseSize;
    TComboGrid* grid = nullptr;

    Catalog() {
        folder = (std::filesystem::temp_directory_path() / ("tansu-bench-sort-" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(folder);
        random.resize(kRecords);
        std::iota(random.begin(), random.end(), 0);
        reverseTitle = random;
        std::stable_sort(reverseTitle.begin(), reverseTitle.end(),
                         [&](int a, int b) { return records[size_t(a)].title > records[size_t(b)].title; });
        reverseSize = random;
        std::stable_sort(reverseSize.begin(), reverseSize.end(),
                         [&](int a, int b) { return records[size_t(a)].size > records[size_t(b)].size; });
        randomFile = Write("random.csv", random);
        reverseTitleFile = Write("reverse-title.csv", reverseTitle);
        Load();
    }
    ~Catalog() { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::vector<int>& order) {
        std::string path = folder + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out << "DIR,LZH_FILE,TITLE,AUTHOR,NIF_ID,DATE,BYTE\r\n";
        for (int i : order) out << records[size_t(i)].line << "\r\n";
        return path;
    }

    // The random file into a shown catalog grid, as the main window loads
    // it; column 0 holds each record's number from 0.
    void Load() {
        CsvTable table;
        if (ReadCsvFile(table, randomFile.c_str()) != 0) std::abort();
        grid = new TComboGrid(nullptr);
        grid->SetBounds(0, 0, 534, 450);
        grid->SetColCount(8);
        grid->SetRowCount(static_cast<int>(table.LineCount()));
        grid->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected |
                         goColSizing | goRowMoving | goRowSelect);
        for (uint32_t line = 1; line < table.LineCount(); ++line) {
            const int row = static_cast<int>(line);
            grid->SetCell(0, row, std::to_string(row - 1));
            for (int c = 1; c < 8; ++c) grid->SetCell(c, row, std::string(table.FieldText(line, uint32_t(c - 1))));
        }
        grid->Widget()->show();
        QApplication::processEvents();
    }

    // Puts the grid's rows in the given order of records (not timed).
    void Arrange(const std::vector<int>& order) {
        std::vector<int> rowOf(kRecords);
        for (int r = 1; r <= kRecords; ++r) rowOf[size_t(std::stoi(grid->Cells(0, r)))] = r;
        std::vector<int> permutation(kRecords + 1, 0);
        for (int r = 1; r <= kRecords; ++r) permutation[size_t(r)] = rowOf[size_t(order[size_t(r - 1)])];
        grid->ReorderRows(permutation);
        QApplication::processEvents();
    }
};

Catalog& TheCatalog() {
    static Catalog catalog;
    return catalog;
}

void Sort(benchmark::State& state, const std::vector<int>& start, int column) {
    Catalog& catalog = TheCatalog();
    GridRows rows(*catalog.grid);
    for (auto _ : state) {
        state.PauseTiming();
        catalog.Arrange(start);
        state.ResumeTiming();
        if (column == kSize) SortByNumber(rows, column);
        else SortByText(rows, column);
        QApplication::processEvents();  // the one repaint
    }
    state.counters["records"] = kRecords;
}

void BM_SortTitleRandom(benchmark::State& state) { Sort(state, TheCatalog().random, kTitle); }
void BM_SortTitleReverse(benchmark::State& state) { Sort(state, TheCatalog().reverseTitle, kTitle); }
void BM_SortSizeRandom(benchmark::State& state) { Sort(state, TheCatalog().random, kSize); }
void BM_SortSizeReverse(benchmark::State& state) { Sort(state, TheCatalog().reverseSize, kSize); }

// The whole GNU sort process on the file, output thrown away.
void GnuSort(benchmark::State& state, const std::string& file) {
    std::vector<std::string> env = {"LC_ALL=C"};
    for (char** e = environ; *e; ++e)
        if (std::string_view(*e).substr(0, 3) != "LC_" && std::string_view(*e).substr(0, 5) != "LANG=") env.push_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string args[] = {"sort", "-s", "-t,", "-k3,3", file};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    // The child's processor time (all its threads), beside the wall time.
    double childCpu = 0;
    for (auto _ : state) {
        pid_t pid;
        if (posix_spawnp(&pid, "sort", &actions, nullptr, argv, envp.data()) != 0) {
            state.SkipWithError("GNU sort cannot be started");
            break;
        }
        int status = 0;
        struct rusage usage {};
        wait4(pid, &status, 0, &usage);
        childCpu += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("GNU sort failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["records"] = kRecords;
    state.counters["child_cpu_ms"] = benchmark::Counter(childCpu * 1000, benchmark::Counter::kAvgIterations);
}

void BM_GnuSortTitleRandom(benchmark::State& state) { GnuSort(state, TheCatalog().randomFile); }
void BM_GnuSortTitleReverse(benchmark::State& state) { GnuSort(state, TheCatalog().reverseTitleFile); }

// The parts of a sort: reading 100,000 titles from the grid, and moving
// every row at once with the repaint that follows.
void BM_ReadTitles(benchmark::State& state) {
    Catalog& catalog = TheCatalog();
    GridRows rows(*catalog.grid);
    catalog.Arrange(catalog.random);
    for (auto _ : state) {
        size_t total = 0;
        for (int r = 1; r <= kRecords; ++r) total += rows.Cell(kTitle, r).size();
        benchmark::DoNotOptimize(total);
    }
}
void BM_ReorderAndPaint(benchmark::State& state) {
    Catalog& catalog = TheCatalog();
    std::vector<int> p(kRecords + 1);
    std::iota(p.begin(), p.end(), 0);
    std::shuffle(p.begin() + 1, p.end(), std::mt19937(3));
    for (auto _ : state) {
        catalog.grid->ReorderRows(p);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ReadTitles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReorderAndPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortTitleRandom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GnuSortTitleRandom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortTitleReverse)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GnuSortTitleReverse)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortSizeRandom)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortSizeReverse)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    if (RunRegisteredBenchmarks(argc, argv) != 0) return 1;
    delete TheCatalog().grid;
    return 0;
}
