#!/usr/bin/env bash
# Makes the README's screenshots from the real windows on the offscreen platform:
# the main window with the sample loaded and checked, the placement image after the
# whole pre-placement flow and the outline window with a generated file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-test --target pcbprep_gui_tests
mkdir -p docs/images
PCBPREP_SCREENSHOT_DIR="$PWD/docs/images" QT_QPA_PLATFORM=offscreen \
  build-test/tests/app/pcbprep_gui_tests --gtest_filter='Screenshots.*'
ls -l docs/images
