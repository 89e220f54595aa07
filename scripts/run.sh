#!/usr/bin/env bash
# Installs what building and running need, builds the program alone (no tests, no benchmarks) in a
# folder of its own, build-run/, and starts ぽみろチェッカー in the current directory (the data
# file "データ.txt" lives there).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh" run
configure_and_build build-run -DBUILD_TESTING=OFF -DPOMIRO_BUILD_BENCH=OFF
exec "$repo/build-run/pomiro-checker"
