#!/usr/bin/env bash
# Makes the README's screenshots from the real windows on the offscreen platform (the
# window tests' 1366 x 768 screen): the main window with a generated 300-part board
# loaded and checked, the part table after the whole pre-placement flow, the placement
# image and the outline window with a generated file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test --target pcbprep_gui_tests pcbprep_bench_netlist
mkdir -p docs/images
# A fixed path, as the window shows it: the pictures change only when the windows do.
folder=/tmp/pcbprep-screenshots
mkdir -p "$folder"
trap 'rm -rf "$folder"' EXIT
netlist="$folder/board.NET"
build-test/bench/pcbprep_bench_netlist board "$netlist"
PCBPREP_SCREENSHOT_DIR="$PWD/docs/images" PCBPREP_SCREENSHOT_NETLIST="$netlist" \
  build-test/tests/app/pcbprep_gui_tests --gtest_filter='Screenshots.*'
ls -l docs/images
