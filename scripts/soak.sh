#!/usr/bin/env bash
# scripts/soak.sh N [BUILD]: plays N seeded matches headless, each computer against
# computer (SORV_AUTOPLAY=1) on the virtual clock under a frame cap, and reads every match
# trace with the independent checker. Match i uses seed i and the settings
# category i mod 5, games setting i mod 5, sets setting i mod 3, court i mod 4.
# Prints the counts and the time; exits non-zero when a run fails, logs a NullPointer or
# ArrayOutOfBound line, does not finish its match, or the checker finds a broken rule.
# SOAK_FRAMES sets the frame cap of one match (default 400000). SOAK_SHORT=1 plays only the
# shortest format (one set of two games) under a cap of 15000 frames, for a quick run.
set -uo pipefail
cd "$(dirname "$0")/.."
n=${1:-20}
build=${2:-build}
short=${SOAK_SHORT:-0}
if [ "$short" = 1 ]; then frames=${SOAK_FRAMES:-15000}; else frames=${SOAK_FRAMES:-400000}; fi
headless="$build/sorv-headless"
checker="$build/sorv-trace-check"
for exe in "$headless" "$checker" "$build/tools/mkdata"; do
  [ -x "$exe" ] || { echo "soak: $exe is not built" >&2; exit 2; }
done

work=$(mktemp -d /tmp/sorv-soak-XXXXXX)
trap 'rm -rf "$work"' EXIT
data="$work/root/Program Files/Kestovan/Sorvantel 2009"
"$build/tools/mkdata" --out "$data" > /dev/null || { echo "soak: mkdata failed" >&2; exit 2; }

export SDL_VIDEODRIVER=dummy SORV_AUDIO=null SORV_VCLOCK=1 SORV_AUTOPLAY=1 SORV_UI_LANGID=0x0409
export SORV_ROOT="$work/root"
start=$(date +%s)
failed=0
for ((i = 1; i <= n; i++)); do
  category=$((i % 5)) games=$((i % 5)) sets=$((i % 3)) court=$((i % 4))
  [ "$short" = 1 ] && games=0 sets=0
  # From the boot to the main menu (a match starts from the loaded menus), then the script
  # command that starts a match with these settings.
  printf 'frames 59\nkey down 53\nkey up 53\nframes 25\nmatch %d %d %d %d\nframes %d\nquit\n' \
    "$category" "$court" "$games" "$sets" "$frames" > "$work/script$i.txt"
  trace="$work/trace$i.txt"
  out=$(SORV_SEED=$i SORV_MATCH_TRACE="$trace" SORV_LOG="$work/log$i.txt" \
        "$headless" --script "$work/script$i.txt" 2>&1)
  status=$?
  summary=$(grep -E '^frames [0-9]+ NullPointer' <<< "$out" | tail -1)
  if [ $status -ne 0 ] || [ -z "$summary" ]; then
    echo "match $i: the run failed ($status): $(tail -2 <<< "$out")"
    failed=$((failed + 1))
    continue
  fi
  read -r _ ran _ nulls _ bounds <<< "$summary"
  if [ "$nulls" != 0 ] || [ "$bounds" != 0 ]; then
    echo "match $i: $nulls NullPointer and $bounds ArrayOutOfBound lines"
    failed=$((failed + 1))
  fi
  if ! grep -q '^over ' "$trace" 2> /dev/null || ! grep -q '^shell state=4' "$trace"; then
    echo "match $i (category $category games $games sets $sets court $court): not over in $ran frames"
    failed=$((failed + 1))
  fi
done
traces=("$work"/trace*.txt)
if [ -e "${traces[0]}" ]; then
  "$checker" "${traces[@]}" | grep -v ': [0-9]* matches, [0-9]* finished, [0-9]* points, 0 errors$' || true
  "$checker" "${traces[@]}" > /dev/null || failed=$((failed + 1))
  points=$(cat "${traces[@]}" | grep -c '^point ')
else
  points=0
fi
echo "soak: $n matches, $points points, $failed failures, $(( $(date +%s) - start )) s"
[ $failed -eq 0 ]
