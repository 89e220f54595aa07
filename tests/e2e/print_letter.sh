#!/usr/bin/env bash
# Prints the declaration through a real spooler: a cups-pdf queue as the default printer. The
# page must arrive as one PDF with the entry on it and the print panel must close. A queue that
# refuses jobs must bring up the failure message and leave the panel open.
source "$(dirname "$0")/lib.sh"
program=$1

root_only "adding a print queue needs root" || exit 77
command -v cupsd >/dev/null || [ -x /usr/sbin/cupsd ] || e2e_fail "cupsd missing (scripts/install-deps.sh)"
[ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || e2e_fail "printer-driver-cups-pdf missing"

e2e_start_x
e2e_workdir

# The spooler: ours unless one is running already; our queue is the default while we run.
queue="pomiro_e2e_$$"
# lpstat -r exits 0 either way; only its text tells.
spooler_up() { [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; }
previous_default=""
cupsd_pid=""
print_cleanup() {
  if spooler_up; then
    cancel -a -x "$queue" 2>/dev/null || true
    lpadmin -x "$queue" 2>/dev/null || true
    [ -n "$previous_default" ] && lpadmin -d "$previous_default" 2>/dev/null || true
  fi
  [ -n "${marker:-}" ] && [ -n "${out_dir:-}" ] && find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$marker" -delete 2>/dev/null
  if [ -n "$cupsd_pid" ]; then kill "$cupsd_pid" 2>/dev/null || true; wait "$cupsd_pid" 2>/dev/null || true; fi
  e2e_cleanup
}
trap print_cleanup EXIT

if ! spooler_up; then
  mkdir -p /run/cups
  /usr/sbin/cupsd -f </dev/null >"$e2e_work/cupsd.log" 2>&1 &
  cupsd_pid=$!
  for _ in $(seq 1 100); do spooler_up && break; sleep 0.1; done
  spooler_up || e2e_fail "cupsd did not start: $(cat "$e2e_work/cupsd.log")"
fi
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
lpadmin -p "$queue" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>/dev/null
# Letter, not A4, as this queue's paper: the letter must come out on the printer's own paper.
lpadmin -p "$queue" -o PageSize=Letter
lpadmin -d "$queue"

# cups-pdf writes into the job owner's home (Out in cups-pdf.conf).
out_dir=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf | tail -n 1)
out_dir=${out_dir:-'${HOME}/PDF'}
out_dir=${out_dir//'${HOME}'/$HOME}
mkdir -p "$out_dir"
marker="$e2e_work/before-print"
touch "$marker"
sleep 1 # newer-than needs a later second on some file systems

# Every job the queue ever had, done or not: a job that came and went still counts.
job_count() { lpstat -W all -o "$queue" 2>/dev/null | wc -l; }
newest_pdf() { find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$marker" -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2-; }
pdf_count() { find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$marker" | wc -l; }
wait_jobs() {
  for _ in $(seq 1 600); do [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && return 0; sleep 0.1; done
  e2e_fail "the job did not finish: $(lpstat -o "$queue")"
}

# One saved entry, shown at start-up.
printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

# Print (printButton), then 宣言書 (declarationButton in printPanel at 6225, 1200).
click_print() { e2e_click_twips 6300 150 765 990; }
click_sengen() { e2e_click_twips $((6225 + 75)) $((1200 + 150)) 765 990; }
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
e2e_never 10 "a second document from a hidden panel" printed_again

# A queue that refuses jobs: the user is told, nothing is queued, the panel stays open.
jobs_before=$(job_count)
queued() { [ "$(job_count)" -gt "$jobs_before" ] && lpstat -W all -o "$queue" >&2; }
cupsreject "$queue"
click_print
click_sengen
box=$(e2e_wait_window "印刷エラー") || e2e_fail "no message when the queue refused the job"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
e2e_key Return
e2e_never 10 "a refused letter left a job (jobs above)" queued
cupsaccept "$queue"
click_sengen # no 印刷 first: the panel is still open
for _ in $(seq 1 300); do [ "$(pdf_count)" -ge 2 ] && break; sleep 0.1; done
wait_jobs
[ "$(pdf_count)" -eq 2 ] || e2e_fail "the panel did not stay open after the failure"
echo "PASS"
