#!/usr/bin/env bash
# Builds the .deb from an existing build directory (default: build-release), validates the desktop
# files and the package's dependencies. Then, a root-only step: installs the package, starts the
# installed program from an empty folder under Xvfb (the data file must appear there and the
# installed help must open), and removes the package again. A ぽみろチェッカー already on this
# machine (a package in any state, or files from `cmake --install`) is left exactly as it was: the
# install step is skipped then, never done over it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$repo/scripts/root-only.sh"
build=$repo/${1:-build-release}

desktop-file-validate "$repo/dist/jp.pomiro.PomiroChecker.desktop"
appstreamcli validate --no-net --pedantic "$repo/dist/jp.pomiro.PomiroChecker.metainfo.xml"

rm -f "$build"/pomiro-checker_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/pomiro-checker_*.deb)
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Depends
dpkg-deb --field "$deb" Depends | grep -q fonts-ipafont-gothic || { echo "FAIL: no font dependency"; exit 1; }
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 || { echo "FAIL: shared-library dependencies missing"; exit 1; }

root_only "installing the package system-wide needs root" || exit 0
state=$(dpkg-query -W -f='${db:Status-Status} ${Version}' pomiro-checker 2>/dev/null || true)
if [ -n "$state" ] && [ "$state" != "not-installed " ]; then
  echo "SKIP: pomiro-checker is on this machine already ($state); the install check leaves it as it is"
  exit 0
fi
for f in /usr/bin/pomiro-checker /usr/share/pomiro-checker; do
  if [ -e "$f" ]; then
    echo "SKIP: $f exists outside any package; the install check leaves it as it is"
    exit 0
  fi
done

# From here on, whatever of pomiro-checker is installed is ours, and goes again however we end.
export DEBIAN_FRONTEND=noninteractive
ours=1
remove_ours() { [ "$ours" = 1 ] || return 0; ours=0; apt-get purge -y -q pomiro-checker >/dev/null; }
trap remove_ours EXIT
apt-get install -y -q "$deb" >/dev/null

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
  timeout 15 xdotool search --sync --onlyvisible --name 'ぽみろチェッカー ヘルプ$' >/dev/null \
    || e2e_fail "the installed help did not open"
  echo "PASS: installed program starts, makes its data file and opens its help"
) || status=$?
remove_ours
[ ! -e /usr/bin/pomiro-checker ] || { echo "FAIL: package did not remove cleanly"; exit 1; }
exit "$status"
