#!/usr/bin/env bash
# Start-up time of the program until its main window is mapped, measured from outside under Xvfb,
# against a Qt window with one label. The two alternate, each run in a fresh empty folder.
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 15)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
runs=${2:-15}
program=$build/pomiro-checker
minimal=$build/bench/bench_minimal_window
for binary in "$program" "$minimal"; do
  [ -x "$binary" ] || { echo "missing $binary: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
# A display number of our own, away from the low ones other test runs use.
display_number=$((120 + $$ % 60))
while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=:$display_number
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
until xdpyinfo >/dev/null 2>&1; do
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Milliseconds from the start of the process until a window with this title is mapped.
# xdotool's own --sync retries only every half second, which would swamp the difference, so the
# search is polled here.
time_start() {
  local binary=$1 title=$2 folder
  folder=$(mktemp -d "$work/run.XXXX")
  local started ended pid
  started=$(date +%s%N)
  (cd "$folder" && exec "$binary") >"$folder/output.log" 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null || (($(date +%s%N) - started > 20000000000)); then
      echo "$binary showed no window \"$title\":" >&2
      cat "$folder/output.log" >&2
      kill "$pid" 2>/dev/null
      return 1
    fi
    sleep 0.01
  done
  ended=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  sleep 0.2 # lets the X server finish with the closed client before the next one connects
  echo $(((ended - started) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

program_times=()
minimal_times=()
for ((i = 0; i < runs; i++)); do
  program_times+=("$(time_start "$program" 'ぽみろチェッカー')")
  minimal_times+=("$(time_start "$minimal" 'bench-minimal-window')")
done

program_median=$(printf '%s\n' "${program_times[@]}" | median)
minimal_median=$(printf '%s\n' "${minimal_times[@]}" | median)
echo "runs:                 $runs"
echo "pomiro-checker (ms):  ${program_times[*]}"
echo "minimal window (ms):  ${minimal_times[*]}"
echo "median pomiro-checker: $program_median ms"
echo "median minimal window: $minimal_median ms"
awk -v a="$program_median" -v b="$minimal_median" 'BEGIN { printf "ratio: %.2f (target <= 1.20)\n", a / b }'
