#!/usr/bin/env bash
# The program open twice on one folder: each window saves a new entry, the second is told that the
# file changed and reads it again, and in the end both entries (and a later change) are in the file.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_x
e2e_workdir
e2e_start_program "$program"
first=$e2e_window
e2e_start_program "$program"
second=$e2e_window

# save_new NAME DAY: types a name and a 1-day amount into the window in use and clicks Save.
type_entry() {
  e2e_click_control nameBox
  e2e_key ctrl+a
  e2e_type "$1"
  e2e_click_control dayField
  e2e_key ctrl+a
  e2e_type "$2"
  e2e_key Return
  e2e_click_control saveButton
}

file_text() { iconv -f CP932 -t UTF-8 "$e2e_work/データ.txt"; }

e2e_use_window "$first" 0 0
type_entry "朝の節約" 500
e2e_answer "新規登録"

# The second window loaded the file before the first saved: its save is refused and it reads again.
e2e_use_window "$second" 390 310
type_entry "夜の節約" 300
e2e_answer "保存できません"
file_text | grep -q '^"朝の節約","\\500",' || e2e_fail "the first window's entry was overwritten: $(file_text)"
type_entry "夜の節約" 300
e2e_answer "新規登録"

# The first window is now the one behind: its change of its own entry is refused once, then made.
e2e_use_window "$first"
type_entry "朝の節約" 1000
e2e_answer "保存できません"
type_entry "朝の節約" 1000
e2e_answer "データ更新"

expected=$(printf '"朝の節約","\\1,000","\\7,000",%s\n"夜の節約","\\300","\\2,100",%s' x x)
actual=$(file_text | tr -d '\r' | sed -E 's/^("[^"]*","[^"]*","[^"]*",).*/\1x/')
[ "$actual" = "$expected" ] || e2e_fail "data file: $actual, expected $expected"
for pid in "${e2e_pids[@]:1}"; do
  kill -0 "$pid" 2>/dev/null || e2e_fail "a program ended: $(cat "$e2e_work/program.log")"
done
echo "PASS"
