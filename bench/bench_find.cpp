// Finding a record in a 100,000-record catalog grid, as Ctrl+F does, with
// texts that no record holds, so that each search goes all the way round:
// Japanese (its bytes searched as they are), ASCII and full-width letters
// (every cell folded first).  And one that stops half-way.
#include "bench_main.h"
#include "app/grid_rows.h"
#include "catalog/record_search.h"
#include "controls/CmbGrid.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr int kRecords = 100000;

TComboGrid& Catalog() {
    static TComboGrid* grid = [] {
        const char* const words[] = {"着せ替え", "人形", "ドレス", "夏服", "ｻﾝﾌﾟﾙ", "Kisekae", "浴衣", "制服", "魔法少女", "セット"};
        std::mt19937 rng(7);
        auto* g = new TComboGrid(nullptr);
        g->SetBounds(0, 0, 534, 450);
        g->SetColCount(8);
        g->SetRowCount(kRecords + 1);
        for (int r = 1; r <= kRecords; ++r) {
            const std::string n = std::to_string(r);
            std::string title;
            for (int w = 0; w < 3; ++w) title += words[rng() % 10];
            const std::string cells[8] = {n, "SET" + n, "S" + n + ".LZH", title + n, "作者" + std::to_string(rng() % 300),
                                          "GCA0" + std::to_string(1000 + rng() % 9000), "1997/05/12",
                                          std::to_string(rng() % 2000000)};
            for (int c = 0; c < 8; ++c) g->SetCell(c, r, cells[c]);
        }
        g->Widget()->show();
        QApplication::processEvents();
        return g;
    }();
    return *grid;
}

void Find(benchmark::State& state, const char* text, int expected) {
    GridRows rows(Catalog());
    const ui::Cp932Finder finder(text);
    for (auto _ : state) {
        const int row = FindRecordRow(rows, 1, finder);
        if (row != expected) state.SkipWithError("unexpected row");
        benchmark::DoNotOptimize(row);
    }
    state.counters["records"] = kRecords;
}

void BM_FindRoundJapanese(benchmark::State& state) { Find(state, "振袖", -1); }
void BM_FindRoundAscii(benchmark::State& state) { Find(state, "zzz", -1); }
void BM_FindRoundFullWidth(benchmark::State& state) { Find(state, "ＺＺ", -1); }
void BM_FindHalfWayAscii(benchmark::State& state) { Find(state, "s50000.lzh", 50000); }
BENCHMARK(BM_FindRoundJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindRoundAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindRoundFullWidth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindHalfWayAscii)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    if (RunRegisteredBenchmarks(argc, argv) != 0) return 1;
    delete &Catalog();
    return 0;
}
