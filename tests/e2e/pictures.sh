#!/usr/bin/env bash
# The main window shows its pictures at every display scale: at 100 % the pictures drawn at build
# time, at 150 % the drawings drawn at start-up by Qt's SVG image plug-in. Without the plug-in the
# title and the toolbar would stay blank; the program then says so on stderr, and this test also
# looks at the screen: the title's place must hold a drawing, not a plain background.
# POMIRO_SHOTS=FOLDER keeps the screenshots there (scripts/check-debian13.sh looks at them).
source "$(dirname "$0")/lib.sh"
program=$1

e2e_require import convert
e2e_start_x 1600x1200
e2e_workdir
read -r x y width height < <("${POMIRO_CONTROL_PLACE:?}" --rect titlePicture) \
  || e2e_fail "no place for the title picture"

for scale in 1 1.5; do
  QT_SCALE_FACTOR=$scale e2e_start_program "$program"
  shot="$e2e_work/main-window-at-$scale.png"
  import -window "$e2e_window" "$shot" || e2e_fail "no screenshot at scale $scale"
  [ -z "${POMIRO_SHOTS:-}" ] || cp "$shot" "$POMIRO_SHOTS/"
  # The title's place in pixels of the screen.
  crop=$(awk -v s="$scale" -v x="$x" -v y="$y" -v w="$width" -v h="$height" \
    'BEGIN { printf "%dx%d+%d+%d", w * s, h * s, x * s, y * s }')
  colours=$(convert "$shot" -crop "$crop" +repage -format %k info:)
  # A plain background is one colour; the drawing, with its lettering smoothed, has hundreds.
  [ "$colours" -ge 32 ] || e2e_fail "at scale $scale the title's place ($crop) shows $colours colours: no picture"
  ! grep -F "could not be drawn" "$e2e_work/program.log" \
    || e2e_fail "at scale $scale the program could not draw its pictures"
  kill "$e2e_program_pid"
  wait "$e2e_program_pid" 2>/dev/null || true
done
echo "PASS"
