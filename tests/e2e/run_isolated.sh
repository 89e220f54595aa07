#!/usr/bin/env bash
# Runs one end-to-end script: run_isolated.sh SCRIPT ARG...
#
# As root, the script runs in a PID namespace of its own (with its own /proc), under a first
# process that only waits for it. Whatever the script starts, an X server, a spooler, daemons that
# leave their parent (dbus-daemon, speech-dispatcher, mozc_server), ends with that namespace when
# the script ends, however it ends: also when ctest's time limit kills it, as --kill-child takes the
# namespace down when unshare itself is killed. For anyone else the script ends what it started
# itself (tests/e2e/lib.sh).
set -euo pipefail
if [ "$(id -u)" -eq 0 ] && [ -z "${POMIRO_E2E_ISOLATED:-}" ]; then
  POMIRO_E2E_ISOLATED=1 exec unshare --pid --fork --kill-child --mount-proc bash "$0" "$@"
fi
script=$1
shift
status=0
bash "$script" "$@" || status=$?
exit "$status"
