#!/usr/bin/env bash
# Wall time and peak memory of the whole part-list run as one process, on the largest
# netlist the reader accepts (and on the variant with 399-pin nets).
#
#   bench/measure_cli.sh [BUILD_DIR]          (default: build, a Release build)
#
# Measures `pcbprep-cli parts` when the command-line program has that command, with
# the options in PARTS_OPTIONS (the ones that turn on main parts, grouping and
# coordinates), and always the in-process equivalent pcbprep_parts_pipeline, which
# runs the same operations. Targets: median wall time at most 25 ms, peak resident
# memory at most 16 MB. Uses hyperfine where it is installed (apt-get install
# hyperfine), otherwise a timing loop of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for bin in pcbprep_bench_netlist pcbprep_parts_pipeline; do
  if [ ! -x "$build/bench/$bin" ]; then
    echo "missing $build/bench/$bin: configure with -DCMAKE_BUILD_TYPE=Release and build it" >&2
    exit 2
  fi
done
"$build/bench/pcbprep_bench_netlist" largest "$work/largest.NET"
"$build/bench/pcbprep_bench_netlist" wide_nets "$work/wide_nets.NET"

# Median wall time in milliseconds of a command, over $runs runs after 3 warm-ups.
median_ms() {
  if command -v hyperfine >/dev/null; then
    hyperfine -N --warmup 3 --runs "$runs" --export-json "$work/h.json" --output=null "$*" \
      >/dev/null 2>"$work/h.err"
    python3 -c 'import json,sys; print("%.1f" % (json.load(open(sys.argv[1]))["results"][0]["median"]*1000))' \
      "$work/h.json"
  else
    local times=()
    for ((i = 0; i < runs + 3; i++)); do
      local start=$EPOCHREALTIME
      "$@" >/dev/null
      local end=$EPOCHREALTIME
      ((i >= 3)) && times+=("$(echo "($end - $start) * 1000" | bc -l)")
    done
    printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {printf "%.1f\n", (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'
  fi
}

# Peak resident memory in MB (largest of three runs).
peak_mb() {
  local peak=0
  for _ in 1 2 3; do
    local kb
    kb=$( { /usr/bin/time -f '%M' "$@" >/dev/null; } 2>&1 | tail -n 1)
    ((kb > peak)) && peak=$kb
  done
  echo "scale=1; $peak / 1024" | bc
}

report() {
  local name=$1
  shift
  printf '%-48s %8s ms %8s MB\n' "$name" "$(median_ms "$@")" "$(peak_mb "$@")"
}

printf '%-48s %11s %11s\n' "run (target: 25 ms, 16 MB)" "median wall" "peak RSS"
for netlist in largest wide_nets; do
  report "pcbprep_parts_pipeline $netlist" "$build/bench/pcbprep_parts_pipeline" "$work/$netlist.NET"
done

cli="$build/src/cli/pcbprep-cli"
if [ -x "$cli" ] && "$cli" --help 2>/dev/null | grep -qE '^[[:space:]]+parts([[:space:]]|$)'; then
  read -r -a options <<<"${PARTS_OPTIONS:---main-parts --group hundreds --coordinates main}"
  for netlist in largest wide_nets; do
    report "pcbprep-cli parts $netlist" "$cli" parts "${options[@]}" "$work/$netlist.NET"
  done
else
  echo "pcbprep-cli has no 'parts' command in $build yet: only the in-process equivalent was measured"
fi
