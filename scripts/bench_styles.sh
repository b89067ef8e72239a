#!/usr/bin/env bash
# bench_styles.sh [RUNS]: the benchmarks the pictures weigh on (match frame and scene, the
# main menu's repaint, the menus' loading), run in turns on the shipped art and on the
# labelled blocks, RUNS times each (default 3); prints the medians and the art's share of the
# labels' (the art must stay within 1.15 of it). Builds Release first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
runs=${1:-3}
# measure BINARY FILTER COUNTER STYLE: one run's figure, the counter or the CPU time.
measure() {
  SORV_BENCH_DATA=$4 "build/bench/$1" --benchmark_filter="$2" --benchmark_format=json 2>/dev/null |
    python3 -c '
import json, sys
b = json.load(sys.stdin)["benchmarks"][0]
print(b.get(sys.argv[1], b["cpu_time"]))' "$3"
}
median() { python3 -c 'import statistics, sys; print(statistics.median(float(v) for v in sys.argv[1:]))' "$@"; }
printf '%-48s %10s %10s %10s\n' benchmark labels art art/labels
for spec in "bench_match BM_MatchFrame x_fill" "bench_match BM_SceneFrame x_fill" \
            "bench_menus BM_DrawMainMenu cpu_time" "bench_menus BM_MainMenuFrame cpu_time" \
            "bench_game BM_LoadMenuResSteps cpu_time"; do
  set -- $spec
  labels=() art=()
  for _ in $(seq "$runs"); do
    labels+=("$(measure "$1" "$2\$" "$3" labels)")
    art+=("$(measure "$1" "$2\$" "$3" art)")
  done
  l=$(median "${labels[@]}") a=$(median "${art[@]}")
  python3 -c 'import sys; l, a = float(sys.argv[2]), float(sys.argv[3]); print("%-48s %10.3f %10.3f %10.2f" % (sys.argv[1], l, a, a / l))' \
    "$1 $2 ($3)" "$l" "$a"
done
