// What the benchmarks that make windows share in their own main(): the
// offscreen platform unless another is asked for, and one run of every
// registered benchmark.
#pragma once

#include <benchmark/benchmark.h>
#include <cstdlib>

// Call before the application object is made.
inline void UseOffscreenPlatformUnlessSet() {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// 1 when the command line holds an argument the library does not know.
inline int RunRegisteredBenchmarks(int& argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
