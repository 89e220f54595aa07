#!/usr/bin/env bash
# Cross-builds the program for Windows (preset windows, against the Qt of build-qt-windows.sh,
# which is built first when missing) and runs its suites under Wine.
#   test-windows.sh
# Wine keeps its Windows folder in the cache beside Qt (POMIRO_WINDOWS_CACHE), made at the first run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cache=${POMIRO_WINDOWS_CACHE:-$HOME/.cache/pomiro-checker/windows}
export POMIRO_QT_WINDOWS
POMIRO_QT_WINDOWS=$(bash "$repo/scripts/build-qt-windows.sh" | tail -n 1)
[ -f "$POMIRO_QT_WINDOWS/.complete" ] || { echo "no Qt for Windows" >&2; exit 1; }

# Wine quietly: its own folder, no offer to install Mono or Gecko, none of its debugging chatter.
export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

cd "$repo"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"
ctest --test-dir build-windows --output-on-failure -j "$(nproc)"
