#!/usr/bin/env bash
# Installs what is missing, builds pcbprep with its tests and runs them all
# (the window tests run on Qt's offscreen platform; no display is needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DPCBPREP_WARNINGS_AS_ERRORS=ON "$@"
cmake --build build-test
ctest --test-dir build-test --output-on-failure
