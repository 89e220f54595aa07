#!/usr/bin/env bash
# No printer: the failure message's "PDFで保存…" goes through the real save dialog. Cancel there
# writes nothing and leaves the print panel open; a path typed there gets the very page (one page,
# the letter's texts), a message naming the file, and the panel closes.
source "$(dirname "$0")/lib.sh"
program=$1
command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null || e2e_fail "poppler-utils missing"

e2e_start_x
e2e_workdir
# A spooler address where none listens: the program sees no printers, whatever this machine has.
export CUPS_SERVER="$e2e_work/no-cupsd.sock"
# A home of our own and no session bus: Qt's own dialog, proposing a file in that home.
export HOME="$e2e_work/home"
mkdir "$HOME"
unset XDG_CONFIG_HOME DBUS_SESSION_BUS_ADDRESS

printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"
e2e_start_program "$program"

click_sengen() { e2e_click_control declarationButton; }
focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"; }
# The failure message, answered with its second button: Tab from OK, the default, then Space.
save_instead() {
  local box
  box=$(e2e_wait_window "印刷エラー") || e2e_fail "no failure message ($1)"
  focus "$box"
  e2e_key Tab space
  dialog=$(e2e_wait_window "PDFで保存") || e2e_fail "no save dialog ($1)"
  focus "$dialog"
  sleep 0.5
}
wait_gone() {
  for _ in $(seq 1 50); do
    [ "$(xwininfo -id "$1" 2>/dev/null | sed -n 's/^ *Map State: //p')" = IsViewable ] || return 0
    sleep 0.1
  done
  e2e_fail "window $1 stayed open"
}
pdfs() { find "$e2e_work" -name '*.pdf'; }
pdf_written() { [ -n "$(pdfs)" ]; }
failure_box_shown() { xdotool search --onlyvisible --name '^印刷エラー$' >/dev/null 2>&1; }

e2e_click_control printButton # 印刷
click_sengen
save_instead "cancel"
e2e_key Escape
wait_gone "$dialog"
e2e_never "cancel wrote a PDF" pdf_written

# The second click reaches 宣言書 only if the panel stayed open.
click_sengen
save_instead "save"
e2e_key ctrl+a
e2e_type "$e2e_work/letter.pdf"
e2e_key Return
wait_gone "$dialog"
done_box=$(e2e_wait_window "PDFで保存") || e2e_fail "no message after saving"
[ "$(pdfs)" = "$e2e_work/letter.pdf" ] || e2e_fail "saved: $(pdfs)"
focus "$done_box"
e2e_key Return

[ "$(pdfinfo "$e2e_work/letter.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || e2e_fail "not one page"
text=$(pdftotext -layout "$e2e_work/letter.pdf" - | tr -s ' ')
for expected in 宣言書 "ぽみろ…禁煙" '１日で… \500' '３０年で… \5,475,000' "有言実行。絶対達成するぞ！" \
                "$(date +%Y年%m月%d日)"; do
  grep -qF -- "$expected" <<<"$text" || e2e_fail "\"$expected\" is not in the PDF: $text"
done

# The panel closed: where 宣言書 was, a click brings no failure message.
click_sengen
e2e_never "the print panel stayed open" failure_box_shown
echo "PASS"
