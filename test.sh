#!/usr/bin/env bash
# Builds everything in build/ and runs the whole suite on a Russian desktop (ru_RU.UTF-8, the
# students' locale); then builds again in build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the suite there in C.UTF-8; last, the fuzz targets of the
# core replay their regression inputs and fuzz for a few seconds each (clang); at the end, the
# tests' share of the lines (tools/test-ratio, at most a third). The real screen reader's tests
# run in the first stage only.
set -euo pipefail
cd "$(dirname "$0")"
tools/include-circles
FMLAB_WITH_FUZZ=1 tools/setup.sh
export QT_QPA_PLATFORM=offscreen

# Each stage builds only what its tests run (fmlab_tests: no benchmarks), each library as a
# few large units, so that a build from scratch parses Qt's headers far fewer times.
unity=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${unity[@]}" >/dev/null
cmake --build build -j 2 --target fmlab_tests
(cd build && LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 LANGUAGE= ctest --output-on-failure -j 2)

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFMLAB_SANITIZE=ON "${unity[@]}" \
  -DFMLAB_BUILD_PERF=OFF >/dev/null
cmake --build build-asan -j 2 --target fmlab_tests
# Qt and fontconfig keep caches for the whole process: leaks are not checked here.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE= ctest --output-on-failure -j 2)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DFMLAB_FUZZ=ON -DFMLAB_BUILD_PERF=OFF "${unity[@]}" >/dev/null
cmake --build build-fuzz --target fmlab_fuzzers -j 2
(cd build-fuzz && ctest --output-on-failure -j 2)

# Tests at most a third of the program's lines.
tools/test-ratio
