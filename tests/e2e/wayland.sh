#!/usr/bin/env bash
# The program on Wayland, under weston nested in Xvfb with its kiosk shell. With an X server at hand
# it goes through X11 by itself; without one, natively (Qt's wayland platform, package
# qt6-wayland), where the window asks for its exact title and a fixed size;
# it shows what it shows under X11 (the two screenshots compared); a name and an amount typed, Enter
# converts, a save tells in its message box, and the list window opens and closes with Esc.
source "$(dirname "$0")/lib.sh"
program=$1
e2e_require weston
[ -f /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] \
  || e2e_fail "Qt's Wayland platform is missing (package qt6-wayland)"
command -v compare >/dev/null || e2e_fail "compare missing (package imagemagick)"

e2e_start_x 1024x768
e2e_workdir
printf '"禁煙","\\500","\\3,500","\\15,000","\\91,250","\\182,500","\\547,500","\\912,500","\\1,825,000","\\3,650,000","\\5,475,000"\r\n' \
  | iconv -f UTF-8 -t CP932 >"$e2e_work/データ.txt"

# The same window under X11 first, for the comparison.
e2e_start_program "$program"
xdotool mousemove 1020 760
sleep 0.5
import -window "$e2e_window" "$e2e_work/x11.png"
kill "$e2e_program_pid"
wait "$e2e_program_pid" 2>/dev/null || true

# weston's output is a 900 x 700 window of the X server; kiosk-shell centres the program in it.
weston --backend=x11-backend.so --shell=kiosk-shell.so --width=900 --height=700 --use-pixman \
  --socket=pomiro-wayland --no-config >"$e2e_work/weston.log" 2>&1 &
weston_pid=$!
e2e_pids+=("$weston_pid")
weston_up() { [ -S "$XDG_RUNTIME_DIR/pomiro-wayland" ]; }
e2e_wait_until 30 "$weston_pid" "$e2e_work/weston.log" "weston did not start" weston_up
output=$(timeout 10 xdotool search --sync --class '^Weston Compositor$' | head -n 1) || e2e_fail "no weston window"

# In a Wayland session that has XWayland, the program goes through X11 by itself: its window is an
# X window, and asks nothing of the compositor.
(cd "$e2e_work" && exec env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE \
  WAYLAND_DISPLAY=pomiro-wayland WAYLAND_DEBUG=1 "$program") >"$e2e_work/xwayland.log" 2>&1 &
xwayland_pid=$!
e2e_pids+=("$xwayland_pid")
timeout 30 xdotool search --sync --onlyvisible --pid "$xwayland_pid" --name '^ぽみろチェッカー$' >/dev/null \
  || e2e_fail "with X11 at hand, the program did not open an X window: $(head -c 2000 "$e2e_work/xwayland.log")"
! grep -q 'wl_display' "$e2e_work/xwayland.log" || e2e_fail "the program spoke Wayland with X11 at hand"
kill "$xwayland_pid"
wait "$xwayland_pid" 2>/dev/null || true

# With no X server, natively, by itself; the protocol written down.
(cd "$e2e_work" && exec env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=pomiro-wayland \
  WAYLAND_DEBUG=1 "$program") >"$e2e_work/program.log" 2>&1 &
e2e_program_pid=$!
e2e_pids+=("$e2e_program_pid")
asked() { grep -qF "$1" "$e2e_work/program.log"; }
said_title() { asked "set_title(\"$1\")"; }
e2e_wait_until 30 "$e2e_program_pid" "$e2e_work/program.log" "no main window on Wayland" said_title ぽみろチェッカー
asked 'set_min_size(631, 452)' && asked 'set_max_size(631, 452)' \
  || e2e_fail "the window did not ask for its fixed size: $(grep -o 'set_m.._size([^)]*)' "$e2e_work/program.log")"
sleep 1

# The same content as under X11, where kiosk-shell put it.
xdotool mousemove 1020 760
sleep 0.5
import -window "$output" -crop 631x452+134+124 +repage "$e2e_work/wayland.png"
differing=$(compare -metric AE -fuzz 10% "$e2e_work/x11.png" "$e2e_work/wayland.png" /dev/null 2>&1 || true)
[ "${differing%% *}" -lt $((631 * 452 / 100)) ] 2>/dev/null \
  || { cp "$e2e_work"/x11.png "$e2e_work"/wayland.png "${POMIRO_BUILD_DIR:-/tmp}/" 2>/dev/null; \
       e2e_fail "the Wayland window differs from the X11 one in $differing pixels (x11.png, wayland.png)"; }

# By keys, sent to weston's window: the focus starts on the scroll bar; eight Tabs reach the name
# box, one more the 1-day field.
xdotool windowfocus --sync "$output" 2>/dev/null || true
for _ in 1 2 3 4 5 6 7 8; do e2e_key Tab; done
e2e_type test
e2e_key Tab
e2e_type 700
e2e_key Return
# Back to 保存: the name box, then the buttons from 終了 down.
for _ in 1 2 3 4 5 6 7; do e2e_key shift+Tab; done
e2e_key space
e2e_wait_until 15 "$e2e_program_pid" "$e2e_work/program.log" "no message box after the save" said_title 新規登録
e2e_key Return
expected='"test","\700","\4,900","\21,000","\127,750","\255,500","\766,500","\1,277,500","\2,555,000","\5,110,000","\7,665,000"'
grep -qF "$expected" <(iconv -f CP932 -t UTF-8 "$e2e_work/データ.txt") \
  || e2e_fail "the data file does not hold the saved entry: $(iconv -f CP932 -t UTF-8 "$e2e_work/データ.txt")"

# The box is a child of the window, so the compositor keeps it over the window.
asked 'set_parent(xdg_toplevel@' || e2e_fail "the message box has no parent window"

# Weston's kiosk shell gives the keyboard back to no window when the box closes; a click on 一覧 does,
# as a user would, and opens the list. (weston drops the first pointer move into its window.)
xdotool mousemove 400 300 && sleep 0.2 && xdotool mousemove 629 165 && sleep 0.2 && xdotool click 1
e2e_wait_until 15 "$e2e_program_pid" "$e2e_work/program.log" "the list window did not open" said_title ぽみろ一覧
sleep 1
e2e_key Escape
list_gone() { grep -c 'xdg_toplevel@[0-9]*.destroy()' "$e2e_work/program.log" | grep -qv '^0$'; }
e2e_wait_until 15 "$e2e_program_pid" "$e2e_work/program.log" "Esc did not close the list window" list_gone
kill -0 "$e2e_program_pid" 2>/dev/null || e2e_fail "the program ended: $(tail -n 20 "$e2e_work/program.log")"
echo "PASS"
