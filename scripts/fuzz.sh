#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (default 60 s) on a copy
# of its seed corpus. A crash ends the run with a non-zero status.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds=${POMIRO_FUZZ_SECONDS:-60}
targets=(fuzz_datafile fuzz_amount fuzz_cp932 fuzz_cellwidth) # as in the fuzz build preset

build_preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  seeds="$repo/tests/fuzz/corpus/${target#fuzz_}"
  mkdir -p "$work/$target"
  cp "$seeds"/* "$work/$target"/
  echo "== $target (${seconds} s)"
  status=0
  (cd "$work" && "$repo/build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
     "$work/$target" >"$work/$target.log" 2>&1) || status=$?
  grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' "$work/$target.log" || true
  if [ "$status" -ne 0 ]; then
    echo "$target failed (status $status):"; tail -40 "$work/$target.log"
    exit 1
  fi
done
