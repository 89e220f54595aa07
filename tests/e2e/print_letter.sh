#!/usr/bin/env bash
# Prints the declaration through a real spooler: a cups-pdf queue as the default printer. The
# page must arrive as one PDF with the entry on it and the print panel must close. A queue that
# refuses jobs must bring up the failure message and leave the panel open.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_print_test

queue="pomiro_e2e_$$"
source "$(dirname "$0")/spooler.sh"

# One saved entry, shown at start-up.
printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

# Print, then 宣言書 in the print panel.
click_print() { e2e_click_control printButton; }
click_sengen() { e2e_click_control declarationButton; }
click_print
click_sengen
for _ in $(seq 1 300); do [ "$(pdf_count)" -ge 1 ] && break; sleep 0.1; done
wait_jobs
pdf=$(newest_pdf)
[ -n "$pdf" ] || e2e_fail "no PDF arrived in $out_dir"
[ "$(pdfinfo "$pdf" | sed -n 's/^Pages:[[:space:]]*//p')" = 1 ] || e2e_fail "not one page: $(pdfinfo "$pdf")"
pdfinfo "$pdf" | grep -q '^Page size:.*612 x 792' || e2e_fail "not on the queue's Letter paper: $(pdfinfo "$pdf" | grep 'Page size')"
text=$(pdftotext -layout "$pdf" -)
# The spooler's re-rendering loses the text of digits and "…" (the direct PDF test checks them).
for expected in 宣言書 禁煙 有言実行。絶対達成するぞ！ 年 月 日; do
  grep -qF "$expected" <<<"$text" || e2e_fail "\"$expected\" missing from the printed page: $text"
done
! xdotool search --onlyvisible --name '^印刷エラー$' >/dev/null 2>&1 || e2e_fail "a failure box after a good print"

# The panel closed: the same spot now falls on the name box and prints nothing.
jobs_before=$(job_count)
printed_again() { [ "$(job_count)" -gt "$jobs_before" ] || [ "$(pdf_count)" -gt 1 ]; }
click_sengen
e2e_never "a second document from a hidden panel" printed_again

# A queue that refuses jobs: the user is told, nothing is queued, the panel stays open.
jobs_before=$(job_count)
queued() { [ "$(job_count)" -gt "$jobs_before" ] && lpstat -W all -o "$queue" >&2; }
cupsreject "$queue"
click_print
click_sengen
box=$(e2e_wait_window "印刷エラー") || e2e_fail "no message when the queue refused the job"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Return
e2e_never "a refused letter left a job (jobs above)" queued
cupsaccept "$queue"
click_sengen # no 印刷 first: the panel is still open
for _ in $(seq 1 300); do [ "$(pdf_count)" -ge 2 ] && break; sleep 0.1; done
wait_jobs
[ "$(pdf_count)" -eq 2 ] || e2e_fail "the panel did not stay open after the failure"
echo "PASS"
