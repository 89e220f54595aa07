#!/usr/bin/env bash
# A blind user's session with the real screen reader of Debian's GNOME desktop, Orca, by keys only,
# in a Japanese locale: what Orca says is read from its own log. Each case starts the program anew
# on the same two entries, so one case that fails leaves the others their own window; every case
# runs, and the test fails naming the cases that failed and what Orca said instead.
#
#   screen_reader.sh BINARY [CASE...]     # the cases are the case_* functions below, without case_
#
# Orca, its speech server and the accessibility bus live in a home folder and on buses of the
# test's own; speech goes to a null sound device, and espeak-ng's reading does not matter: only the
# words in the log count.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

e2e_require /usr/bin/orca /usr/bin/python3 speech-dispatcher espeak-ng dbus-launch dbus-send openbox \
  /usr/libexec/at-spi-bus-launcher
/usr/bin/python3 -c 'import pyatspi, speechd' 2>/dev/null \
  || e2e_fail "python3-pyatspi or python3-speechd is missing (scripts/install-deps.sh installs them)"

# The Japanese locale Orca speaks in; making it takes root. A shell that is running does not see a
# locale made after it started, so the test starts again.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  [ -z "${POMIRO_E2E_LOCALE_MADE:-}" ] || e2e_fail "localedef made no ja_JP.UTF-8 locale"
  root_only "the ja_JP.UTF-8 locale is missing, and making it needs root" || exit 77
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  POMIRO_E2E_LOCALE_MADE=1 exec bash "$0" "$@"
fi

program=$(realpath "$1") # the program starts in a folder of its own
shift
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(top_buttons amount_in_full conversion browsing print_panel save_new list_window list_menu records_window help_window)

# ---------------------------------------------------------------------------------------------
# The desktop: X, a session bus, the accessibility bus, a window manager (Orca follows the focus
# only under one), the speech server's settings, then Orca.

e2e_start_x
e2e_workdir
export HOME=$e2e_work/home XDG_CONFIG_HOME=$e2e_work/home/.config
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DBUS_SESSION_BUS_ADDRESS
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$e2e_work/orca-prefs"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "ja"
EOF

# Orca starts the speech server itself, which leaves its parent: it is found by its pid file.
stop_speech_server() {
  local pid
  for pid in $(cat "$XDG_RUNTIME_DIR"/speech-dispatcher/pid/*.pid 2>/dev/null); do
    kill "$pid" 2>/dev/null || true
  done
}
# Orca's log stays in the build folder for whoever reads a failure.
keep_orca_log() { cp "$orca_log" "${POMIRO_BUILD_DIR:-/tmp}/e2e-screen_reader-orca.log" 2>/dev/null || true; }
trap 'keep_orca_log; stop_speech_server; e2e_cleanup' EXIT

# Each piece starts once the one before it answers.
eval "$(dbus-launch --sh-syntax)"
e2e_pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$e2e_work/at-spi.log" 2>&1 &
e2e_pids+=($!)
at_spi_bus_up() {
  timeout 5 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null | grep -q 'string "unix:'
}
e2e_wait_until 30 $! "$e2e_work/at-spi.log" "the accessibility bus did not answer" at_spi_bus_up

openbox --sm-disable >"$e2e_work/openbox.log" 2>&1 &
e2e_pids+=($!)
openbox_pid=$!
# A window mapped before the window manager runs is never activated, and Orca never hears it.
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
e2e_wait_until 30 $! "$e2e_work/openbox.log" "openbox did not start" wm_up

orca_log=$e2e_work/orca.log
/usr/bin/python3 "$here/orca_logged.py" -u "$e2e_work/orca-prefs" --debug --debug-file "$orca_log" \
  >"$e2e_work/orca.out" 2>&1 &
e2e_pids+=($!)
orca_pid=$!

# ---------------------------------------------------------------------------------------------
# What Orca said.

# Every utterance so far, one a line, in order. Orca logs each as "SPEECH OUTPUT: 'TEXT'" with the
# voice after the quote ("'TEXT'{...}", "'TEXT'[{...}]", "'TEXT' voice=uppercase{...}"; Orca 48 puts
# a space before the voice: "'TEXT' {...}"). Its echo of the keys pressed is the user's, not the
# program's: Orca 43 ends it in a space inside the quotes ("'tab ' {...}"), Orca 48 gives it a voice
# of nothing but "{'established': False}" ("'tab' {'established': False}").
orca_utterances() {
  [ -f "$orca_log" ] || return 0
  sed -n -e "/SPEECH OUTPUT: '.*' {'established': False}[[:space:]]*$/d" \
    -e "s/^.*SPEECH OUTPUT: '\(.*[^ ]\)'\( voice=[a-z]*\)\? \?\(\[\?{.*}\]\?\)[[:space:]]*$/\1/p" "$orca_log"
}

# orca_mark: what is said from now on is what the next checks look at.
orca_mark() { orca_marked=$(orca_utterances | wc -l); }
orca_since_mark() { orca_utterances | tail -n "+$((orca_marked + 1))"; }

# orca_said PATTERN: an utterance since the mark matches. (Not a pipe into grep -q: under pipefail,
# grep leaving early would make a match look like a failure.)
orca_said() { grep -qE -- "$1" <<<"$(orca_since_mark)"; }

orca_heard() { # what was said since the mark, for a failure message
  local heard
  heard=$(orca_since_mark | sed 's/^/    /')
  echo "${heard:-    (nothing)}"
}

# orca_wait PATTERN SECONDS: waits for an utterance since the mark that matches the extended
# regular expression PATTERN.
orca_wait() {
  local i
  for ((i = 0; i < $2 * 5; i++)); do
    orca_said "$1" && return 0
    sleep 0.2
  done
  return 1
}

# orca_expect PATTERN [SECONDS]: orca_wait, 5 s unless told; fails the case with what was said
# instead.
orca_expect() {
  orca_wait "$1" "${2:-5}" || e2e_fail "Orca did not say /$1/; it said since the last key:
$(orca_heard)"
}

# orca_never PATTERN [SECONDS]: for SECONDS (2 unless told), no utterance since the mark matches.
orca_never() {
  local pattern=$1 seconds=${2:-2} i found
  for ((i = 0; i < seconds * 5; i++)); do
    if found=$(grep -E -- "$pattern" <<<"$(orca_since_mark)"); then
      e2e_fail "Orca said /$pattern/: \"$found\"; everything since the last key:
$(orca_heard)"
    fi
    sleep 0.2
  done
}

# say_after KEY PATTERN...: presses KEY and expects an utterance matching PATTERN (then the next
# PATTERN, each among what was said after KEY).
say_after() {
  local key=$1
  shift
  orca_mark
  e2e_key "$key"
  local pattern
  for pattern in "$@"; do orca_expect "$pattern"; done
}

# press_until KEY TIMES PATTERN: presses KEY up to TIMES times until an utterance matches.
press_until() {
  local key=$1 times=$2 pattern=$3 i
  orca_mark
  for ((i = 0; i < times; i++)); do
    e2e_key "$key"
    sleep 0.7
    orca_said "$pattern" && return 0
  done
  orca_expect "$pattern" 2
}

# Orca is ready when it has greeted the user.
orca_mark
for i in $(seq 1 100); do
  [ -n "$(orca_utterances)" ] && break
  kill -0 "$orca_pid" 2>/dev/null || e2e_fail "Orca ended: $(cat "$e2e_work/orca.out")"
  sleep 0.2
done
[ -n "$(orca_utterances)" ] || e2e_fail "Orca said nothing within 20 s: $(tail -n 20 "$orca_log" 2>/dev/null)"

# ---------------------------------------------------------------------------------------------
# The program, and words the cases listen for.

# Two entries; the first is shown at start-up, with the focus on the scroll bar.
printf '%s\r\n' \
  '"禁煙","\500","\3,500","\15,000","\91,250","\182,500","\547,500","\912,500","\1,825,000","\3,650,000","\5,475,000"' \
  '"コーヒー","\300","\2,100","\9,000","\54,750","\109,500","\328,500","\547,500","\1,095,000","\2,190,000","\3,285,000"' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/data.txt"
# The help file the build makes beside the binary; copied into the working folder, where the program
# looks first, so that a binary copied elsewhere finds it too.
help_file=$(dirname "$program")/RwHelp.chm
[ -f "$help_file" ] || help_file=${POMIRO_BUILD_DIR:-.}/RwHelp.chm

readonly periods='(１日|１週間|[1１]ヶ月|半年|１年|３年|５年|１０年|２０年|３０年)'
readonly names='(禁煙|コーヒー)'
# Orca speaks the state in English ("selected"), which "unselected" must not pass for.
readonly selected='(^|[^n])selected|選択(され|済)'

# What the desktop looks like, for a failure message: the window manager, the active window, the
# focus and the program's window.
desktop_state() {
  local wm=running
  kill -0 "$openbox_pid" 2>/dev/null || wm="ended: $(cat "$e2e_work/openbox.log")"
  echo "openbox $wm; $(xprop -root _NET_ACTIVE_WINDOW 2>&1); focus $(xdotool getwindowfocus 2>&1);" \
    "program window $e2e_window, $(xwininfo -id "$e2e_window" 2>&1 | grep -a 'Map State');" \
    "program $(ps -o stat=,wchan:32= -p "$e2e_program_pid" 2>&1); it said: $(tail -n 5 "$e2e_work/program.log")"
}

# How the program stands on the accessibility bus, for a failure message: its connections there,
# the applications the registry holds, and how many event listeners it has registered.
a11y_state() {
  local bus name bus_names pid mine=""
  bus=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null | tr -d ' ')
  a11y_call() { timeout 5 dbus-send --bus="$bus" --print-reply=literal "$@" 2>&1; }
  bus_names=$(a11y_call --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.ListNames | tr ' ' '\n' | grep '^:')
  for name in $bus_names; do
    pid=$(a11y_call --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
      "string:$name" | awk '{print $NF}')
    [ "$pid" != "$e2e_program_pid" ] || mine="$mine $name"
  done
  echo "program on the accessibility bus as:${mine:- nothing};" \
    "registry's applications: $(a11y_call --dest=org.a11y.atspi.Registry /org/a11y/atspi/accessible/root \
      org.a11y.atspi.Accessible.GetChildren | tr -s ' \n' ' ');" \
    "registered events: $(a11y_call --dest=org.a11y.atspi.Registry /org/a11y/atspi/registry \
      org.a11y.atspi.Registry.GetRegisteredEvents | grep -c ':')"
}

# start_program: the program afresh on the two entries, and Orca hearing its window.
start_program() {
  rm -f "$e2e_work/データ.txt" "$e2e_work/RwHelp.chm"
  cp "$e2e_work/data.txt" "$e2e_work/データ.txt"
  [ ! -f "$help_file" ] || cp "$help_file" "$e2e_work/"
  orca_mark
  e2e_start_program "$program"
  # Orca follows the program once it hears that the window is active, also when the window manager
  # activated it before Qt's accessibility bridge was up: the program reports it again then.
  orca_wait 'ぽみろの切り替え' 10 && return 0
  e2e_fail "Orca did not hear the program start; it said:
$(orca_heard)
$(desktop_state); $(a11y_state)"
}

stop_program() {
  if [ -n "${e2e_program_pid:-}" ]; then
    kill "$e2e_program_pid" 2>/dev/null || true
    wait "$e2e_program_pid" 2>/dev/null || true
  fi
}

# tab_to COUNT PATTERN: COUNT presses of Tab (Shift+Tab when COUNT is negative); the last one must
# be heard.
tab_to() {
  local count=$1 key=Tab i
  [ "$count" -gt 0 ] || { key=shift+Tab; count=$((-count)); }
  for ((i = 1; i < count; i++)); do e2e_key "$key"; done
  say_after "$key" "$2"
}

# expect_window_closes TITLE: the window titled TITLE goes away within 3 s.
expect_window_closes() {
  local i
  for i in $(seq 1 15); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  e2e_fail "the window \"$1\" is still open"
}

# ---------------------------------------------------------------------------------------------
# The cases. The tab order of the main window: the scroll bar (focused at start-up), the seven top
# buttons, the name box, the ten amount fields.

# Tab reaches the top buttons and the name box, each heard by its name.
case_top_buttons() {
  start_program
  local button
  for button in ぽみろ 保存 削除 印刷 一覧 ヘルプ 終了; do
    say_after Tab "^$button"
  done
  say_after Tab 'combo box|コンボボックス'
}

# An amount is heard in full, never one character short.
case_amount_in_full() {
  start_program
  tab_to 9 '\\500'
  orca_never '\\50([^0-9,]|$)'
  say_after Tab '\\3,500'
  orca_never '\\3,50([^0-9,]|$)'
}

# After a conversion the user is told that the amounts changed. (The field's own description says
# what Enter will do, "…換算します": that is no report that it was done.)
case_conversion() {
  start_program
  tab_to 9 '\\500'
  e2e_type 1000
  say_after Return '換算しました'
}

# The scroll bar says which entry is shown and where it is.
case_browsing() {
  start_program
  say_after Right 'コーヒー.*2 / 2|2 / 2.*コーヒー'
  say_after Left '禁煙.*1 / 2|1 / 2.*禁煙'
}

# The print panel opens on its first letter, is heard button by button, and Esc gives the focus
# back to 印刷.
case_print_panel() {
  start_program
  tab_to 4 '^印刷'
  say_after space '宣言書'
  say_after Tab '依頼書'
  say_after Escape '^印刷'
}

# A success is heard as information, not as a warning.
case_save_new() {
  start_program
  say_after Tab '^ぽみろ'
  say_after space 'ぽみろの名前'
  e2e_type test
  tab_to 1 '金額|１日|Ｅｎｔｅｒ'
  e2e_type 800
  e2e_key Return
  tab_to -7 '^保存'
  say_after space 'testを登録しました'
  orca_never '警告' 1
  e2e_key Return
}

# The list window by keys: the grid's cells with their row's name and period, selection, the total
# row, one Tab out of the grid, Esc.
case_list_window() {
  start_program
  tab_to 5 '^一覧'
  say_after space '戻る'
  e2e_wait_window ぽみろ一覧 >/dev/null || e2e_fail "the list window did not open"
  say_after Tab 'ぽみろ一覧の表|table with'
  press_until Right 2 "$names.*$periods.*\\\\[0-9]"
  say_after space "$selected"
  press_until Down 6 '全合計'
  say_after Tab '戻る'
  orca_mark
  e2e_key Escape
  expect_window_closes ぽみろ一覧
}

# The list's menu by keys: Shift+F10 in the grid opens it on its first item, the arrows walk the
# items, Esc closes the menu and leaves the list open.
case_list_menu() {
  start_program
  tab_to 5 '^一覧'
  say_after space '戻る'
  e2e_wait_window ぽみろ一覧 >/dev/null || e2e_fail "the list window did not open"
  say_after Tab 'ぽみろ一覧の表|table with'
  say_after shift+F10 'コピー'
  say_after Down 'CSV で保存'
  say_after Escape "$names|$periods|ぽみろ一覧の表"
  xdotool search --onlyvisible --name '^ぽみろ一覧$' >/dev/null || e2e_fail "Esc in the menu closed the list"
}

# Sorting by keys: the grid's menu, 並べ替え, a column's title; the new order is heard, and the
# grid has the focus again.
case_sort_by_keys() {
  start_program
  tab_to 5 '^一覧'
  say_after space '戻る'
  e2e_wait_window ぽみろ一覧 >/dev/null || e2e_fail "the list window did not open"
  say_after Tab 'ぽみろ一覧の表|table with'
  say_after shift+F10 'コピー'
  say_after o 'ぽみろ…'
  press_until Down 6 '^１年'
  say_after Return '１年の大きい順に並べ替えました'
  say_after shift+F10 'コピー'
  say_after o 'ぽみろ…'
  say_after r '元の順に並べ替えました'
}

# The savings window by keys: opened from the list's menu and heard by its title on the rate; a
# step of the rate is told with the new 30-year figure; the start, the tax, the target and its
# years are heard by their names, each change told with the figures it moved, and the start typed
# heard again with its value; the table's cells are heard with their row and column; Esc closes
# it and leaves the list.
case_savings_window() {
  start_program
  tab_to 5 '^一覧'
  say_after space '戻る'
  e2e_wait_window ぽみろ一覧 >/dev/null || e2e_fail "the list window did not open"
  say_after Tab 'ぽみろ一覧の表|table with'
  say_after shift+F10 'コピー'
  say_after t 'ぽみろの積み立て' '年利'
  say_after Up '年利 3.5％ で運用した場合、３０年で \\[0-9]'
  say_after Tab 'いまある額'
  e2e_type 50000
  say_after Return '運用した場合、３０年で \\[0-9]'
  say_after Tab '運用益に税金がかかる'
  say_after space '運用した場合、３０年で \\[0-9]'
  say_after shift+Tab 'いまある額' '\\50,000'
  say_after Tab '運用益に税金がかかる'
  say_after Tab '目標額'
  e2e_type 3000000
  say_after Return '目標の \\3,000,000 に届くのは .*。１０年で届くには毎月 \\[0-9,]+'
  say_after Tab '何年で.*10'
  say_after Up '１１年で届くには毎月 \\[0-9,]+'
  say_after Tab '積み立ての表|table with'
  press_until Right 2 '１年 積み立てた額 \\[0-9]'
  say_after Right '１年 運用した場合 \\[0-9]'
  orca_mark
  e2e_key Escape
  expect_window_closes ぽみろの積み立て
  xdotool search --onlyvisible --name '^ぽみろ一覧$' >/dev/null || e2e_fail "Esc in the savings window closed the list"
}

# The record window by keys: Ctrl+R opens it on the entry shown and it is heard by its title; Tab
# reaches the quit date by its name; a date typed and set is told with the days and the amount
# saved; Esc closes it.
case_records_window() {
  rm -f "$e2e_work/ぽみろの記録.json"
  start_program
  say_after ctrl+r 'ぽみろの記録'
  say_after Tab 'やめた日'
  e2e_type "2026/9/1"
  say_after Return 'やめてから [0-9]+ 日、\\[0-9,]+'
  orca_mark
  e2e_key Escape
  expect_window_closes ぽみろの記録
}

# The help by keys: the page read line by line, a link reached by Tab, Esc.
case_help_window() {
  [ -f "$help_file" ] || e2e_fail "no help file at $help_file (build the target pomiro_help)"
  start_program
  local title="ぽみろチェッカーへようこそ - ぽみろチェッカー ヘルプ"
  tab_to 6 '^ヘルプ'
  say_after space 'ヘルプの本文'
  e2e_wait_window "$title" >/dev/null || e2e_fail "the help window did not open"
  press_until Down 4 'ぽみろチェッカーは|毎日の小さな習慣|節約計算機|「ぽみろ」とは'
  say_after Tab '(はじめに|金額の換算|保存と削除|一覧と合計|積み立ての試算|手紙の印刷)'
  orca_mark
  e2e_key Escape
  expect_window_closes "$title"
}

# ---------------------------------------------------------------------------------------------

failed=()
for name in "${cases[@]}"; do
  declare -F "case_$name" >/dev/null || e2e_fail "no case \"$name\""
  echo "--- $name"
  # A subshell of its own, so that the first failed check ends the case (and its program) only.
  set +e
  (
    set -e
    trap stop_program EXIT
    "case_$name"
  )
  status=$?
  set -e
  if [ "$status" -eq 0 ]; then
    echo "ok: $name"
  else
    failed+=("$name")
    shot=${POMIRO_BUILD_DIR:-/tmp}/e2e-failure-screen_reader
    [ ! -f "$shot.png" ] || mv "$shot.png" "$shot-$name.png"
  fi
done

kill -0 "$orca_pid" 2>/dev/null || e2e_fail "Orca ended during the test: $(cat "$e2e_work/orca.out")"
[ ${#failed[@]} -eq 0 ] || e2e_fail "cases failed: ${failed[*]}"
echo "PASS"
