#!/usr/bin/env bash
# No printer at all: the letter button must bring up the failure message, never report success,
# and leave the print panel open.
source "$(dirname "$0")/lib.sh"
program=$1

e2e_start_x
e2e_workdir
# A spooler address where none listens: the program sees no printers, whatever this machine has.
export CUPS_SERVER="$e2e_work/no-cupsd.sock"

printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

click_sengen() { e2e_click_control declarationButton; }
e2e_click_control printButton # 印刷
for attempt in 1 2; do
  # The second click reaches 宣言書 only if the panel stayed open.
  click_sengen
  box=$(e2e_wait_window "印刷エラー") || e2e_fail "no failure message (attempt $attempt)"
  xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
  e2e_key Return
  for _ in $(seq 1 50); do xdotool search --onlyvisible --name '^印刷エラー$' >/dev/null 2>&1 || break; sleep 0.1; done
done
ls "$e2e_work"/*.pdf >/dev/null 2>&1 && e2e_fail "a PDF was written instead of printing"
echo "PASS"
