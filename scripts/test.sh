#!/bin/sh
# Installs what is missing, builds, and runs every test: the normal build,
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, the
# tests that run worker threads under ThreadSanitizer, and each fuzzer for a
# short fixed time over its committed corpus.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh

echo "== build and test"
sh scripts/build.sh build
(cd build && ctest --output-on-failure -j "$(nproc)")

echo "== sanitizers (address, undefined behaviour)"
sh scripts/build.sh build-asan -DTANSU_SANITIZE=ON -DTANSU_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$(nproc)")

echo "== thread sanitizer (the tests that run worker threads)"
sh scripts/build.sh build-tsan -DTANSU_THREAD_SANITIZER=ON
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j "$(nproc)")

echo "== fuzzers"
CXX=clang++ sh scripts/build.sh build-fuzz -DTANSU_FUZZ=ON
sh scripts/fuzz.sh build-fuzz "${TANSU_FUZZ_SECONDS:-20}"
echo "all tests passed"
