#!/usr/bin/env bash
# Installs the Debian packages that are missing, on Debian 12 or 13.
#   install-deps.sh run   what building and running the program need (scripts/run.sh)
#   install-deps.sh       that, and what the tests, the benchmarks and the package checks need
#                         (scripts/test.sh)
#   install-deps.sh windows  what building Qt and the program for Windows, running them under Wine
#                         and making the installer need (scripts/build-qt-windows.sh)
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

run_packages=(
  # build: compiler, Qt, the print spooler's and fontconfig's headers, chmlib's header and chmcmd
  # for the help file
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-svg-dev libqt6svg6
  libcups2-dev libfontconfig-dev libchm-dev fp-utils
  # fonts that stand in for the Windows Japanese fonts (the artwork is drawn with them at build time)
  fonts-ipafont-gothic
  # Qt's own dialogs in Japanese
  qt6-translations-l10n
  # Qt's Wayland platform, for a Wayland session without XWayland
  qt6-wayland
)
test_packages=(
  # tests and benchmarks: GoogleTest, Google Benchmark, xcb for the start-up probe, and Qt's private
  # headers for turning on accessibility under the offscreen platform
  libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev qt6-base-private-dev
  # desktop session for end-to-end tests and screenshots
  xvfb xdotool x11-utils x11-xserver-utils imagemagick
  # real Japanese input methods (ibus and fcitx5, each with Mozc), and reading Qt's menus off the
  # screen
  ibus ibus-mozc mozc-server tesseract-ocr fcitx5 fcitx5-mozc fcitx5-frontend-qt6
  # a Wayland compositor for the program on Wayland
  weston
  # a real screen reader (Orca) speaking Japanese to a null sound device, under a window manager
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng dbus-x11 python3-pyatspi
  python3-speechd openbox locales
  # printing through a real spooler
  cups printer-driver-cups-pdf poppler-utils
  # fuzzing, packaging and its checks (lintian, desktop files, AppStream), and the formatting check
  # (the sanitizer runtime of the clang installed is added below)
  clang dpkg-dev file lintian desktop-file-utils appstream clang-format
)
windows_packages=(
  # the cross compiler (posix threads, which Qt needs), Debian's sources (dpkg-source) and the host
  # Qt's tools (moc, rcc, uic) for the cross build, Wine under Xvfb, and NSIS for the installer
  g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev qt6-base-dev qt6-base-dev-tools qt6-svg-dev
  libchm-dev wine64 xvfb xdotool nsis
)

case "${1:-all}" in
  run) packages=("${run_packages[@]}") ;;
  all) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  windows) packages=("${windows_packages[@]}") ;;
  *) echo "usage: $0 [run|all|windows]" >&2; exit 2 ;;
esac

# install_missing PACKAGE...: installs those not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

# What each release names differently, read off what was just installed rather than guessed from
# the release's number:
#  - Qt's SVG image plug-in, which draws our pictures at pixel ratios without a picture drawn at
#    build time, came in libqt6svg6 (Debian 12) and has a package of its own since (Debian 13);
#  - the sanitizer and libFuzzer runtime belongs to the version of clang that "clang" brought.
release_packages=()
dpkg-query -L libqt6svg6 | grep -q '/imageformats/libqsvg\.so$' || release_packages+=(qt6-svg-plugins)
if [ "${1:-all}" = all ]; then
  clang_major=$(clang -dumpversion | cut -d. -f1)
  release_packages+=("libclang-rt-$clang_major-dev")
fi
install_missing "${release_packages[@]}"
