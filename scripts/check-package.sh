#!/usr/bin/env bash
# Builds the .deb and its -dbgsym package from an existing build directory (default:
# build-release), validates the desktop files and the package's dependencies and documents, and
# runs lintian on both packages: any error or warning fails. Then, a root-only step: installs the
# packages, starts the installed program from an empty folder under Xvfb (the data file must
# appear there and the installed help must open), and removes them again. A ぽみろチェッカー
# already on this machine (a package in any state, or files from `cmake --install`) is left
# exactly as it was: the install step is skipped then, never done over it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$repo/scripts/root-only.sh"
build=$repo/${1:-build-release}

desktop-file-validate "$repo/dist/jp.pomiro.PomiroChecker.desktop"
appstreamcli validate --no-net --pedantic "$repo/dist/jp.pomiro.PomiroChecker.metainfo.xml"

rm -f "$build"/pomiro-checker_*.deb "$build"/pomiro-checker-dbgsym_*.ddeb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/pomiro-checker_*.deb)
dbgsym=$(ls "$build"/pomiro-checker-dbgsym_*.ddeb 2>/dev/null) \
  || { echo "FAIL: cpack made no pomiro-checker-dbgsym package"; exit 1; }
echo "== $(basename "$deb") $(basename "$dbgsym")"
dpkg-deb --field "$deb" Depends
dpkg-deb --field "$deb" Depends | grep -q fonts-ipafont-gothic || { echo "FAIL: no font dependency"; exit 1; }
dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 || { echo "FAIL: shared-library dependencies missing"; exit 1; }
# Qt's SVG image plug-in, which draws the pictures at pixel ratios without a picture drawn at build
# time, in whichever package holds it on this release.
svg_plugin=$(find /usr/lib/*/qt6/plugins/imageformats -name libqsvg.so -print -quit)
svg_owner=$(dpkg-query --search "$svg_plugin" | cut -d: -f1)
dpkg-deb --field "$deb" Depends | grep -qE "(^|, )$svg_owner(,|$| )" \
  || { echo "FAIL: the package does not depend on $svg_owner, which holds $svg_plugin"; exit 1; }

# What lintian does not look at: the changelog is of the package's version, both manual pages are
# there, and the debug symbols are those of the program shipped.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
version=$(dpkg-deb --field "$deb" Version)
gzip -dc "$unpacked/usr/share/doc/pomiro-checker/changelog.gz" >"$unpacked/changelog"
changelog_version=$(dpkg-parsechangelog -l "$unpacked/changelog" -S Version)
[ "$changelog_version" = "$version" ] \
  || { echo "FAIL: the changelog is of version $changelog_version, the package of $version"; exit 1; }
for page in man/man1/pomiro-checker.1.gz man/ja/man1/pomiro-checker.1.gz; do
  [ -f "$unpacked/usr/share/$page" ] || { echo "FAIL: no manual page /usr/share/$page"; exit 1; }
done
build_id=$(readelf --notes "$unpacked/usr/bin/pomiro-checker" | sed -n 's/.*Build ID: *//p')
debug_file=./usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
[ -n "$build_id" ] && grep -qF " $debug_file" <<<"$(dpkg-deb --contents "$dbgsym")" \
  || { echo "FAIL: $(basename "$dbgsym") has no debug file for build id '$build_id'"; exit 1; }
[ "$(dpkg-deb --field "$dbgsym" Build-Ids)" = "$build_id" ] \
  || { echo "FAIL: $(basename "$dbgsym") names other build ids"; exit 1; }

echo "== lintian"
# Both packages in one run, so that lintian sees the -dbgsym's documents link to its package's.
lint_status=0
lint=$(lintian --fail-on error,warning "$deb" "$dbgsym" 2>&1) || lint_status=$?
[ -z "$lint" ] || echo "$lint"
if [ "$lint_status" -ne 0 ] || grep -q '^[EW]: ' <<<"$lint"; then
  echo "FAIL: lintian reports errors or warnings (exit status $lint_status)"
  exit 1
fi
echo "PASS: lintian: no errors or warnings"

if ! root_only "installing the package system-wide needs root"; then
  record_skipped "the installed package (installing it needs root)"
  exit 0
fi
# The installed program's controls are found by name, with the end-to-end tests' tool of this build.
export POMIRO_CONTROL_PLACE=$build/tests/e2e/e2e_control_place POMIRO_SETTLE=$build/tests/e2e/e2e_settle
[ -x "$POMIRO_CONTROL_PLACE" ] && [ -x "$POMIRO_SETTLE" ] \
  || { echo "FAIL: $POMIRO_CONTROL_PLACE or $POMIRO_SETTLE missing: the install check needs the build's tests"; exit 1; }
# A ぽみろチェッカー already here is not ours to replace: the check is skipped, and fails in CI, which
# runs on a machine of its own and must install the package.
leave_as_it_is() {
  if [ -n "${POMIRO_CI:-}" ]; then
    echo "FAIL: $1; CI must install the package, and leaves that one as it is"
    exit 1
  fi
  echo "SKIP: $1; the install check leaves it as it is"
  record_skipped "the installed package ($1)"
  exit 0
}
for package in pomiro-checker pomiro-checker-dbgsym; do
  state=$(dpkg-query -W -f='${db:Status-Status} ${Version}' "$package" 2>/dev/null || true)
  if [ -n "$state" ] && [ "$state" != "not-installed " ]; then
    leave_as_it_is "$package is on this machine already ($state)"
  fi
done
for f in /usr/bin/pomiro-checker /usr/share/pomiro-checker; do
  [ ! -e "$f" ] || leave_as_it_is "$f exists outside any package"
done

# From here on, whatever of pomiro-checker is installed is ours, and goes again however we end.
export DEBIAN_FRONTEND=noninteractive
ours=1
remove_ours() {
  [ "$ours" = 1 ] || return 0
  ours=0
  apt-get purge -y -q pomiro-checker pomiro-checker-dbgsym >/dev/null
}
trap 'remove_ours; rm -rf "$unpacked"' EXIT
apt-get install -y -q "$deb" "$dbgsym" >/dev/null

status=0
(
  source "$repo/tests/e2e/lib.sh"
  for f in /usr/bin/pomiro-checker /usr/share/pomiro-checker/RwHelp.chm \
           /usr/share/applications/jp.pomiro.PomiroChecker.desktop \
           /usr/share/metainfo/jp.pomiro.PomiroChecker.metainfo.xml \
           /usr/share/icons/hicolor/scalable/apps/jp.pomiro.PomiroChecker.svg \
           /usr/share/doc/pomiro-checker/copyright /usr/share/doc/pomiro-checker/changelog.gz \
           /usr/share/man/man1/pomiro-checker.1.gz /usr/share/man/ja/man1/pomiro-checker.1.gz \
           "/${debug_file#./}"; do
    [ -f "$f" ] || e2e_fail "not installed: $f"
  done
  e2e_start_x
  e2e_workdir
  e2e_start_program /usr/bin/pomiro-checker
  [ -f "$e2e_work/データ.txt" ] || e2e_fail "the installed program made no data file in its folder"
  [ ! -e "$e2e_work/RwHelp.chm" ] || e2e_fail "help file unexpectedly in the working folder"
  e2e_click_control helpButton
  timeout 15 xdotool search --sync --onlyvisible --name 'ぽみろチェッカー ヘルプ$' >/dev/null \
    || e2e_fail "the installed help did not open"
  echo "PASS: installed program starts, makes its data file and opens its help"
) || status=$?
remove_ours
for f in /usr/bin/pomiro-checker "/${debug_file#./}"; do
  [ ! -e "$f" ] || { echo "FAIL: $f is left after the packages were removed"; exit 1; }
done
exit "$status"
