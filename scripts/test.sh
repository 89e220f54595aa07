#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#  1. the developer build (warnings are errors): unit and widget tests, and the end-to-end runs
#     under Xvfb and CUPS;
#  2. the release build, as a packager makes it: its unit and widget tests, and the Debian package
#     built from it, installed, started from an empty folder and removed again;
#  3. each fuzz target for a bounded time (POMIRO_FUZZ_SECONDS, default 60);
#  4. the unit and widget tests again under AddressSanitizer and UBSan.
# Root-only steps (the print queue, installing the package) report "SKIP: <reason>" for anyone
# but root; CI sets POMIRO_CI=1 and runs them all (scripts/root-only.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh"
cd "$repo"

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== developer build"
build_preset dev
ctest --preset dev

echo "== release build"
build_preset release
ctest --preset release -LE e2e

echo "== Debian package"
bash "$repo/scripts/check-package.sh" build-release

echo "== fuzzing"
bash "$repo/scripts/fuzz.sh"

echo "== AddressSanitizer + UBSan"
build_preset asan
ctest --preset asan -LE e2e
