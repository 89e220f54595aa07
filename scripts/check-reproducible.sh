#!/usr/bin/env bash
# Checks that the package is reproducible: builds the sources a second time, from a clone in
# another folder, under another umask, later, with the tests off (a packager's build), and compares
# the .deb and the -dbgsym .ddeb byte for byte with those already made in BUILD_DIR (default
# build-release, by scripts/check-package.sh). On a difference it names the files that differ.
#
# The second build is of what the first was built from: a clone of HEAD, with the working tree's
# uncommitted changes (and files git does not know yet) copied over it when there are any. Both
# take their time stamps from the last commit (cmake/Reproducible.cmake), or from
# SOURCE_DATE_EPOCH when the environment sets it. POMIRO_REPRO_JOBS sets the build's parallel jobs
# (default: all cores). The packages compared with are looked for once the second build is done.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build=$repo/${1:-build-release}
jobs=${POMIRO_REPRO_JOBS:-$(nproc)}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
clone=$work/another/folder/pomiro-checker
git clone -q "$repo" "$clone"
if [ -n "$(git -C "$repo" status --porcelain)" ]; then
  echo "NOTE: uncommitted changes: the second build is of a clone of HEAD with them copied over"
  git -C "$repo" ls-files -z --deleted | (cd "$clone" && xargs -0r rm -f --)
  git -C "$repo" ls-files -z --cached --others --exclude-standard \
    | (cd "$repo" && xargs -0r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) \
    | (cd "$repo" && tar --null -T - -cf -) | tar -xf - -C "$clone"
fi

# Another umask than the first build's; as the build's own folders and files take it, it would show
# in the package if anything took it from them.
first_umask=$(umask)
umask_second=0077
[ "$first_umask" != "0077" ] || umask_second=0002
echo "== second build in $clone (umask $umask_second, tests off, $jobs jobs)"
(
  umask "$umask_second"
  cd "$clone"
  cmake --preset release -DBUILD_TESTING=OFF >/dev/null
  cmake --build --preset release -j "$jobs" >"$work/build.log" 2>&1 \
    || { tail -40 "$work/build.log"; exit 1; }
  cd build-release
  cpack -G DEB >/dev/null
)
# The test command starts this build while the first one is still being packaged; it names a file
# that appears once the first packages are there (POMIRO_REPRO_AFTER).
if [ -n "${POMIRO_REPRO_AFTER:-}" ]; then
  while [ ! -e "$POMIRO_REPRO_AFTER" ]; do sleep 1; done
fi
first_deb=$(ls "$build"/pomiro-checker_*.deb)
first_ddeb=$(ls "$build"/pomiro-checker-dbgsym_*.ddeb)
second_deb=$(ls "$clone"/build-release/pomiro-checker_*.deb)
second_ddeb=$(ls "$clone"/build-release/pomiro-checker-dbgsym_*.ddeb)

# Names what differs between two packages: their members, their file lists, and each file.
explain() {
  local a=$1 b=$2 x=$work/explain
  rm -rf "$x"; mkdir -p "$x/a" "$x/b"
  diff <(ar tv "$a") <(ar tv "$b") || true
  diff <(dpkg-deb --contents "$a") <(dpkg-deb --contents "$b") || true
  dpkg-deb --raw-extract "$a" "$x/a"
  dpkg-deb --raw-extract "$b" "$x/b"
  diff -rq "$x/a" "$x/b" || true
  if command -v diffoscope >/dev/null; then echo "(diffoscope $a $b shows how they differ)"; fi
}

status=0
for pair in "$first_deb $second_deb" "$first_ddeb $second_ddeb"; do
  read -r a b <<<"$pair"
  if [ "$(basename "$a")" != "$(basename "$b")" ]; then
    echo "FAIL: the second build made $(basename "$b"), the first $(basename "$a")"
    status=1
  elif cmp -s "$a" "$b"; then
    echo "PASS: $(basename "$a") is the same, byte for byte"
  else
    echo "FAIL: $(basename "$a") differs between the two builds:"
    explain "$a" "$b"
    status=1
  fi
done
exit "$status"
