// Opening a KiSS set of 300 cels in the viewer: reading the stored LZH,
// the configuration, palettes and cels, drawing the first picture of the
// playfield and writing the files into a fresh folder.  Also the doll's
// reading alone, one frame of its field, and one step that moves an object.
#include "bench_main.h"
#include "app/playfield.h"
#include "app/viewer_window.h"
#include "kiss/compose.h"
#include "kiss/doll.h"
#include "kiss/field_state.h"
#include "tools/test_set.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

class Quiet : public kissviewer::Messages {
public:
    void Show(QWidget*, Kind, const QString&, const QString&) override {}
};

std::filesystem::path Scratch() {
    static std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("bench_kiss_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void OpenLargeSet(benchmark::State& state) {
    const int cels = static_cast<int>(state.range(0));
    const auto archive = Scratch() / "LARGE.LZH";
    {
        std::ofstream out(archive, std::ios::binary);
        out << kisstools::WriteLzh(kisstools::MakeLargeSet(cels), 0);
    }
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const auto work = Scratch() / ("work" + std::to_string(round++));
        std::filesystem::create_directories(work);
        std::filesystem::current_path(work);
        state.ResumeTiming();
        Quiet quiet;
        kissviewer::ViewerWindow window(&quiet);
        if (!window.Open(archive.string())) state.SkipWithError("open failed");
        QImage first = window.playfield()->Render();
        benchmark::DoNotOptimize(first.bits());
        window.FinishUnpacking();  // all the work, the files written too
        state.PauseTiming();
        std::filesystem::current_path(Scratch());
        std::filesystem::remove_all(work);
        state.ResumeTiming();
    }
}
BENCHMARK(OpenLargeSet)->Arg(300)->Unit(benchmark::kMillisecond);

void LoadDollFromMemory(benchmark::State& state) {
    std::map<std::string, std::string> files;
    for (auto& f : kisstools::MakeLargeSet(300)) {
        std::string lower = f.name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        files[lower] = f.bytes;
    }
    for (auto _ : state) {
        std::vector<kiss::Note> problems;
        auto doll = kiss::Doll::Load(files["large.cnf"], [&](const std::string& n) -> std::optional<std::string> {
            return files[n];
        }, problems);
        benchmark::DoNotOptimize(doll.CelCount());
    }
}
BENCHMARK(LoadDollFromMemory)->Unit(benchmark::kMillisecond);

// The 300-cel set read from memory.
kiss::Doll LargeDoll() {
    std::map<std::string, std::string> files;
    for (auto& f : kisstools::MakeLargeSet(300)) {
        std::string lower = f.name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        files[lower] = f.bytes;
    }
    std::vector<kiss::Note> problems;
    return kiss::Doll::Load(files["large.cnf"], [&](const std::string& n) -> std::optional<std::string> {
        return files[n];
    }, problems);
}

// One frame of the 300-cel set's field (640 x 480), as the playfield drew
// it after every change.
void ComposeLargeSet(benchmark::State& state) {
    const auto doll = LargeDoll();
    for (auto _ : state) {
        const kiss::Picture p = kiss::Compose(doll);
        benchmark::DoNotOptimize(p.argb.data());
    }
}
BENCHMARK(ComposeLargeSet)->Unit(benchmark::kMillisecond);

// The same step as PlayfieldMoveOneObject without Qt: the object of the
// 300-cel set moves a pixel, the states before and after give the changed
// area, and only that is composed into the picture from before.
void ComposeAreaOfAMove(benchmark::State& state) {
    auto doll = LargeDoll();
    kiss::Picture picture = kiss::Compose(doll);
    kiss::FieldState shown = kiss::FieldState::Of(doll);
    constexpr int kObject = 15;
    const kiss::Position home = doll.Place(kObject).value_or(kiss::Position{});
    int step = 0;
    for (auto _ : state) {
        doll.MoveObject(kObject, {home.x + (step++ & 1), home.y});
        kiss::FieldState now = kiss::FieldState::Of(doll);
        kiss::ComposeArea(doll, ChangedArea(shown, now), picture);
        shown = std::move(now);
        benchmark::DoNotOptimize(picture.argb.data());
    }
}
BENCHMARK(ComposeAreaOfAMove)->Unit(benchmark::kMillisecond);

// One step as a drag or an alarm makes it: an object of the 300-cel set (ten
// 64 x 64 cels in the middle of the stack) moves a pixel, and the playfield
// brings its picture up to date.
void PlayfieldMoveOneObject(benchmark::State& state) {
    auto doll = LargeDoll();
    kissviewer::Playfield field;
    field.SetDoll(&doll);
    benchmark::DoNotOptimize(field.Render().constBits());
    constexpr int kObject = 15;
    const kiss::Position home = doll.Place(kObject).value_or(kiss::Position{});
    int step = 0;
    for (auto _ : state) {
        doll.MoveObject(kObject, {home.x + (step++ & 1), home.y});
        field.SetChanged();
        benchmark::DoNotOptimize(field.Render().constBits());
    }
}
BENCHMARK(PlayfieldMoveOneObject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatformUnlessSet();
    QApplication app(argc, argv);
    if (RunRegisteredBenchmarks(argc, argv) != 0) return 1;
    std::filesystem::current_path("/");
    std::filesystem::remove_all(Scratch());
    return 0;
}
