#!/usr/bin/env bash
# Installs what is missing, checks that the C++ files follow .clang-format, builds, and runs every
# test:
#  1. the sanitizer build (asan: AddressSanitizer + UBSan, warnings are errors, tests and
#     benchmarks) and the release build, as a packager makes it;
#  2. the Debian package built from the release build, linted, installed, started from an empty
#     folder and removed again (scripts/check-package.sh);
#  3. every unit and widget suite under the sanitizers, two at a time;
#  4. the release build's suites: unit and widget, and the end-to-end runs of the very binary that
#     goes into the package, under Xvfb, CUPS, Orca and ibus + Mozc, with nothing else running;
#  5. the fuzz targets, one at a time on one core, for four minutes in all (POMIRO_FUZZ_BUDGET,
#     shared among the targets; POMIRO_FUZZ_SECONDS gives each target its own time instead), while
#     on the other a second build from a clone in another folder, under another umask, checks that
#     it gives the same packages, byte for byte (scripts/check-reproducible.sh).
# A test that cannot set up what it needs fails. Only a step that needs root is skipped for anyone
# else (CI, POMIRO_CI=1, runs as root and must run it), and the last line names every test that was
# skipped, or says none was.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh" all
cd "$repo"

# Each stage says when it starts, in seconds since the tests began, so that a slow run shows where
# its time went.
stage() { echo "== $* (at $SECONDS s)"; }

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

# What was skipped: the ctest suites that said so, and the steps outside ctest that write their
# reason into POMIRO_SKIPPED (scripts/root-only.sh).
export POMIRO_SKIPPED
POMIRO_SKIPPED=$(mktemp)
ctest_log=$(mktemp)
repro_pid=""
repro_log=$(mktemp)
report_skipped() {
  local status=$?
  [ -z "$repro_pid" ] || kill -- "-$repro_pid" 2>/dev/null || true
  if [ -s "$POMIRO_SKIPPED" ]; then
    echo "Skipped: $(paste -sd ';' "$POMIRO_SKIPPED" | sed 's/;/; /g')"
  else
    echo "Skipped: none"
  fi
  rm -f "$POMIRO_SKIPPED" "$ctest_log" "$repro_log"
  exit "$status"
}
trap report_skipped EXIT

# run_tests PRESET: one of the test presets in CMakePresets.json; the suites it skipped are noted.
run_tests() {
  local status=0
  ctest --preset "$1" 2>&1 | tee "$ctest_log" || status=$?
  sed -n "s/^[[:space:]]*[0-9]\+ - \(.*\) (Skipped)\$/\1 ($1 build)/p" "$ctest_log" >>"$POMIRO_SKIPPED"
  return "$status"
}

stage "formatting"
bash "$repo/scripts/check-format.sh"

stage "sanitizer build"
build_preset asan
stage "release build"
build_preset release

stage "Debian package"
bash "$repo/scripts/check-package.sh" build-release

stage "unit and widget tests under AddressSanitizer + UBSan"
run_tests asan

stage "release build: unit, widget and end-to-end tests"
run_tests release

# A fuzz target keeps one core busy; the second build takes the other, in a process group of its
# own so that it ends with this script however this script ends.
setsid -w env POMIRO_REPRO_JOBS=1 bash "$repo/scripts/check-reproducible.sh" build-release \
  >"$repro_log" 2>&1 &
repro_pid=$!

stage "fuzzing, one target at a time (beside it, the second build for the reproducibility check)"
fuzz_status=0
POMIRO_FUZZ_JOBS=1 POMIRO_FUZZ_BUDGET=${POMIRO_FUZZ_BUDGET:-240} bash "$repo/scripts/fuzz.sh" \
  || fuzz_status=$?

stage "reproducible package"
repro_status=0
wait "$repro_pid" || repro_status=$?
repro_pid=""
cat "$repro_log"
if [ "$fuzz_status" -ne 0 ] || [ "$repro_status" -ne 0 ]; then
  echo "FAIL: fuzzing (status $fuzz_status) or the reproducibility check (status $repro_status)"
  exit 1
fi
stage "done"
