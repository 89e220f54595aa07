#!/usr/bin/env bash
# Checks the program on Debian 13 from a Debian 12 (or any Debian) machine, as root:
#  1. makes a Debian 13 system with mmdebstrap from the Debian mirror this machine's apt already
#     uses, and keeps it between runs in a cache folder outside the repository
#     (POMIRO_DEBIAN13_CACHE, else ~/.cache/pomiro-checker/debian13); a later run brings it up to
#     date instead;
#  2. copies the working tree there (what git tracks or would track, changes included) and runs,
#     as root in a private mount namespace (so that the tmpfs suites can mount):
#     - scripts/install-deps.sh all, as a new user's test command would,
#     - the test command's two builds, asan and release, with the same presets (the release build
#       without parsed headers, as a packager makes it, so that a missing include shows),
#     - the package made and checked there (scripts/check-package.sh: lintian, install, start),
#     - every unit and widget suite of both,
#     - the program started under Xvfb at scale 1.0 and 1.5 (the e2e_pictures test): its title
#       picture must be on the screen, and the screenshots are kept in the cache folder.
# The test command (scripts/test.sh) does not run this; run it before a change to CMake, packages
# or dependencies lands.
#   check-debian13.sh           all of the above
#   check-debian13.sh --shell   a root shell in the Debian 13 system, the sources in /src
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# ---- inside the Debian 13 system --------------------------------------------------------------
if [ "${1:-}" = --inside ]; then
  cd /src
  stage() { echo "== debian 13: $* (at $SECONDS s)"; }
  stage "packages"
  apt-get update -q
  DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -q
  bash scripts/install-deps.sh all
  export XDG_RUNTIME_DIR
  XDG_RUNTIME_DIR=$(mktemp -d)
  stage "sanitizer build"
  build_preset asan
  # As a packager builds it, each file parsing its own headers: a header a file forgot to include
  # shows here (the presets parse them once, cmake/PomiroTarget.cmake).
  stage "release build, without parsed headers"
  cmake --preset release -DPOMIRO_PCH=OFF >/dev/null
  cmake --build --preset release -j "$(nproc)"
  stage "Debian package"
  bash scripts/check-package.sh build-release
  stage "unit and widget tests under AddressSanitizer + UBSan"
  ctest --preset asan
  stage "release build: unit and widget tests, and the program's pictures at scale 1.0 and 1.5"
  POMIRO_SHOTS=/shots ctest --preset release --label-exclude e2e
  POMIRO_SHOTS=/shots ctest --preset release --tests-regex '^e2e_pictures$'
  stage "done"
  exit 0
fi

[ "$(id -u)" -eq 0 ] || { echo "check-debian13.sh: run it as root (mmdebstrap, mounts)" >&2; exit 2; }
cache=${POMIRO_DEBIAN13_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pomiro-checker/debian13}
system=$cache/system
mkdir -p "$cache/shots"

# The mirror this machine's apt uses for Debian itself, and the one for its security updates.
apt_repository() { # LABEL: the first repository of Debian packages with that label
  apt-get indextargets --format '$(LABEL)|$(IDENTIFIER)|$(REPO_URI)' \
    | awk -F'|' -v label="$1" '$1 == label && $2 == "Packages" { print $3; exit }'
}
mirror=$(apt_repository Debian)
[ -n "$mirror" ] || { echo "check-debian13.sh: apt's sources name no Debian mirror" >&2; exit 1; }
security=$(apt_repository Debian-Security)

if [ ! -x "$system/usr/bin/apt-get" ]; then
  command -v mmdebstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q mmdebstrap
  sources=("deb $mirror trixie main" "deb $mirror trixie-updates main")
  [ -z "$security" ] || sources+=("deb $security trixie-security main")
  rm -rf "$system.new"
  mmdebstrap --variant=apt --include=ca-certificates trixie "$system.new" "${sources[@]}"
  mv "$system.new" "$system"
fi

# The working tree (what git tracks or would track, changes included). Only files whose content
# differs are copied, and they take the time of the copy, so that the builds there stay incremental
# and still see every change, also one older than their last build; files gone from the tree go
# there too, the build folders stay.
mkdir -p "$system/src"
declare -A in_tree=()
while IFS= read -r -d '' file; do
  [ -f "$repo/$file" ] || continue
  in_tree[$file]=1
  if ! cmp -s "$repo/$file" "$system/src/$file"; then
    mkdir -p "$(dirname "$system/src/$file")"
    cp "$repo/$file" "$system/src/$file"
  fi
done < <(git -C "$repo" ls-files -z --cached --others --exclude-standard)
while IFS= read -r -d '' copied; do
  file=${copied#"$system/src/"}
  [ -n "${in_tree[$file]:-}" ] || rm -f "$copied"
done < <(find "$system/src" -path "$system/src/build*" -prune -o -type f -print0)

if [ "${1:-}" = --shell ]; then
  command=(bash -c 'cd /src && exec bash -i')
else
  command=(bash /src/scripts/check-debian13.sh --inside)
fi
started=$SECONDS
status=0
unshare --mount --propagation private bash -euo pipefail -c '
  system=$1 shots=$2
  # The system a mount of its own, so that the end-to-end runs can make their own mount namespaces
  # (run_isolated.sh) inside it.
  mount --bind "$system" "$system"
  mount --rbind /dev "$system/dev"
  mount -t proc proc "$system/proc"
  mount --rbind /sys "$system/sys"
  mount -t tmpfs tmpfs "$system/tmp"
  mount -t tmpfs tmpfs "$system/run"
  mkdir -p "$system/shots"
  mount --bind "$shots" "$system/shots"
  cp /etc/resolv.conf "$system/etc/resolv.conf"
  exec chroot "$system" env -i HOME=/root LANG=C.UTF-8 PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    TERM="${TERM:-dumb}" POMIRO_CI="${POMIRO_CI:-}" "${@:3}"
 ' check "$system" "$cache/shots" "${command[@]}" || status=$?
[ "${1:-}" = --shell ] && exit "$status"
echo "check-debian13.sh: $([ "$status" -eq 0 ] && echo passed || echo FAILED) in $((SECONDS - started)) s" \
  "on Debian 13; screenshots in $cache/shots"
exit "$status"
