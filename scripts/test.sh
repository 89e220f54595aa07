#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#  1. a plain build: unit and widget tests, and the end-to-end runs under Xvfb and CUPS;
#  2. the Debian package: built, installed, started from an empty folder, removed;
#  3. each fuzz target for a bounded time (POMIRO_FUZZ_SECONDS, default 60);
#  4. the unit and widget tests again under AddressSanitizer and UBSan.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh"

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== plain build"
configure_and_build build
(cd "$repo/build" && ctest --output-on-failure)

echo "== Debian package"
bash "$repo/scripts/check-package.sh" build

echo "== fuzzing"
bash "$repo/scripts/fuzz.sh"

echo "== AddressSanitizer + UBSan"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$repo/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
configure_and_build build-asan -DPOMIRO_SANITIZE=ON -DPOMIRO_BUILD_BENCH=OFF
(cd "$repo/build-asan" && ctest --output-on-failure -LE e2e)
