#!/usr/bin/env bash
# Builds the .deb from an existing build directory (default: build), validates the desktop files,
# installs the package, starts the installed program from an empty folder under Xvfb (the data file
# must appear there and the installed help must open), and removes the package again.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build=$repo/${1:-build}

desktop-file-validate "$repo/dist/jp.pomiro.PomiroChecker.desktop"
appstreamcli validate --no-net --pedantic "$repo/dist/jp.pomiro.PomiroChecker.metainfo.xml"

rm -f "$build"/pomiro-checker_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/pomiro-checker_*.deb)
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Depends
dpkg-deb --field "$deb" Depends | grep -q fonts-ipafont-gothic || { echo "FAIL: no font dependency"; exit 1; }
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 || { echo "FAIL: shared-library dependencies missing"; exit 1; }

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$deb" >/dev/null
removed=0
remove_package() { [ "$removed" = 1 ] || { apt-get remove -y -q pomiro-checker >/dev/null; removed=1; }; }

status=0
(
  source "$repo/tests/e2e/lib.sh"
  for f in /usr/bin/pomiro-checker /usr/share/pomiro-checker/RwHelp.chm \
           /usr/share/applications/jp.pomiro.PomiroChecker.desktop \
           /usr/share/metainfo/jp.pomiro.PomiroChecker.metainfo.xml \
           /usr/share/icons/hicolor/scalable/apps/jp.pomiro.PomiroChecker.svg; do
    [ -f "$f" ] || e2e_fail "not installed: $f"
  done
  e2e_start_x
  e2e_workdir
  e2e_start_program /usr/bin/pomiro-checker
  [ -f "$e2e_work/データ.txt" ] || e2e_fail "the installed program made no data file in its folder"
  [ ! -e "$e2e_work/RwHelp.chm" ] || e2e_fail "help file unexpectedly in the working folder"
  e2e_click_twips 7800 150 765 990   # ヘルプ
  timeout 15 xdotool search --sync --onlyvisible --name 'ぽみろチェッカー ヘルプ' >/dev/null \
    || e2e_fail "the installed help did not open"
  echo "PASS: installed program starts, makes its data file and opens its help"
) || status=$?
remove_package
[ ! -e /usr/bin/pomiro-checker ] || { echo "FAIL: package did not remove cleanly"; exit 1; }
exit "$status"
