#!/usr/bin/env bash
# A suite with a skipped case must never look passed to CTest: it exits with 77 (skipped) when
# nothing failed, and a failure beside a skip is still a failure.
#   outcome_test.sh PROBE
set -uo pipefail
probe=$1
failures=0
expect() { # STATUS FILTER
  "$probe" --gtest_filter="$2" >/dev/null 2>&1
  local status=$?
  if [ "$status" -ne "$1" ]; then
    echo "FAIL: cases $2 exited with $status, expected $1"
    failures=$((failures + 1))
  fi
}
expect 0 'Probe.Passes'
expect 77 'Probe.Passes:Probe.IsSkipped'
expect 77 'Probe.IsSkipped'
expect 1 'Probe.Passes:Probe.IsSkipped:Probe.Fails'
expect 1 'Probe.Fails'
[ "$failures" -eq 0 ] && echo "PASS"
