#!/usr/bin/env bash
# Installs what is missing, builds pcbprep and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPCBPREP_BUILD_TESTS=OFF
cmake --build build
exec build/src/app/pcbprep "$@"
