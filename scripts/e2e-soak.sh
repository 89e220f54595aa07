#!/usr/bin/env bash
# Runs every end-to-end test N times (default 10) on the release build, while a two-job build of a
# clone of the sources runs beside it the whole time, as real load; then prints, for each test, how
# many runs passed, failed and were skipped. Not part of the test command: run it after a change to
# the end-to-end tests or to what they start.
#
#   scripts/e2e-soak.sh [N]      # as root, as CI runs the tests; the logs stay in build-release/soak/
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
runs=${1:-10}
bash "$repo/scripts/install-deps.sh" all
build_preset release

logs=$repo/build-release/soak
rm -rf "$logs"
mkdir -p "$logs"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

# The load: a clone built with two jobs from scratch, again and again, in a process group of its own
# that ends with this script.
load=$(mktemp -d)
git clone -q "$repo" "$load/src"
setsid bash -c '
  cd "$1"
  while true; do
    rm -rf build-load
    cmake -S . -B build-load -G Ninja -DBUILD_TESTING=OFF >/dev/null
    cmake --build build-load -j 2 >/dev/null 2>&1 || true
  done' load-build "$load/src" &
load_pid=$!
trap 'kill -- "-$load_pid" 2>/dev/null || true; wait "$load_pid" 2>/dev/null || true; rm -rf "$load"' EXIT

for ((run = 1; run <= runs; run++)); do
  echo "== run $run of $runs (at $SECONDS s)"
  ctest --preset e2e --output-on-failure >"$logs/run-$run.log" 2>&1 || true
  # What the tests leave for a failure (screenshots, Orca's log) is kept for each run.
  for kept in "$repo"/build-release/e2e-*; do
    [ -e "$kept" ] && mv "$kept" "$logs/run-$run-$(basename "$kept")"
  done
  grep -E ' Test +#[0-9]+: ' "$logs/run-$run.log" || true
done

# "  3/9 Test  #42: print_letter .......   Passed   21.50 sec" (or ***Failed, ***Skipped, ***Timeout...)
echo
echo "end-to-end tests, $runs runs each, beside a two-job build:"
cat "$logs"/run-*.log | awk '
  / Test +#[0-9]+: / {
    for (i = 1; i <= NF; i++) if ($i ~ /^#[0-9]+:$/) { name = $(i + 1); break }
    if ($0 ~ /Passed/) passed[name]++
    else if ($0 ~ /Skipped|Not Run/) skipped[name]++
    else failed[name]++
    seen[name] = 1
  }
  END {
    printf "%-24s %7s %7s %8s\n", "test", "passed", "failed", "skipped"
    for (name in seen) printf "%-24s %7d %7d %8d\n", name, passed[name], failed[name], skipped[name]
  }' | (read -r header; echo "$header"; sort)
