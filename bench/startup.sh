#!/usr/bin/env bash
# Start-up of the program until its main window is mapped, measured from outside under Xvfb, with a
# full (300-entry) data file, against a Qt window with one Japanese label ("ぽみろ"). The two
# alternate, each run in a fresh folder of its own. For each run: the milliseconds from exec until
# X maps the window (seen as an X event by bench_startup_probe, which starts the program), and the
# peak resident memory (VmHWM of /proc/PID/status) read half a second later, once the window has
# been drawn. Prints the medians and, last, the two ratios; it fails nothing, it only reports.
#   bench/startup.sh [BUILD_DIR] [RUNS]     (defaults: build, 15)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
runs=${2:-15}
program=$build/pomiro-checker
minimal=$build/bench/bench_minimal_window
write_datafile=$build/bench/bench_startup_datafile
probe=$build/bench/bench_startup_probe
for binary in "$program" "$minimal" "$write_datafile" "$probe"; do
  [ -x "$binary" ] || { echo "missing $binary: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
# An X server of our own: it picks a free display and writes its number once it accepts clients
# (-displayfd), and does not reset whenever its last client leaves (-noreset), as each probe does.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
until grep -qx '[0-9]\+' "$work/display"; do
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=:$(head -n 1 "$work/display")
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

mkdir "$work/data"
"$write_datafile" "$work/data"
[ "$(find "$work/data" -type f | wc -l)" -eq 1 ] || { echo "no data file written" >&2; exit 1; }

# Prints "MILLISECONDS KIB" for one start of BINARY, in a folder of its own with the data file.
time_start() {
  local binary=$1 title=$2 folder
  folder=$(mktemp -d "$work/run.XXXX")
  cp "$work"/data/* "$folder/"
  (cd "$folder" && "$probe" "$title" 500 "$binary" 2>"$folder/output.log") || {
    echo "$binary showed no window \"$title\":" >&2
    cat "$folder/output.log" >&2
    return 1
  }
  sleep 0.2 # lets the X server finish with the closed client before the next one connects
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

program_times=() program_peaks=()
minimal_times=() minimal_peaks=()
for ((i = 0; i < runs; i++)); do
  read -r ms kib < <(time_start "$program" 'ぽみろチェッカー')
  program_times+=("$ms") program_peaks+=("$kib")
  read -r ms kib < <(time_start "$minimal" 'bench-minimal-window')
  minimal_times+=("$ms") minimal_peaks+=("$kib")
done

program_time=$(printf '%s\n' "${program_times[@]}" | median)
minimal_time=$(printf '%s\n' "${minimal_times[@]}" | median)
program_peak=$(printf '%s\n' "${program_peaks[@]}" | median)
minimal_peak=$(printf '%s\n' "${minimal_peaks[@]}" | median)
echo "runs:                       $runs (alternating), data file of 300 entries"
echo "pomiro-checker (ms):        ${program_times[*]}"
echo "minimal window (ms):        ${minimal_times[*]}"
echo "pomiro-checker VmHWM (KiB): ${program_peaks[*]}"
echo "minimal window VmHWM (KiB): ${minimal_peaks[*]}"
echo "median pomiro-checker: $program_time ms, $program_peak KiB"
echo "median minimal window: $minimal_time ms, $minimal_peak KiB"
awk -v a="$program_time" -v b="$minimal_time" 'BEGIN { printf "time ratio: %.2f (goal <= 1.10)\n", a / b }'
awk -v a="$program_peak" -v b="$minimal_peak" 'BEGIN { printf "peak RSS ratio: %.2f (goal <= 1.20)\n", a / b }'
