#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#  1. the developer build (warnings are errors): unit and widget tests, and the end-to-end runs
#     under Xvfb and CUPS;
#  2. the release build, as a packager makes it: its unit and widget tests, and the Debian package
#     built from it, installed, started from an empty folder and removed again;
#  3. each fuzz target for a bounded time (POMIRO_FUZZ_SECONDS, default 60), one at a time on one
#     core, while on the other a second build from a clone in another folder, under another umask,
#     checks that it gives the same packages, byte for byte (scripts/check-reproducible.sh);
#  4. the unit and widget tests again under AddressSanitizer and UBSan.
# Root-only steps (the print queue, installing the package) report "SKIP: <reason>" for anyone
# but root; CI sets POMIRO_CI=1 and runs them all (scripts/root-only.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh" all
cd "$repo"

# Each stage says when it starts, in seconds since the tests began, so that a slow run shows where
# its time went.
stage() { echo "== $* (at $SECONDS s)"; }

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

stage "developer build"
build_preset dev
ctest --preset dev

stage "release build"
build_preset release
ctest --preset release -LE e2e

stage "Debian package"
bash "$repo/scripts/check-package.sh" build-release

# A fuzz target keeps one core busy; the second build takes the other, in a process group of its
# own so that it ends with this script however this script ends.
repro_log=$(mktemp)
setsid -w env POMIRO_REPRO_JOBS=1 bash "$repo/scripts/check-reproducible.sh" build-release \
  >"$repro_log" 2>&1 &
repro_pid=$!
trap 'kill -- "-$repro_pid" 2>/dev/null || true; rm -f "$repro_log"' EXIT

stage "fuzzing (beside it, the second build for the reproducibility check)"
fuzz_status=0
bash "$repo/scripts/fuzz.sh" || fuzz_status=$?

stage "reproducible package"
repro_status=0
wait "$repro_pid" || repro_status=$?
cat "$repro_log"
if [ "$fuzz_status" -ne 0 ] || [ "$repro_status" -ne 0 ]; then
  echo "FAIL: fuzzing (status $fuzz_status) or the reproducibility check (status $repro_status)"
  exit 1
fi

stage "AddressSanitizer + UBSan"
build_preset asan
ctest --preset asan -LE e2e
stage "done"
