#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on a copy of its seed
# corpus, as many at a time as there are cores. The time is POMIRO_FUZZ_SECONDS for each target,
# or, with POMIRO_FUZZ_BUDGET, that many seconds of wall time shared among all targets (so that a
# new target does not make the test command longer); 60 s each unless told. A crash in any of them
# ends the run with a non-zero status.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

build_preset fuzz
# The targets are listed once, in tests/fuzz/CMakeLists.txt.
mapfile -t targets <"$repo/build-fuzz/tests/fuzz/targets.txt"
[ ${#targets[@]} -gt 0 ] || { echo "FAIL: no fuzz targets in build-fuzz/tests/fuzz/targets.txt"; exit 1; }
jobs=${POMIRO_FUZZ_JOBS:-$(nproc)}
if [ -n "${POMIRO_FUZZ_SECONDS:-}" ]; then
  seconds=$POMIRO_FUZZ_SECONDS
elif [ -n "${POMIRO_FUZZ_BUDGET:-}" ]; then
  rounds=$(((${#targets[@]} + jobs - 1) / jobs))
  seconds=$((POMIRO_FUZZ_BUDGET / rounds))
else
  seconds=60
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fuzz TARGET: runs one target on a copy of its seeds, in a folder of its own (where libFuzzer
# leaves the input of a crash); its log goes to $work/TARGET.log, its exit status to TARGET.status.
fuzz() {
  local target=$1 status=0
  mkdir -p "$work/$target/corpus"
  cp "$repo/tests/fuzz/corpus/${target#fuzz_}"/* "$work/$target/corpus/"
  (cd "$work/$target" && "$repo/build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" \
     -print_final_stats=1 corpus >"$work/$target.log" 2>&1) || status=$?
  echo "$status" >"$work/$target.status"
}

# As many targets at a time as there are cores (POMIRO_FUZZ_JOBS), each for its whole time.
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  echo "== $target (${seconds} s)"
  fuzz "$target" &
done
wait
status=0
for target in "${targets[@]}"; do
  target_status=$(cat "$work/$target.status" 2>/dev/null || echo "none")
  echo "-- $target"
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$work/$target.log" || true
  if [ "$target_status" != 0 ]; then
    echo "$target failed (status $target_status):"; tail -40 "$work/$target.log"
    status=1
  fi
done
exit "$status"
