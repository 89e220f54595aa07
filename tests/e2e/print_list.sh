#!/usr/bin/env bash
# Prints the list through a real spooler: a cups-pdf queue on Letter paper as the default printer.
# The list window is opened and its grid's menu used by keys only (Shift+F10, "p" for 印刷). 40
# entries must arrive as one job of two pages, every name once, the header on both, the total at
# the end, with no failure message. A queue that refuses jobs brings up the failure message and
# leaves nothing queued.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_print_test

queue="pomiro_e2e_list_$$"
source "$(dirname "$0")/spooler.sh"

# 40 entries, more than a Letter page holds. Names without digits: the spooler's re-rendering
# loses the text of digits (the layout test reads them from the program's own PDF).
kana=(あ か さ た な は ま や)
names=()
for first in "${kana[@]:0:5}"; do
  for second in "${kana[@]}"; do names+=("習慣${first}${second}"); done
done
for name in "${names[@]}"; do
  printf '"%s","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' "$name"
done | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

# By keys: Tab to 一覧 (the fifth stop), Space; in the list window Tab to the grid; the grid's
# menu with Shift+F10 and its 印刷 by its mnemonic.
e2e_open_list_by_keys
list=$e2e_list
print_list() { e2e_key shift+F10; e2e_key p; }
print_list

for _ in $(seq 1 300); do [ "$(pdf_count)" -ge 1 ] && break; sleep 0.1; done
wait_jobs
pdf=$(newest_pdf)
[ -n "$pdf" ] || e2e_fail "no PDF arrived in $out_dir: $(cat "$e2e_work/program.log")"
[ "$(pdf_count)" -eq 1 ] || e2e_fail "more than one job for one print"
info=$(pdfinfo "$pdf")
[ "$(sed -n 's/^Pages:[[:space:]]*//p' <<<"$info")" = 2 ] || e2e_fail "not two pages: $info"
# Letter paper, whichever way the spooler turned it.
grep -qE '^Page size:.*(612 x 792|792 x 612)' <<<"$info" || e2e_fail "not on the queue's Letter paper: $(grep 'Page size' <<<"$info")"
for page in 1 2; do
  text=$(pdftotext -f "$page" -l "$page" -layout "$pdf" -)
  for expected in ぽみろ一覧 日 週間 ヶ月 半年 年; do
    grep -qF "$expected" <<<"$text" || e2e_fail "\"$expected\" missing from page $page: $text"
  done
done
text=$(pdftotext -layout "$pdf" -)
for name in "${names[@]}"; do
  [ "$(grep -oF "$name" <<<"$text" | wc -l)" -eq 1 ] || e2e_fail "\"$name\" is not on the pages exactly once: $text"
done
last=$(pdftotext -f 2 -l 2 -layout "$pdf" -)
grep -qF 全合計 <<<"$last" || e2e_fail "no total on the last page: $last"
! grep -qF 全合計 <<<"$(pdftotext -f 1 -l 1 -layout "$pdf" -)" || e2e_fail "a total on the first page"
! xdotool search --onlyvisible --name '^印刷エラー$' >/dev/null 2>&1 || e2e_fail "a failure box after a good print"

# A queue that refuses jobs: the user is told, nothing is queued, the list window stays.
jobs_before=$(job_count)
queued() { [ "$(job_count)" -gt "$jobs_before" ] && lpstat -W all -o "$queue" >&2; }
cupsreject "$queue"
xdotool windowactivate --sync "$list" 2>/dev/null || xdotool windowfocus --sync "$list"
print_list
box=$(e2e_wait_window "印刷エラー") || e2e_fail "no message when the queue refused the job"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Return
e2e_never "a refused list left a job (jobs above)" queued
xdotool search --onlyvisible --name '^ぽみろ一覧$' >/dev/null 2>&1 || e2e_fail "the list window closed"
echo "PASS"
