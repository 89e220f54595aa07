#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6
  # tests only: turning on accessibility under the offscreen platform
  qt6-base-private-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libchm-dev fp-utils libfontconfig-dev libxcb1-dev
  # fonts that stand in for the Windows Japanese fonts
  fonts-ipafont-gothic
  # Qt's own dialogs in Japanese
  qt6-translations-l10n
  # desktop session for end-to-end tests and screenshots
  xvfb xdotool x11-utils x11-xserver-utils imagemagick
  # a real Japanese input method, and reading Qt's menus off the screen
  ibus ibus-mozc mozc-server tesseract-ocr
  # a real screen reader (Orca) speaking Japanese to a null sound device, under a window manager
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng dbus-x11 python3-pyatspi
  python3-speechd openbox locales
  # printing through a real spooler
  cups printer-driver-cups-pdf poppler-utils libcups2-dev
  # fuzzing, packaging and its checks (lintian, desktop files, AppStream)
  clang libclang-rt-14-dev dpkg-dev file lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
