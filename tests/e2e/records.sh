#!/usr/bin/env bash
# Since I quit, by keys alone: Ctrl+R opens the records on the entry shown, Tab reaches the quit
# date, the date is typed and Enter sets it; the record file beside the data file then holds the
# run, the data file is byte for byte as it was, and Ctrl+Z takes the run back. Esc closes.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_x
e2e_workdir
printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' |
  iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
data_before=$(xxd -p "$e2e_work/データ.txt" | tr -d '\n')
records="$e2e_work/ぽみろの記録.json"
e2e_start_program "$program"

# The keyboard's focus goes to the window with a click, as there is no window manager to give it.
e2e_click_control dayField
e2e_key ctrl+r
window=$(e2e_wait_window "ぽみろの記録") || e2e_fail "Ctrl+R opened no record window"
e2e_settle "$window"
# The table has the focus; the quit date is next.
e2e_key Tab
e2e_type "2026/9/1"
e2e_key Return
e2e_settle "$window"

[ -f "$records" ] || e2e_fail "no record file after the date was set: $(ls "$e2e_work")"
python3 - "$records" <<'PY' || e2e_fail "record file after the date: $(cat "$records")"
import json, sys
data = json.load(open(sys.argv[1], encoding="utf-8"))
assert data["version"] == 1, data
[record] = data["records"]
assert record["name"] == "禁煙", record
assert record["runs"] == [{"start": "2026-09-01", "firstDaily": "500"}], record
PY
[ "$(xxd -p "$e2e_work/データ.txt" | tr -d '\n')" = "$data_before" ] || e2e_fail "the data file changed"

# Ctrl+Z in the record window takes the run back, and says so.
e2e_key ctrl+z
e2e_answer "元に戻す"
python3 - "$records" <<'PY' || e2e_fail "record file after Ctrl+Z: $(cat "$records")"
import json, sys
assert json.load(open(sys.argv[1], encoding="utf-8"))["records"] == []
PY

xdotool windowactivate --sync "$window" 2>/dev/null || true
e2e_key Escape
e2e_never "Esc left the record window open" xdotool search --onlyvisible --name '^ぽみろの記録$'
kill -0 "$e2e_program_pid" 2>/dev/null || e2e_fail "the program ended: $(cat "$e2e_work/program.log")"
echo "PASS"
