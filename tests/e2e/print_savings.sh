#!/usr/bin/env bash
# The savings window printed through a real spooler (a cups-pdf queue on Letter paper as the
# default printer), by keys only: the list's grid, its menu (Shift+F10, "t" for 積み立てると), then
# the window's 印刷 by its mnemonic (Alt+P). One job of one page must arrive with the title, the
# rate, the table's titles and the chart's legend, with no failure message; Esc then closes the
# window and the list is back.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_print_test

queue="pomiro_e2e_savings_$$"
source "$(dirname "$0")/spooler.sh"

printf '"%s","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' 禁煙 コーヒー \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

e2e_open_list_by_keys
list=$e2e_list
e2e_key shift+F10
e2e_key t
savings=$(e2e_wait_window "ぽみろの積み立て") || e2e_fail "the savings window did not open: $(cat "$e2e_work/program.log")"
xdotool windowactivate --sync "$savings" 2>/dev/null || xdotool windowfocus --sync "$savings"
e2e_key alt+p

for _ in $(seq 1 300); do [ "$(pdf_count)" -ge 1 ] && break; sleep 0.1; done
wait_jobs
pdf=$(newest_pdf)
[ -n "$pdf" ] || e2e_fail "no PDF arrived in $out_dir: $(cat "$e2e_work/program.log")"
[ "$(pdf_count)" -eq 1 ] || e2e_fail "more than one job for one print"
info=$(pdfinfo "$pdf")
[ "$(sed -n 's/^Pages:[[:space:]]*//p' <<<"$info")" = 1 ] || e2e_fail "not one page: $info"
grep -qE '^Page size:.*612 x 792' <<<"$info" || e2e_fail "not on the queue's Letter paper, upright: $(grep 'Page size' <<<"$info")"
# The spooler's re-rendering loses the text of some runs (digits, the title's face at its size,
# the date's kanji; the page test reads them from the program's own PDF), so these are words that
# survive it.
text=$(pdftotext -layout "$pdf" -)
for expected in 積み立てます すべての 年利 期間 積み立てた額 運用した場合 増えた分 万円 試算; do
  grep -qF "$expected" <<<"$text" || e2e_fail "\"$expected\" missing from the page: $text"
done
! xdotool search --onlyvisible --name '^印刷エラー$' >/dev/null 2>&1 || e2e_fail "a failure box after a good print"

xdotool windowactivate --sync "$savings" 2>/dev/null || xdotool windowfocus --sync "$savings"
e2e_key Escape
closed() { ! xdotool search --onlyvisible --name '^ぽみろの積み立て$' >/dev/null 2>&1; }
for _ in $(seq 1 50); do closed && break; sleep 0.1; done
closed || e2e_fail "Esc left the savings window open"
xdotool search --onlyvisible --name '^ぽみろ一覧$' >/dev/null 2>&1 || e2e_fail "the list window went with it"
echo "PASS"
