#!/usr/bin/env bash
# Installs what is missing, checks that the C++ files follow .clang-format, builds, and runs every
# test. After the formatting check, four lanes run side by side, so that the two cores are busy
# the whole time while the steps that wait (on the spooler, Orca, an input method) wait beside a
# build:
#  1. the release build, as a packager makes it but with warnings as errors, and without the unit
#     and widget suites (they run in lane 2); the Debian package made from it, linted, installed,
#     started from an empty folder and removed again (scripts/check-package.sh); then its tests:
#     the end-to-end runs of the very binary that goes into the package, under Xvfb, CUPS, Orca
#     and ibus + Mozc, two at a time, and the package's checks;
#  2. the sanitizer build (asan: AddressSanitizer + UBSan, warnings are errors, tests and
#     benchmarks), then every unit and widget suite under the sanitizers, two at a time;
#  3. the fuzz targets, built with clang and run one at a time on one core, for three minutes in
#     all (POMIRO_FUZZ_BUDGET, shared among the targets; POMIRO_FUZZ_SECONDS gives each target its
#     own time instead);
#  4. once the release build is done, a second build from a clone in another folder, under another
#     umask, which must give the same packages byte for byte (scripts/check-reproducible.sh).
# The lanes that are not on the way to the end-to-end runs yield the processor to them (nice).
# Each lane's output is shown when it ends, with the time each of its steps started.
# A test that cannot set up what it needs fails. Only a step that needs root is skipped for anyone
# else (CI, POMIRO_CI=1, runs as root and must run it), and the last line names every test that was
# skipped, or says none was.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh" all
cd "$repo"

# Each stage says when it starts, in seconds since the tests began (in every lane alike), so that a
# slow run shows where its time went.
export POMIRO_TEST_START
POMIRO_TEST_START=$(date +%s)
stage() { echo "== $* (at $(($(date +%s) - POMIRO_TEST_START)) s)"; }

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

# What was skipped: the ctest suites that said so, and the steps outside ctest that write their
# reason into POMIRO_SKIPPED (scripts/root-only.sh).
export POMIRO_SKIPPED
POMIRO_SKIPPED=$(mktemp)
declare -A lane_pid lane_log
report_skipped() {
  local status=$? lane
  for lane in "${!lane_pid[@]}"; do kill -- "-${lane_pid[$lane]}" 2>/dev/null || true; done
  if [ -s "$POMIRO_SKIPPED" ]; then
    echo "Skipped: $(paste -sd ';' "$POMIRO_SKIPPED" | sed 's/;/; /g')"
  else
    echo "Skipped: none"
  fi
  rm -f "$POMIRO_SKIPPED" "${lane_log[@]}"
  exit "$status"
}
trap report_skipped EXIT

# run_tests PRESET: one of the test presets in CMakePresets.json; the suites it skipped are noted.
run_tests() {
  local status=0 log
  log=$(mktemp)
  ctest --preset "$1" 2>&1 | tee "$log" || status=$?
  sed -n "s/^[[:space:]]*[0-9]\+ - \(.*\) (Skipped)\$/\1 ($1 build)/p" "$log" >>"$POMIRO_SKIPPED"
  rm -f "$log"
  return "$status"
}

stage "formatting"
bash "$repo/scripts/check-format.sh"

# The reproducibility check starts its build once the first is done (so that the two are made at
# different times), and compares once the first packages are there.
export release_built packaged
release_built=$(mktemp -u)
packaged=$(mktemp -u)
lane_release() {
  # Whatever happens here, the reproducibility check does not wait in vain.
  trap 'touch "$release_built" "$packaged"' EXIT
  stage "release build (suites off, warnings are errors)"
  cmake --preset release -DPOMIRO_SUITES=OFF -DPOMIRO_WERROR=ON >/dev/null
  cmake --build --preset release -j "$(nproc)"
  touch "$release_built"
  stage "Debian package"
  local status=0
  bash "$repo/scripts/check-package.sh" build-release || status=$?
  touch "$packaged"
  [ "$status" -eq 0 ] || return "$status"
  stage "release build: end-to-end tests and the package's checks"
  run_tests release
}
lane_asan() {
  stage "sanitizer build"
  build_preset asan
  stage "unit and widget tests under AddressSanitizer + UBSan"
  run_tests asan
}
lane_fuzz() {
  stage "fuzzing, one target at a time"
  POMIRO_FUZZ_JOBS=1 POMIRO_FUZZ_BUDGET=${POMIRO_FUZZ_BUDGET:-180} bash "$repo/scripts/fuzz.sh"
}
lane_reproducible() {
  while [ ! -e "$release_built" ]; do sleep 1; done
  stage "second build, for the reproducibility check"
  POMIRO_REPRO_JOBS=1 POMIRO_REPRO_AFTER=$packaged bash "$repo/scripts/check-reproducible.sh" build-release
}

# Each lane in a process group of its own (ended with this script however it ends), its output in
# a file of its own, shown once it is done. The lanes off the way to the end-to-end runs leave the
# processor to it first (nice).
lanes=(release asan fuzz reproducible)
declare -A lane_nice=([release]=0 [asan]=5 [fuzz]=10 [reproducible]=15)
for lane in "${lanes[@]}"; do
  lane_log[$lane]=$(mktemp)
  nice -n "${lane_nice[$lane]}" setsid -w bash -c \
    "set -euo pipefail; source '$repo/scripts/common.sh'; cd '$repo'
     $(declare -f stage run_tests "lane_$lane"); lane_$lane" >"${lane_log[$lane]}" 2>&1 &
  lane_pid[$lane]=$!
done
failed=()
for lane in "${lanes[@]}"; do
  status=0
  wait "${lane_pid[$lane]}" || status=$?
  unset "lane_pid[$lane]"
  echo "======== lane $lane: ended at $(($(date +%s) - POMIRO_TEST_START)) s, status $status"
  cat "${lane_log[$lane]}"
  [ "$status" -eq 0 ] || failed+=("$lane")
done
rm -f "$release_built" "$packaged"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAIL: the lanes ${failed[*]}"
  exit 1
fi
stage "done"
