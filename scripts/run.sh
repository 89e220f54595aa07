#!/usr/bin/env bash
# Installs what is missing, builds, and starts ぽみろチェッカー in the current directory
# (the data file "データ.txt" lives there).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$repo/scripts/install-deps.sh"
configure_and_build build -DPOMIRO_BUILD_TESTS=OFF -DPOMIRO_BUILD_BENCH=OFF
exec "$repo/build/pomiro-checker"
