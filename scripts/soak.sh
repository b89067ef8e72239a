#!/usr/bin/env bash
# scripts/soak.sh N [BUILD]: plays N seeded matches headless, each computer against
# computer (SORV_AUTOPLAY=1) on the virtual clock under a frame cap, and reads every match
# trace with the independent checker. Match i uses seed i and the settings
# category i mod 5, games setting i mod 5, sets setting i mod 3, court i mod 4.
# Prints one line per failed match, the counts and the time; exits non-zero when a run
# fails, logs a NullPointer or ArrayOutOfBound line, does not finish its match, or the
# checker finds a broken rule.
# SOAK_JOBS matches run at once (default: the number of cores); each plays on its own copy
# of the installed data, so saves and the single-instance lock never cross.
# SOAK_FRAMES sets the frame cap of one match (default 120000, over twice what five long
# sets take at about a hundred frames a point). SOAK_SHORT=1 plays only the
# shortest format (one set of two games) under a cap of 15000 frames, for a quick run.
# The traces of failed matches are kept in SOAK_KEEP (default BUILD/soak-failures).
# SOAK_FIRST starts the numbering at another match (default 1): matches FIRST..FIRST+N-1.
# SOAK_IN_A_ROW=K plays K matches back to back in each run's one process (the self-playing
# user answers "play again" K-1 times, SORV_AUTOPLAY_AGAIN), under K times the frame cap, so
# whatever one match leaves behind meets the next; each of the K must end and the trace of
# all of them be legal.
set -uo pipefail
cd "$(dirname "$0")/.."
n=${1:-20}
build=${2:-build}
short=${SOAK_SHORT:-0}
jobs=${SOAK_JOBS:-$(nproc)}
first=${SOAK_FIRST:-1}
inarow=${SOAK_IN_A_ROW:-1}
keep=${SOAK_KEEP:-$build/soak-failures}
if [ "$short" = 1 ]; then frames=${SOAK_FRAMES:-15000}; else frames=${SOAK_FRAMES:-120000}; fi
headless="$build/sorv-headless"
checker="$build/sorv-trace-check"
for exe in "$headless" "$checker" "$build/tools/mkdata"; do
  [ -x "$exe" ] || { echo "soak: $exe is not built" >&2; exit 2; }
done
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "soak: SOAK_JOBS=$jobs is not a count" >&2; exit 2; }
[[ "$inarow" =~ ^[1-9][0-9]{0,2}$ ]] || { echo "soak: SOAK_IN_A_ROW=$inarow is not a count of 1..999" >&2; exit 2; }
frames=$((frames * inarow))

work=$(mktemp -d /tmp/sorv-soak-XXXXXX)
trap 'rm -rf "$work"' EXIT
install="Program Files/Kestovan/Sorvantel 2009"
"$build/tools/mkdata" --out "$work/root/$install" > /dev/null || { echo "soak: mkdata failed" >&2; exit 2; }

export SDL_VIDEODRIVER=dummy SORV_AUDIO=null SORV_VCLOCK=1 SORV_AUTOPLAY=1 SORV_UI_LANGID=0x0409
export SORV_AUTOPLAY_AGAIN=$((inarow - 1))

# One match: its result in $work/result<i> (empty when it passed), its trace in
# $work/trace<i>.txt.
play() {
  local i=$1
  local category=$((i % 5)) games=$((i % 5)) sets=$((i % 3)) court=$((i % 4))
  [ "$short" = 1 ] && games=0 sets=0
  local root="$work/root$i" trace="$work/trace$i.txt" result="$work/result$i"
  cp -a "$work/root" "$root"
  # From the boot to the main menu (a match starts from the loaded menus), then the script
  # command that starts a match with these settings.
  printf 'frames 59\nkey down 53\nkey up 53\nframes 25\nmatch %d %d %d %d\nframes %d\nquit\n' \
    "$category" "$court" "$games" "$sets" "$frames" > "$work/script$i.txt"
  local out status summary pid state
  SORV_ROOT="$root" SORV_SEED=$i SORV_MATCH_TRACE="$trace" SORV_LOG="$work/log$i.txt" \
    "$headless" --script "$work/script$i.txt" > "$work/out$i.txt" 2>&1 &
  pid=$!
  # Once the match has handed back to the menus the rest of the cap is menu frames: the
  # window is closed then (the video layer turns SIGTERM into a quit, so the run still ends
  # as the game would and prints its summary).
  while state=$(ps -o stat= -p "$pid") && [[ $state != Z* ]]; do
    if grep -q '^shell state=' "$trace" 2> /dev/null; then
      kill -TERM "$pid"
      break
    fi
    sleep 0.2
  done
  wait "$pid"
  status=$?
  out=$(cat "$work/out$i.txt")
  rm -f "$work/out$i.txt"
  rm -rf "$root" "$work/log$i.txt" "$work/script$i.txt"
  local what="category $category games $games sets $sets court $court"
  : > "$result"
  summary=$(grep -E '^frames [0-9]+ NullPointer' <<< "$out" | tail -1)
  if [ $status -ne 0 ] || [ -z "$summary" ]; then
    echo "match $i ($what): the run failed ($status): $(tail -2 <<< "$out" | tr '\n' ' ')" >> "$result"
    return
  fi
  local ran nulls bounds
  read -r _ ran _ nulls _ bounds <<< "$summary"
  if [ "$nulls" != 0 ] || [ "$bounds" != 0 ]; then
    echo "match $i ($what): $nulls NullPointer and $bounds ArrayOutOfBound lines" >> "$result"
  fi
  local over
  over=$(grep -c '^over ' "$trace" 2> /dev/null)
  if [ "${over:-0}" -ne "$inarow" ] || ! grep -q '^shell state=4' "$trace"; then
    echo "match $i ($what): ${over:-0} of $inarow matches over in $ran frames" >> "$result"
  fi
  local report
  report=$("$checker" "$trace" 2>&1) || echo "match $i ($what): $(tr '\n' ' ' <<< "$report")" >> "$result"
}

start=$(date +%s)
running=0
for ((i = first; i < first + n; i++)); do
  if [ $running -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
  play "$i" &
  running=$((running + 1))
done
wait

failed=0 points=0 finished=0
for ((i = first; i < first + n; i++)); do
  if [ -s "$work/result$i" ]; then
    cut -c1-2000 "$work/result$i"
    mkdir -p "$keep" && cp "$work/trace$i.txt" "$keep/trace$i.txt" 2> /dev/null
    failed=$((failed + 1))
  elif [ ! -e "$work/result$i" ]; then
    echo "match $i: no result"
    failed=$((failed + 1))
  fi
  if [ -e "$work/trace$i.txt" ]; then
    points=$((points + $(grep -c '^point ' "$work/trace$i.txt")))
    finished=$((finished + $(grep -c '^over ' "$work/trace$i.txt")))
  fi
done
echo "soak: $((n * inarow)) matches ($n runs of $inarow), $finished finished, $points points, $failed failures, $(( $(date +%s) - start )) s"
[ $failed -eq 0 ]
