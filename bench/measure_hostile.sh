#!/usr/bin/env bash
# Wall time and peak memory of loading (or refusing) netlists made to cost, one of each
# shape of bench/WriteHostileNetlist.cpp at the 64 MB read limit, in the standard and
# the large tables, as one `pcbprep-cli nets --json` process each.
#
#   bench/measure_hostile.sh [BUILD_DIR] [MEGABYTES]   (default: build, a Release build; 64)
#
# Target: every file loaded or refused in at most 2 s and 500 MB. Needs /usr/bin/time and
# bc. KINDS="pads-net kicad-atoms" measures only those.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
megabytes=${2:-64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for bin in bench/pcbprep_bench_hostile cli/pcbprep-cli; do
  if [ ! -x "$build/src/$bin" ] && [ ! -x "$build/$bin" ]; then
    echo "missing $bin in $build: configure with -DCMAKE_BUILD_TYPE=Release and build it" >&2
    exit 2
  fi
done
writer=$build/bench/pcbprep_bench_hostile
cli=$build/src/cli/pcbprep-cli
printf '%-14s %-8s %8s %8s %6s  %s\n' file tables seconds cpu MB result
kinds=${KINDS:-"bracket-net bracket-nets bracket-blank kicad-net kicad-nets kicad-atoms legacy-parts
  pads-net pads-nets pads-blank allegro-net allegro-nets"}
for kind in $kinds; do
  "$writer" "$kind" "$work/$kind" "$megabytes"
  for tables in standard large; do
    option=()
    [ "$tables" = large ] && option=(--large)
    set +e
    /usr/bin/time -f '%e %M %U %S' -o "$work/time" "$cli" nets --json "${option[@]}" "$work/$kind" \
      >/dev/null 2>"$work/err"
    code=$?
    set -e
    read -r seconds kb user sys < <(tail -n 1 "$work/time")
    result=loaded
    [ "$code" -ne 0 ] && result=$(grep -m1 '理由' "$work/err" | sed 's/^理由: //')
    cpu=$(echo "$user + $sys" | bc)
    printf '%-14s %-8s %8s %8s %6d  %s\n' "$kind" "$tables" "$seconds" "$cpu" $((kb / 1024)) "$result"
  done
done
