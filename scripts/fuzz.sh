#!/usr/bin/env bash
# Fuzzing with libFuzzer (clang, ASan + UBSan), in build-fuzz.
#
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options]   run a campaign
#   scripts/fuzz.sh merge TARGET                         minimize into the kept corpus
#
# TARGET is netlist, numeric, outline, settings, dbl or partlist. A campaign starts from
# fuzz/corpus/TARGET and grows fuzz/work/TARGET (not committed); inputs that fail land
# in fuzz/work/TARGET-crashes/. A failing input belongs in fuzz/regressions/TARGET/ once
# the fault is fixed; `merge` adds to fuzz/corpus/TARGET what reaches new code.
# One process on one core, so the machine stays usable.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  sed -n '2,11p' "$0" >&2
  exit 2
}
[ $# -ge 2 ] || usage

scripts/deps.sh
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPCBPREP_BUILD_FUZZ=ON -DPCBPREP_BUILD_TESTS=OFF -DPCBPREP_BUILD_GUI=OFF \
  -DPCBPREP_BUILD_CLI=OFF -DPCBPREP_BUILD_BENCH=OFF -DPCBPREP_WARNINGS_AS_ERRORS=ON >/dev/null

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

if [ "$1" = merge ]; then
  # Adds to the kept corpus only the inputs that reach code it does not reach yet
  # (edge coverage, not hit counts), so it stays small.
  target=$2
  cmake --build build-fuzz --target "fuzz_$target"
  mkdir -p fuzz/work/"$target" fuzz/corpus/"$target"
  build-fuzz/fuzz/fuzz_"$target" -merge=1 -use_counters=0 fuzz/corpus/"$target" fuzz/work/"$target"
  echo "fuzz/corpus/$target: $(ls fuzz/corpus/"$target" | wc -l) files," \
    "$(cat fuzz/corpus/"$target"/* | wc -c) bytes"
  exit 0
fi

target=$1
seconds=$2
shift 2
case "$target" in netlist | numeric | outline | settings | dbl | partlist) ;; *) usage ;; esac
cmake --build build-fuzz --target "fuzz_$target"
work=fuzz/work/$target
mkdir -p "$work" "$work-crashes"
dict=()
[ -f fuzz/$target.dict ] && dict=(-dict=fuzz/$target.dict)
exec build-fuzz/fuzz/fuzz_"$target" "$work" fuzz/corpus/"$target" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work-crashes/" -print_final_stats=1 "${dict[@]}" "$@"
