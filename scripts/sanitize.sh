#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer (clang) and runs it, window tests included. The same build links the
# fuzz targets and replays the kept fuzz inputs as tests (fuzz/CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPCBPREP_SANITIZE=ON -DPCBPREP_WARNINGS_AS_ERRORS=ON "$@"
cmake --build build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure
