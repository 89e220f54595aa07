# Helpers for the end-to-end scripts: an X server of their own, the real program in a fresh folder,
# and clicks on the main window's controls by their object names.
# Source it; it installs an EXIT trap that stops everything it started.

set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/root-only.sh"

e2e_pids=()
e2e_cleanup() {
  local pid
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${e2e_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  # An if, not an &&: under set -e a false last test would turn an exit 77 (skipped) into 1.
  if [ -n "${e2e_work:-}" ]; then rm -rf "$e2e_work"; fi
}
trap e2e_cleanup EXIT
# A test stopped from outside (ctest's time limit, Ctrl+C) still ends what it started.
trap 'exit 143' TERM INT HUP

e2e_fail() {
  echo "FAIL: $*" >&2
  # What the screen showed, for whoever reads the failure.
  local shot=${POMIRO_BUILD_DIR:-/tmp}/e2e-failure-$(basename "$0" .sh).png
  if [ -n "${DISPLAY:-}" ] && import -window root "$shot" 2>/dev/null; then echo "screen: $shot" >&2; fi
  exit 1
}

# e2e_require TOOL...: each tool must be there; a test that cannot set up its desktop fails, it is
# never counted as skipped.
e2e_require() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || e2e_fail "$tool is missing (scripts/install-deps.sh installs it)"
  done
}

# e2e_wait_until SECONDS PID LOG WHAT COMMAND...: waits until COMMAND succeeds, trying every 0.1 s.
# PID is the process that should make it succeed: when it ends first, or after SECONDS, the test
# fails, saying WHAT did not happen and showing the process's LOG.
e2e_wait_until() {
  local seconds=$1 pid=$2 log=$3 what=$4 i
  shift 4
  for ((i = 0; i < seconds * 10; i++)); do
    "$@" && return 0
    if ! kill -0 "$pid" 2>/dev/null; then
      "$@" && return 0
      e2e_fail "$what: the process ended. $(cat "$log" 2>/dev/null)"
    fi
    sleep 0.1
  done
  e2e_fail "$what within $seconds s. $(cat "$log" 2>/dev/null)"
}

# Starts an X server of the test's own and exports DISPLAY. The server picks a free display itself
# and writes its number once it accepts clients (-displayfd), so two tests started at once never
# share one; -noreset keeps it from resetting whenever its last client leaves, which would drop any
# client that connects meanwhile (a window manager, ibus).
# e2e_start_x [WIDTHxHEIGHT]: 1024x768 unless told.
e2e_start_x() {
  e2e_require Xvfb xdotool xprop
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$number_file" >"$number_file.log" 2>&1 &
  e2e_pids+=($!)
  e2e_wait_until 30 $! "$number_file.log" "Xvfb did not start" grep -qx '[0-9]\+' "$number_file"
  local display
  display=$(head -n 1 "$number_file")
  rm -f "$number_file" "$number_file.log"
  export DISPLAY=":$display"
  # The real program on the real (virtual) screen, whatever the widget tests use.
  export QT_QPA_PLATFORM=xcb
}

# A fresh working folder; the program finds "データ.txt" there.
e2e_workdir() {
  e2e_work=$(mktemp -d)
  export XDG_RUNTIME_DIR="$e2e_work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # The program's settings (the savings window's rate) stay in the run's own folder.
  export XDG_CONFIG_HOME="$e2e_work/config"
}

# e2e_start_program BINARY: starts it in the working folder and waits for its main window.
e2e_start_program() {
  (cd "$e2e_work" && exec "$1") >"$e2e_work/program.log" 2>&1 &
  e2e_pids+=($!)
  e2e_program_pid=$!
  e2e_window=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$e2e_program_pid" --name '^ぽみろチェッカー$' | head -n 1) \
    || e2e_fail "the main window did not appear"
  e2e_use_window "$e2e_window"
  # Mapped is not yet ready: a click or key sent while the program still starts up can land
  # before its focus is set.
  sleep 1
}

# e2e_use_window WINDOW [X Y]: clicks go to this main window from now on (one of several
# programs), moved to X, Y first when given, and raised above the others.
e2e_use_window() {
  e2e_window=$1
  local i
  for i in $(seq 1 50); do
    [ $# -lt 3 ] || xdotool windowmove "$1" "$2" "$3"
    eval "$(xdotool getwindowgeometry --shell "$1")"
    [ $# -lt 3 ] || [ "$X,$Y" = "$2,$3" ] && break
    sleep 0.1
  done
  xdotool windowraise "$1"
  e2e_x=$X e2e_y=$Y
}

# e2e_click_control NAME: clicks the middle of the main window's control with this object name
# (saveButton, nameBox, dayField, declarationButton…). Where it is comes from the window's own
# layout, through the tool e2e_control_place (POMIRO_CONTROL_PLACE, which ctest sets).
e2e_click_control() {
  local tool=${POMIRO_CONTROL_PLACE:?the path of the tool e2e_control_place} at x y
  at=$("$tool" "$1") || e2e_fail "no place for the control $1"
  read -r x y <<<"$at"
  x=$((e2e_x + x)) y=$((e2e_y + y))
  # --sync waits for the pointer to arrive, and for one already there it would wait 15 s in vain.
  if [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "x:$x y:$y" ]; then
    xdotool click 1
  else
    xdotool mousemove --sync "$x" "$y" click 1
  fi
  e2e_settle
}

# e2e_wait_window TITLE: waits for a visible window with exactly this title, 15 s at most; prints
# its id. (xdotool's own --sync looks only twice a second.)
e2e_wait_window() {
  local i found
  for ((i = 0; i < 300; i++)); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -z "$found" ] || { echo "$found"; return 0; }
    sleep 0.05
  done
  return 1
}

# e2e_shown_title WINDOW: the title a window manager shows (_NET_WM_NAME), not the WM_NAME that
# `xdotool search --name` matches.
e2e_shown_title() {
  LC_ALL=C.UTF-8 xprop -id "$1" -notype _NET_WM_NAME | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'
}

# e2e_type TEXT: types TEXT into the focused control. A character the keyboard map lacks (any
# Japanese one) xdotool would bind to a spare key just before pressing it; the program may read
# that press against the old map and drop the character. So such characters get keys of their own
# first, and the program a moment to read the new map, before anything is typed.
e2e_type() {
  local LC_ALL=C.UTF-8 i code keysyms=()
  for ((i = 0; i < ${#1}; i++)); do
    printf -v code '%d' "'${1:i:1}"
    [ "$code" -le 126 ] || keysyms+=("$(printf 'U%04X' "$code")")
  done
  if [ ${#keysyms[@]} -gt 0 ]; then
    e2e_map_keysyms "${keysyms[@]}"
    sleep 0.5
  fi
  xdotool type --delay 30 "$1"
  sleep 0.2
}

# e2e_map_keysyms KEYSYM...: gives each keysym the map does not hold yet a spare keycode of its own.
e2e_map_keysyms() {
  local map keysym code
  map=$(xmodmap -pke)
  for keysym in "$@"; do
    grep -qiw "$keysym" <<<"$map" && continue
    code=$(awk 'NF == 3 && $1 == "keycode" && $3 == "=" { print $2; exit }' <<<"$map")
    [ -n "$code" ] || e2e_fail "no spare keycode left for $keysym"
    xmodmap -e "keycode $code = $keysym"
    map=$(xmodmap -pke)
  done
}

e2e_key() { xdotool key "$@"; sleep 0.3; }

# e2e_settle [WINDOW]: returns once the program that owns WINDOW (the main window in use unless
# told) has handled every click and key sent to it so far (the tool e2e_settle, POMIRO_SETTLE).
e2e_settle() {
  local tool=${POMIRO_SETTLE:?the path of the tool e2e_settle}
  "$tool" "${1:-$e2e_window}" 30 || e2e_fail "the program did not answer: $(cat "$e2e_work/program.log" 2>/dev/null)"
}

# e2e_never WHAT COMMAND...: a negative check. Once the program has handled everything sent to it
# (e2e_settle), what it would have done is done: a job handed to the spooler, a file written, a box
# shown. COMMAND is tried at once and then every 0.2 s for a second more, for what reaches the
# spooler's list or the file system a moment later, and the test fails with WHAT as soon as it
# succeeds.
e2e_never() {
  local what=$1 i
  shift
  e2e_settle
  for i in 1 2 3 4 5 6; do
    if "$@"; then e2e_fail "$what"; fi
    [ "$i" -eq 6 ] || sleep 0.2
  done
}

# e2e_answer TITLE: waits for the message box with exactly this title and answers it with Enter.
e2e_answer() {
  local box
  box=$(e2e_wait_window "$1") || e2e_fail "no message box \"$1\""
  xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
  e2e_key Return
}

# e2e_start_print_test: what every print test needs before its spooler (spooler.sh): root for the
# queue (skipped for anyone else), cupsd, the cups-pdf driver and poppler's tools, then X and a
# working folder.
e2e_start_print_test() {
  root_only "adding a print queue needs root" || exit 77
  command -v cupsd >/dev/null || [ -x /usr/sbin/cupsd ] || e2e_fail "cupsd missing (scripts/install-deps.sh)"
  [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || e2e_fail "printer-driver-cups-pdf missing"
  command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null || e2e_fail "poppler-utils missing"
  e2e_start_x
  e2e_workdir
}

# e2e_as_nobody SCRIPT PROGRAM: as root, runs the test SCRIPT again as nobody (Mozc refuses to run
# as root, and an input method's bus admits only its own user) and exits with its status; for
# anyone else, returns and the test goes on. The build and source folders may be closed to nobody,
# so the script and the program go with it into a home folder of its own.
e2e_as_nobody() {
  [ "$(id -u)" -eq 0 ] && [ -z "${POMIRO_E2E_DROPPED:-}" ] || return 0
  local here home status=0 name
  here=$(cd "$(dirname "$1")" && pwd)
  name=$(basename "$1")
  home=$(mktemp -d)
  mkdir -p "$home/tests/e2e" "$home/scripts"
  cp "$here/$name" "$here/lib.sh" "$home/tests/e2e/"
  cp "$here/../../scripts/root-only.sh" "$home/scripts/"
  cp "$2" "$home/pomiro-checker"
  cp "${POMIRO_CONTROL_PLACE:?the path of the tool e2e_control_place}" "$home/e2e_control_place"
  cp "${POMIRO_SETTLE:?the path of the tool e2e_settle}" "$home/e2e_settle"
  chown -R 65534:65534 "$home"
  env -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME -u DBUS_SESSION_BUS_ADDRESS \
      HOME="$home" POMIRO_E2E_DROPPED=1 POMIRO_BUILD_DIR="$home" \
      POMIRO_CONTROL_PLACE="$home/e2e_control_place" POMIRO_SETTLE="$home/e2e_settle" \
      setpriv --reuid=65534 --regid=65534 --clear-groups \
      bash "$home/tests/e2e/$name" "$home/pomiro-checker" || status=$?
  cp "$home"/e2e-failure-*.png "${POMIRO_BUILD_DIR:-/tmp}/" 2>/dev/null || true
  rm -rf "$home"
  exit "$status"
}

# e2e_open_list_by_keys: from the main window at start-up, Tab to 一覧 (the fifth stop) and Space;
# then the list window is active with the focus in its grid. Its window is $e2e_list.
e2e_open_list_by_keys() {
  local _
  for _ in 1 2 3 4 5; do e2e_key Tab; done
  e2e_key space
  e2e_list=$(e2e_wait_window "ぽみろ一覧") || e2e_fail "the list window did not open: $(cat "$e2e_work/program.log")"
  xdotool windowactivate --sync "$e2e_list" 2>/dev/null || xdotool windowfocus --sync "$e2e_list"
  e2e_key Tab
}
