#!/usr/bin/env bash
# The titles a window manager shows (_NET_WM_NAME) are exactly the windows' own: the main window,
# a message box, the help window and the list window, with nothing appended.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_x
e2e_workdir
printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

expect_title() { # WINDOW TITLE
  local shown
  shown=$(e2e_shown_title "$1")
  [ "$shown" = "$2" ] || e2e_fail "the window manager shows \"$shown\", expected \"$2\""
}

expect_title "$e2e_window" "ぽみろチェッカー"

# Delete asks first; Escape answers Cancel.
e2e_click_control deleteButton
box=$(e2e_wait_window "削除確認") || e2e_fail "no question before Delete"
expect_title "$box" "削除確認"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Escape

# The help window and the list window open over the main window: moved aside once checked.
e2e_click_control helpButton
help_title="ぽみろチェッカーへようこそ - ぽみろチェッカー ヘルプ"
help=$(e2e_wait_window "$help_title") || e2e_fail "the help did not open: $(cat "$e2e_work/program.log")"
expect_title "$help" "$help_title"
xdotool windowmove --sync "$help" 0 700

e2e_click_control listButton
list=$(e2e_wait_window "ぽみろ一覧") || e2e_fail "the list window did not open"
expect_title "$list" "ぽみろ一覧"

kill -0 "$e2e_program_pid" 2>/dev/null || e2e_fail "the program ended: $(cat "$e2e_work/program.log")"
echo "PASS"
