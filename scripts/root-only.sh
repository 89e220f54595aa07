# Root-only steps (a print queue, installing the package system-wide, tmpfs mounts) run for root;
# CI (POMIRO_CI=1) insists on them; for anyone else they report "SKIP: <reason>" and the rest runs.
#
#   source scripts/root-only.sh; root_only "REASON" || exit 77   # a script; 77 is "skipped" for CTest
#   bash scripts/root-only.sh "REASON" COMMAND [ARG...]          # a whole test program
# record_skipped WHAT: a step outside CTest that was skipped, for the test command's last line
# (scripts/test.sh sets POMIRO_SKIPPED); CTest reports its own.
record_skipped() {
  [ -z "${POMIRO_SKIPPED:-}" ] || echo "$1" >>"$POMIRO_SKIPPED"
}

root_only() {
  [ "$(id -u)" -eq 0 ] && return 0
  if [ -n "${POMIRO_CI:-}" ]; then
    echo "FAIL: $1, and CI must run every root-only step" >&2
    exit 1
  fi
  echo "SKIP: $1"
  return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  reason=$1
  shift
  root_only "$reason" || exit 77
  exec "$@"
fi
