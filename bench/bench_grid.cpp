// Time to paint a full 534 x 450 window of the catalog grid (8 columns,
// whole-row selection) into an image: with 100,000 rows at the top and in
// the middle, with 10 rows for comparison, and one step of scrolling; and
// the cost of setting a cell.
#include "bench_main.h"
#include "framework/ui/grid/string_grid_widget.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace ui;

namespace {

constexpr int kWidth = 534;
constexpr int kHeight = 450;

std::unique_ptr<StringGridWidget> MakeCatalog(int records) {
    auto g = std::make_unique<StringGridWidget>();
    g->resize(kWidth, kHeight);
    g->SetColCount(8);
    g->SetRowCount(records + 1);
    g->SetDefaultRowHeight(14);
    Font font;
    font.name = "ＭＳ Ｐゴシック";  // the catalog window's face
    font.height = -12;
    g->SetCellFont(font);
    const int widths[] = {40, 45, 95, 256, 72, 65, 64, 52};
    for (int c = 0; c < 8; ++c) g->SetColWidth(c, widths[c]);
    g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected | goColSizing |
                  goRowMoving | goRowSelect);
    const char* headings[] = {"#", "DIR", "LZH_FILE", "TITLE", "AUTHOR", "NIF_ID", "DATE", "BYTE"};
    for (int c = 0; c < 8; ++c) g->SetCell(c, 0, headings[c]);
    for (int r = 1; r <= records; ++r) {
        const std::string n = std::to_string(r);
        g->SetCell(0, r, n);
        g->SetCell(1, r, "kiss\\set" + std::to_string(r % 50));
        g->SetCell(2, r, "doll" + n + ".lzh");
        g->SetCell(3, r, "着せ替え人形 その" + n);
        g->SetCell(4, r, "作者" + std::to_string(r % 100));
        g->SetCell(5, r, "GCA0" + std::to_string(1000 + r % 9000));
        g->SetCell(6, r, "1996/05/12");
        g->SetCell(7, r, std::to_string(12345 + r * 37));
    }
    g->show();
    QApplication::processEvents();
    return g;
}

StringGridWidget& Catalog(int records) {
    static auto big = MakeCatalog(100000);
    static auto small = MakeCatalog(10);
    return records > 10 ? *big : *small;
}

void Paint(benchmark::State& state, StringGridWidget& g, int topRow) {
    g.SetTopRow(topRow);
    g.SetRow(g.TopRow() + 3);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        g.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["rows"] = g.RowCount();
}

void BM_PaintTop(benchmark::State& state) { Paint(state, Catalog(100000), 1); }
void BM_PaintMiddle(benchmark::State& state) { Paint(state, Catalog(100000), 50000); }
void BM_PaintTenRows(benchmark::State& state) { Paint(state, Catalog(10), 1); }

// One row of scrolling as the scroll bar does it, and the repaint.
void BM_ScrollOneRowAndPaint(benchmark::State& state) {
    StringGridWidget& g = Catalog(100000);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    int top = 40000;
    for (auto _ : state) {
        g.verticalScrollBar()->setValue(++top);
        g.render(&image);
        benchmark::DoNotOptimize(image.constBits());
        if (top > 60000) top = 40000;
    }
}

// Setting one cell of a full 100,000-row grid (its row is repacked).
void BM_SetCell(benchmark::State& state) {
    StringGridWidget& g = Catalog(100000);
    int row = 1;
    for (auto _ : state) {
        g.SetCell(3, row, "着せ替え人形 書き換え");
        row = row % 99000 + 7;
    }
}

BENCHMARK(BM_PaintTop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintMiddle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTenRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollOneRowAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetCell);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    if (std::getenv("TANSU_BENCH_GRID_SHOT")) {
        // Writes what the bench paints, for a look at it.
        StringGridWidget& g = Catalog(100000);
        g.SetTopRow(50000);
        g.SetRow(50003);
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        g.render(&image);
        image.save(QString::fromLocal8Bit(std::getenv("TANSU_BENCH_GRID_SHOT")));
    }
    if (RunRegisteredBenchmarks(argc, argv) != 0) return 1;
    return 0;
}
