#!/usr/bin/env bash
# What the build makes must not depend on when or on which machine's fonts it is made:
#  - the artwork tool refuses a drawing whose text would be drawn in another font than it names (a
#    font that is not installed, or one that lacks a character), saying which, and otherwise gives
#    every file of its resource list the time it is told;
#  - the help file, compiled twice at different seconds, is the same bytes once both are stamped
#    with one time (the help window tests read the build's stamped RwHelp.chm).
#   build_stamps.sh RENDER_ART STAMP_CHM CHMCMD SOURCE_DIR HELP_STAGE
# HELP_STAGE is the build's copy of the help pages, with the style sheet made from its template.
set -euo pipefail
render_art=$1
stamp_chm=$2
chmcmd=$3
source_dir=$4
help_stage=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export QT_QPA_PLATFORM=offscreen

# render ART_FOLDER: draws into $work/out; its messages land in $work/messages.
render() {
  rm -rf "$work/out"; mkdir "$work/out"
  "$render_art" "$1" "$work/out" 1234567890 >"$work/messages" 2>&1
}

# --- the real artwork: drawn, every listed file stamped with the time given.
if render "$source_dir/art"; then
  listed=$(sed -n 's|.*<file alias="[^"]*">\([^<]*\)</file>.*|\1|p' "$work/out/art.qrc")
  [ -n "$listed" ] || fail "art.qrc lists no file"
  for f in $listed; do
    [ "$(stat -c %Y "$work/out/$f")" = 1234567890 ] || fail "$f is not stamped with the given time"
  done
else
  fail "the real artwork was refused: $(cat "$work/messages")"
fi

# --- a drawing naming a font no machine has, and one with a character the IPA font lacks.
for case in missing-font missing-character; do
  mkdir -p "$work/$case"
  cp "$source_dir"/art/*.svg "$work/$case"/
done
sed -i 's/font-family="IPAPGothic" font-size="11"/font-family="Pomiro No Such Font" font-size="11"/' \
  "$work/missing-font/title.svg"
sed -i 's/こんなにたまる/こんなにたまる😀/' "$work/missing-character/title.svg"
grep -q 'Pomiro No Such Font' "$work/missing-font/title.svg" || fail "the test's drawing was not changed"
if render "$work/missing-font"; then
  fail "a drawing in a font that is not installed was drawn"
else
  grep -q 'title.svg: .*asks for the font "Pomiro No Such Font"' "$work/messages" \
    || fail "the refusal does not name the drawing and its font: $(cat "$work/messages")"
fi
if render "$work/missing-character"; then
  fail "a drawing with a character its font lacks was drawn"
else
  grep -q 'title.svg: the font "IPAPGothic" lacks "😀"' "$work/messages" \
    || fail "the refusal does not name the missing character: $(cat "$work/messages")"
fi

# --- the help file, compiled at two different seconds.
for n in 1 2; do
  mkdir -p "$work/help$n"
  cp -r "$help_stage"/. "$work/help$n"/
  rm -f "$work/help$n/RwHelp.chm"
  [ "$n" = 1 ] || sleep 1.1
  (cd "$work/help$n" && "$chmcmd" --verbosity 0 RwHelp.hhp >/dev/null)
  cp "$work/help$n/RwHelp.chm" "$work/unstamped$n.chm"
  "$stamp_chm" "$work/help$n/RwHelp.chm" 1234567890 || fail "stamping the help file failed"
done
cmp -s "$work/unstamped1.chm" "$work/unstamped2.chm" \
  && echo "NOTE: chmcmd wrote no time into these two files; the stamps are not tested"
cmp "$work/help1/RwHelp.chm" "$work/help2/RwHelp.chm" \
  || fail "the help file compiled at two seconds differs once stamped"
# Eight bytes changed, no more: the two time stamps.
changed=$( (cmp -l "$work/unstamped1.chm" "$work/help1/RwHelp.chm" || true) | wc -l)
[ "$changed" -le 8 ] || fail "stamping changed $changed bytes, more than the two time stamps"
printf 'not a help file' >"$work/bad.chm"
if "$stamp_chm" "$work/bad.chm" 1 2>/dev/null; then fail "a file that is no help file was stamped"; fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS: the artwork's fonts and times, and the help file's time stamps"
