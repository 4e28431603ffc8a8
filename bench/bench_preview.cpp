// From the selection of a record to its picture: a set of 100 cels (8-bit,
// 64 x 64, a 640 x 480 playfield) read from a stored LZH archive in
// memory and drawn; the same through the preview worker, measured from
// the wish to the picture handed to the main thread, and on to the picture
// painted scaled down in a preview-sized window; and a picture kept from
// before.
#include "bench_main.h"
#include "framework/ui/controls/image.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/forms/form.h"
#include "platform/os_path.h"
#include "preview/preview_worker.h"
#include "set/first_set.h"
#include "tools/test_set.h"

#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::filesystem::path& Scratch() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("bench_preview_" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

std::string Archive(int cels) {
    const auto path = Scratch() / ("SET" + std::to_string(cels) + ".LZH");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        out << kisstools::WriteLzh(kisstools::MakeLargeSet(cels), 1);
    }
    return path.string();
}

void DrawFirstSet(benchmark::State& state) {
    const std::string archive = Archive(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto first = kissviewer::DrawFirstSet(archive);
        if (first.outcome != kissviewer::FirstPicture::Outcome::Drawn) state.SkipWithError("not drawn");
        benchmark::DoNotOptimize(first.picture.argb.data());
    }
}
BENCHMARK(DrawFirstSet)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

// A real archive named by TANSU_BENCH_ARCHIVE (an OS path), for instance a
// set packed with -lh5- as sets in circulation are.
void DrawGivenArchive(benchmark::State& state, std::string archive) {
    for (auto _ : state) {
        auto first = kissviewer::DrawFirstSet(archive);
        if (first.outcome != kissviewer::FirstPicture::Outcome::Drawn) state.SkipWithError("not drawn");
        benchmark::DoNotOptimize(first.picture.argb.data());
    }
}

// The worker keeps nothing here, so every wish is made anew.
void WishToPicture(benchmark::State& state) {
    const std::string archive = *platform::FromOsPath(Archive(static_cast<int>(state.range(0))));
    PreviewWorker worker(0);
    bool ready = false;
    worker.OnReady = [&](const SetPreview& p) { ready = p.kind == SetPreview::Kind::Picture; };
    for (auto _ : state) {
        ready = false;
        if (worker.Want(archive)) state.SkipWithError("kept");
        while (!ready) CheckSynchronize();
    }
}
BENCHMARK(WishToPicture)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void WishToPaintedPicture(benchmark::State& state) {
    const std::string archive = *platform::FromOsPath(Archive(100));
    TOwned<TForm> form{new TForm(nullptr)};
    form->SetBounds(0, 0, 340, 320);
    auto* image = new TImage(form.get());
    image->SetParent(form.get());
    image->SetAlign(TAlign::alClient);
    image->SetCenter(true);
    image->SetProportional(true);
    form->Show();
    PreviewWorker worker(0);
    std::shared_ptr<const kiss::Picture> picture;
    worker.OnReady = [&](const SetPreview& p) { picture = p.picture; };
    for (auto _ : state) {
        picture.reset();
        worker.Want(archive);
        while (!picture) CheckSynchronize();
        image->SetPicture(picture->width, picture->height, picture->argb);
        QImage painted = image->Widget()->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
    }
}
BENCHMARK(WishToPaintedPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void KeptPicture(benchmark::State& state) {
    const std::string archive = *platform::FromOsPath(Archive(100));
    PreviewWorker worker;
    bool ready = false;
    worker.OnReady = [&](const SetPreview&) { ready = true; };
    if (!worker.Want(archive))
        while (!ready) CheckSynchronize();
    for (auto _ : state) {
        auto kept = worker.Want(archive);
        if (!kept) state.SkipWithError("not kept");
        benchmark::DoNotOptimize(kept);
    }
}
BENCHMARK(KeptPicture)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    UseOffscreenPlatformUnlessSet();
    Application->Initialize(argc, argv);
    if (const char* given = std::getenv("TANSU_BENCH_ARCHIVE"))
        benchmark::RegisterBenchmark("DrawGivenArchive", DrawGivenArchive, std::string(given))->Unit(benchmark::kMillisecond);
    if (RunRegisteredBenchmarks(argc, argv) != 0) return 1;
    std::filesystem::remove_all(Scratch());
    return 0;
}
