#!/usr/bin/env bash
# Typing on a Japanese desktop with a real input method, ibus with Mozc, switched on for the whole
# session as a Japanese user keeps it: a name typed in romaji and converted, then an amount typed
# into a field with Mozc still on; and an amount field that has the focus when Mozc is switched
# on. Both entries are saved and read back from the data file. Qt's own menu of the name box must
# speak Japanese.
#
# Mozc refuses to run as root, and ibus's bus admits only its own user, so as root the test runs
# again as nobody. For everyone, ibus, Mozc and their settings live in a home folder of the test's
# own, so a developer's own input method and settings are never touched.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
source "$here/lib.sh"
e2e_require ibus-daemon ibus setpriv pgrep /usr/lib/ibus-mozc/ibus-engine-mozc /usr/lib/mozc/mozc_server

e2e_as_nobody "$0" "$program"

e2e_start_x
e2e_workdir
export HOME=$e2e_work/home XDG_CONFIG_HOME=$e2e_work/home/.config
unset DBUS_SESSION_BUS_ADDRESS
mkdir -p "$XDG_CONFIG_HOME/mozc"
# Mozc starts in direct input unless told to start in hiragana, as the input method on a Japanese
# desktop is.
cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<'EOF'
engines {
  name: "mozc-jp"
  longname: "Mozc"
  layout: "default"
  layout_variant: ""
  layout_option: ""
  rank: 80
}
active_on_launch: True
EOF

# input_method_daemons [HOME]: the ibus and Mozc processes of this user, all of them or those started
# with this HOME. (The kernel keeps 15 characters of a process name.)
input_method_daemons() {
  local pid
  for pid in $(pgrep -u "$(id -u)" -f '^[^ ]*(ibus-daemon|ibus-engine-mozc|mozc_server|mozc_renderer|ibus-x11|ibus-portal)( |$)' || true); do
    if [ $# -eq 0 ] || tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "HOME=$1"; then
      echo "$pid"
    fi
  done
}
# A clean start: an ibus or Mozc left by an earlier run of this test (whose home, a temporary folder,
# is gone) would answer in place of ours. A developer's own input method, whose home is there, is
# left alone.
for pid in $(input_method_daemons); do
  daemon_home=$(tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | sed -n 's/^HOME=//p')
  case $daemon_home in
    /tmp/*/home)
      if [ ! -d "$daemon_home" ]; then
        echo "(ending $pid, left by an earlier run)"
        kill -KILL "$pid" 2>/dev/null || true
      fi ;;
  esac
done

# The Mozc server is started here, and ready before ibus asks for Mozc: left to the engine, its start
# now and then never ended, and ibus then timed out on every call for Mozc (measured in full test
# runs). The server is ready once it has written the key of its socket.
/usr/lib/mozc/mozc_server >"$e2e_work/mozc.log" 2>&1 &
e2e_pids+=($!)
mozc_ready() { [ -s "$XDG_CONFIG_HOME/mozc/.session.ipc" ]; }
e2e_wait_until 60 $! "$e2e_work/mozc.log" "mozc_server did not start" mozc_ready

ibus-daemon --single --panel=disable --emoji-extension=disable --config=disable >"$e2e_work/ibus.log" 2>&1 &
e2e_pids+=($!)
# Everything ibus started with this home ends with the test, by its PID: the engine and the Mozc
# server leave the daemon and would live on. Every call to ibus is bounded: a daemon that stopped
# answering must fail the test, not hang it.
stop_input_method() {
  timeout 5 ibus exit >/dev/null 2>&1 || true
  local pid
  for pid in $(input_method_daemons "$HOME"); do kill -KILL "$pid" 2>/dev/null || true; done
}
trap 'stop_input_method; e2e_cleanup' EXIT
# The daemon is there once it has written its address for this display and answers on it.
ibus_up() { [ -n "$(ls "$XDG_CONFIG_HOME/ibus/bus/" 2>/dev/null)" ] && timeout 10 ibus address >/dev/null 2>&1; }
e2e_wait_until 30 $! "$e2e_work/ibus.log" "ibus-daemon did not answer" ibus_up

# use_engine NAME SECONDS: makes NAME the desktop's input method and waits until ibus says so.
# What ibus last said is kept in $e2e_work/engine.log for the failure message.
use_engine() {
  local deadline=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$deadline" ]; do
    { echo "-- at $SECONDS s"; timeout 30 ibus engine "$1"; echo "(status $?)"; } >"$e2e_work/engine.log" 2>&1 || true
    [ "$(timeout 30 ibus engine 2>>"$e2e_work/engine.log")" = "$1" ] && return 0
    sleep 0.2
  done
  { echo "-- processes"; ps -o pid,stat,etime,args -u "$(id -u)"; } >>"$e2e_work/engine.log" 2>&1
  return 1
}
ibus_said() { cat "$e2e_work/ibus.log" "$e2e_work/engine.log" 2>/dev/null; }
# The first start of Mozc loads its dictionaries, slow on a loaded machine: a generous limit.
started=$SECONDS
use_engine mozc-jp 180 || e2e_fail "ibus did not take Mozc within 180 s: $(ibus_said)"
echo "(Mozc answered after $((SECONDS - started)) s)"

# Qt looks for ibus when the program starts; the daemon is up by now.
export QT_IM_MODULE=ibus
e2e_start_program "$program"

name_box() { e2e_click_control nameBox; }
day_field() { e2e_click_control dayField; }
# type_converted ROMAJI: types a word with Mozc on, converts it and commits the first candidate.
type_converted() { e2e_type "$1"; e2e_key space; sleep 0.5; e2e_key Return; }
save() {
  e2e_click_control saveButton
  e2e_answer "新規登録"
}

# A name in kana, then 500 in the 1-day field with Mozc still on.
name_box
type_converted kinnenn
day_field
e2e_type 500
e2e_key Return
save

# The 1-day field has the focus when the input method is switched on.
use_engine xkb:us::eng 60 || e2e_fail "ibus did not take the engine xkb:us::eng: $(ibus_said)"
e2e_click_control newButton # ぽみろ: a new entry
day_field
use_engine mozc-jp 60 || e2e_fail "ibus did not take the engine mozc-jp: $(ibus_said)"
e2e_type 700
e2e_key Return
# The input method really is on: the name box converts.
name_box
type_converted ko-hi-
save

expected=$(printf '%s\r\n' \
  '"禁煙","\500","\3,500","\15,000","\91,250","\182,500","\547,500","\912,500","\1,825,000","\3,650,000","\5,475,000"' \
  '"コーヒー","\700","\4,900","\21,000","\127,750","\255,500","\766,500","\1,277,500","\2,555,000","\5,110,000","\7,665,000"')
actual=$(iconv -f CP932 -t UTF-8 "$e2e_work/データ.txt")
[ "$actual" = "$expected" ] || e2e_fail "data file:
$actual
expected:
$expected"

# Qt's own menu of the name box, read off the screen: its words are Japanese, so none of the English
# ones may be there, while its shortcuts show that the menu was read at all.
if command -v tesseract >/dev/null; then
  eval "$(xdotool getwindowgeometry --shell "$e2e_window")"
  xdotool mousemove --sync $((X + 200)) $((Y + 120)) click 3
  sleep 1
  import -window root "$e2e_work/menu.png"
  xdotool key Escape
  # Greyed-out items are read only once they are made black.
  convert "$e2e_work/menu.png" -crop "400x200+$((X + 200))+$((Y + 120))" -resize 300% \
          -colorspace Gray -threshold 85% "$e2e_work/menu-read.png"
  words=$(tesseract "$e2e_work/menu-read.png" - 2>/dev/null)
  ! grep -q -i -E 'undo|redo|copy|paste|delete|select all' <<<"$words" || e2e_fail "Qt's menu speaks English: $words"
  grep -q 'Ctrl' <<<"$words" || e2e_fail "no menu on the screen after a right click: $words"
else
  e2e_fail "the menu check needs tesseract (package tesseract-ocr)"
fi

kill -0 "$e2e_program_pid" 2>/dev/null || e2e_fail "the program ended: $(cat "$e2e_work/program.log")"
echo "PASS"
