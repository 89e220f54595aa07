#!/usr/bin/env bash
# Typing through fcitx5 with Mozc, the input method of KDE Plasma and of many Japanese desktops: a
# name typed in romaji and converted in the name box, then an amount typed into a field with Mozc
# still on (the amount fields take no input method, so the digits go in as they are) and converted
# with Enter. The entry is saved and the data file holds 禁煙 in CP932.
#
# Mozc refuses to run as root, so as root the test runs again as nobody. fcitx5, Mozc and their
# settings live in a home folder and on a session bus of the test's own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
source "$here/lib.sh"
e2e_require fcitx5 fcitx5-remote dbus-launch dbus-send setpriv pgrep /usr/lib/mozc/mozc_server
[ -f /usr/lib/x86_64-linux-gnu/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so ] \
  || e2e_fail "fcitx5's Qt 6 module is missing (package fcitx5-frontend-qt6)"

e2e_as_nobody "$0" "$program"

e2e_start_x
e2e_workdir
export HOME=$e2e_work/home XDG_CONFIG_HOME=$e2e_work/home/.config
mkdir -p "$XDG_CONFIG_HOME/fcitx5"
# The input methods of the desktop: an English keyboard and Mozc, Mozc by default. Without this
# group fcitx5 has no Mozc under C.UTF-8, and switching to it is silently ignored.
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE

# A session bus of the test's own: fcitx5 answers on it, and the program finds fcitx5 there.
eval "$(dbus-launch --sh-syntax)"
e2e_pids+=("$DBUS_SESSION_BUS_PID")
export XMODIFIERS=@im=fcitx QT_IM_MODULE=fcitx

# Everything fcitx5 and Mozc started ends with the test, by PID: mozc_server outlives fcitx5.
stop_input_method() {
  local pid
  for pid in $(pgrep -u "$(id -u)" -f '^[^ ]*(fcitx5|mozc_server|mozc_renderer)( |$)' || true); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "HOME=$HOME" && kill -KILL "$pid" 2>/dev/null || true
  done
}
trap 'stop_input_method; e2e_cleanup' EXIT

fcitx5 -D --disable=wayland,waylandim,notificationitem >"$e2e_work/fcitx5.log" 2>&1 &
fcitx5_pid=$!
e2e_pids+=("$fcitx5_pid")
# Asked before fcitx5 owns its name on the bus, fcitx5-remote would start a second one.
fcitx5_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q 'boolean true'
}
e2e_wait_until 60 "$fcitx5_pid" "$e2e_work/fcitx5.log" "fcitx5 did not come up on the session bus" fcitx5_up

e2e_start_program "$program"

# fcitx5 switches only the input context that has the focus, a text field's. The program's reaches
# fcitx5 a moment after the click, later on a loaded machine, and a switch asked before that is
# lost: it is asked again, every 2 s, until it holds.
e2e_click_control nameBox
asked=0
mozc_on() {
  if ((asked++ % 20 == 0)); then
    timeout 10 fcitx5-remote -s mozc || true
    timeout 10 fcitx5-remote -o || true
  fi
  [ "$(timeout 10 fcitx5-remote 2>/dev/null)" = 2 ]
}
# Mozc loads its dictionaries at its first start, slow on a loaded machine: a generous limit.
e2e_wait_until 120 "$fcitx5_pid" "$e2e_work/fcitx5.log" "fcitx5 did not switch Mozc on" mozc_on
[ "$(timeout 10 fcitx5-remote -n 2>/dev/null)" = mozc ] || e2e_fail "the input method is not Mozc: $(timeout 10 fcitx5-remote -n 2>&1)"

e2e_type kinnenn
e2e_key space
sleep 0.5
e2e_key Return
e2e_click_control dayField
e2e_type 500
e2e_key Return
e2e_click_control saveButton
e2e_answer "新規登録"

expected=$(printf '%s\r\n' \
  '"禁煙","\500","\3,500","\15,000","\91,250","\182,500","\547,500","\912,500","\1,825,000","\3,650,000","\5,475,000"')
actual=$(iconv -f CP932 -t UTF-8 "$e2e_work/データ.txt")
[ "$actual" = "$expected" ] || e2e_fail "data file:
$actual
expected:
$expected
fcitx5: $(tail -n 20 "$e2e_work/fcitx5.log")"
kill -0 "$e2e_program_pid" 2>/dev/null || e2e_fail "the program ended: $(cat "$e2e_work/program.log")"
echo "PASS"
