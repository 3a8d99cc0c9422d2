#!/usr/bin/env bash
# Runs the window tests that need a real X server: a virtual 1366 x 768 screen (Xvfb)
# with a window manager (openbox), the xcb platform, so window frames, real scroll bars
# and the window manager's layout take part as on a desktop. Both are stopped however
# the run ends. Expects the build of scripts/test.sh (build-test); the packages come
# from scripts/deps.sh.
#   scripts/xwindow-test.sh [gtest filter]   default: the outline window typing sweep,
#   the part table (column widths after resizes, Tab, sideways scroll), the net lists'
#   sideways scroll and the placement image's opening view
set -euo pipefail
cd "$(dirname "$0")/.."
filter="${1:-OutlineWindowIdle.*:PartTableWindow.*:MainWindow.NetLists*:PlacementFlow.PlacementImage*}"
tests=build-test/tests/app/pcbprep_gui_tests
[ -x "$tests" ] || { echo "$tests is missing: run scripts/test.sh first" >&2; exit 2; }

xvfb_pid=""
wm_pid=""
displayfile=$(mktemp)
stop() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -f "$displayfile"
  return 0
}
trap stop EXIT INT TERM

# Xvfb picks a free display number and writes it once it accepts connections.
exec 3>"$displayfile"
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$displayfile" ] && break
  sleep 0.1
done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n1 "$displayfile")"

openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 1  # the window manager takes over the screen

# A hang must fail the run, not stall it.
QT_QPA_PLATFORM=xcb timeout --signal=KILL 300 "$tests" --gtest_filter="$filter"
