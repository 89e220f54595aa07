#!/usr/bin/env bash
# A user's first minutes: type a name and 500 yen a day, save, and find the ten amounts in the data
# file as CP932; then delete the entry again and find the file empty.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_x
e2e_workdir
e2e_start_program "$program"
[ -f "$e2e_work/データ.txt" ] || e2e_fail "the data file was not created"

# The name box, then the 1-day field.
e2e_click_control nameBox
e2e_type "禁煙"
e2e_click_control dayField
e2e_type "500"
e2e_key Return

# Save, and confirm its message.
e2e_click_control saveButton
box=$(e2e_wait_window "新規登録") || e2e_fail "no confirmation after Save"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Return

expected=$(printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' | iconv -f UTF-8 -t CP932 | xxd -p | tr -d '\n')
actual=$(xxd -p "$e2e_work/データ.txt" | tr -d '\n')
[ "$actual" = "$expected" ] || e2e_fail "data file after Save: $actual, expected $expected"

# Delete: confirm the question, then the report.
e2e_click_control deleteButton
box=$(e2e_wait_window "削除確認") || e2e_fail "no question before Delete"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Return
box=$(e2e_wait_window "削除") || e2e_fail "no report after Delete"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Return

[ ! -s "$e2e_work/データ.txt" ] || e2e_fail "data file not empty after Delete: $(xxd "$e2e_work/データ.txt" | head -3)"
kill -0 "$e2e_program_pid" 2>/dev/null || e2e_fail "the program ended: $(cat "$e2e_work/program.log")"
echo "PASS"
