#!/usr/bin/env bash
# Builds the Qt the program needs on Windows (x86_64, mingw-w64) from Debian's own source of the
# very Qt our Linux build uses, into a cache folder outside the repository, and chmlib beside it:
#   build-qt-windows.sh        builds what is missing; the last line printed is the Qt folder
#   build-qt-windows.sh --path prints the Qt folder only, building nothing (empty when not built)
# The cache (POMIRO_WINDOWS_CACHE, else ~/.cache/pomiro-checker/windows) holds one folder per Qt
# version: a new Debian Qt is built anew, an old one is left to be removed by hand. Nothing is
# downloaded but Debian's source packages, from the mirror apt already uses (a deb-src entry for it
# is added when missing: root only). About 25 minutes on 2 cores the first time.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cache=${POMIRO_WINDOWS_CACHE:-$HOME/.cache/pomiro-checker/windows}
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$qt_version" ] || { echo "qt6-base-dev is not installed (scripts/install-deps.sh)" >&2; exit 1; }
prefix=$cache/qt-${qt_version//[^A-Za-z0-9.+-]/_}
if [ "${1:-}" = --path ]; then
  [ ! -f "$prefix/.complete" ] || echo "$prefix"
  exit 0
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

bash "$repo/scripts/install-deps.sh" windows
jobs=${POMIRO_QT_JOBS:-$(nproc)}
sources=$cache/sources
mkdir -p "$sources"
started=$SECONDS
step() { echo "== Qt for Windows: $* (at $((SECONDS - started)) s)"; }

# ---- Debian's sources ---------------------------------------------------------------------------
# A deb-src entry for each Debian entry apt has, in the same file's own format.
add_source_entries() {
  local file list=/etc/apt/sources.list.d/pomiro-checker-sources.sources
  [ ! -f "$list" ] || return 0
  apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$' && return 0
  [ "$(id -u)" -eq 0 ] || { echo "apt knows no Debian sources; adding them needs root" >&2; exit 1; }
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && [ "$file" != "$list" ] || continue
    sed -n '/^Types:/s/.*/Types: deb-src/p; /^\(URIs\|Suites\|Components\|Signed-By\):/p; /^$/p' "$file"
    echo
  done >"$list"
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >/etc/apt/sources.list.d/pomiro-checker-sources.list
  fi
  apt-get update -q
}

# fetch PACKAGE INSTALLED: the source of PACKAGE at the version of the installed package
# INSTALLED, unpacked under $sources; prints the folder, or nothing when the mirror does not have it.
fetch() {
  local package=$1 version folder
  version=$(dpkg-query -W -f='${source:Version}' "$2" 2>/dev/null || true)
  folder=$(find "$sources" -maxdepth 1 -type d -name "$package-*" | head -n 1)
  if [ -z "$folder" ]; then
    add_source_entries
    (cd "$sources" && apt-get source -q "$package${version:+=$version}" >&2) || true
    folder=$(find "$sources" -maxdepth 1 -type d -name "$package-*" | head -n 1)
  fi
  echo "$folder"
}

step "sources"
qtbase=$(fetch qt6-base qt6-base-dev)
chmlib=$(fetch chmlib libchm-dev)
[ -n "$qtbase" ] && [ -n "$chmlib" ] || { echo "the mirror lacks the source of qt6-base or chmlib" >&2; exit 1; }
# Qt's SVG module only draws our pictures at pixel ratios other than those drawn at build time; the
# program does without it where the mirror lacks its source (as ours does: its tarball is not there).
qtsvg=$(fetch qt6-svg qt6-svg-dev)
[ -n "$qtsvg" ] || echo "note: no source of qt6-svg on the mirror: Qt for Windows is made without its SVG module"

# What Debian's source left out, and what a Windows build of the parts we use needs of it: the
# tablet (wintab) and SQL (sqlite) features are switched off below; Qt 6.4's Windows accessibility
# is UI Automation, in qtbase itself, and needs none of iaccessible2.
for left_out in iaccessible2 wintab sqlite; do
  [ ! -d "$qtbase/src/3rdparty/$left_out" ] || echo "note: $left_out is in this source"
done
[ -d "$qtbase/src/plugins/platforms/windows/uiautomation" ] \
  || { echo "this Qt source has no UI Automation: the Windows screen reader support would be lost" >&2; exit 1; }

toolchain=$repo/cmake/windows-toolchain.cmake
host=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)

# ---- qtbase ---------------------------------------------------------------------------------------
# Core, Gui, Widgets, PrintSupport and Test (for the suites), the Windows, offscreen and minimal
# platforms, the Windows styles and the image plug-ins. No SQL, network, OpenGL, D-Bus, tablet
# events or system libraries: Qt's bundled ones are built in.
step "qtbase: configure"
build=$cache/build-qtbase
rm -rf "$build" "$prefix"
mkdir -p "$build"
cmake -S "$qtbase" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${host[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
  -DFEATURE_dbus=OFF -DFEATURE_tabletevent=OFF -DFEATURE_vulkan=OFF -DFEATURE_pkg_config=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF >"$cache/qtbase-configure.log" 2>&1 \
  || { tail -40 "$cache/qtbase-configure.log"; exit 1; }
step "qtbase: build and install ($jobs jobs)"
cmake --build "$build" --parallel "$jobs" >"$cache/qtbase-build.log" 2>&1 \
  || { tail -40 "$cache/qtbase-build.log"; exit 1; }
cmake --install "$build" >"$cache/qtbase-install.log" 2>&1 || { tail -20 "$cache/qtbase-install.log"; exit 1; }

# ---- qtsvg: our pictures at pixel ratios with no picture drawn at build time ----------------------
if [ -n "$qtsvg" ]; then
  step "qtsvg"
  build=$cache/build-qtsvg
  rm -rf "$build"
  "$prefix/bin/qt-cmake" -S "$qtsvg" -B "$build" -G Ninja -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    "${host[@]}" -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    >"$cache/qtsvg-build.log" 2>&1 || { tail -40 "$cache/qtsvg-build.log"; exit 1; }
  cmake --build "$build" --parallel "$jobs" >>"$cache/qtsvg-build.log" 2>&1 \
    || { tail -40 "$cache/qtsvg-build.log"; exit 1; }
  cmake --install "$build" >>"$cache/qtsvg-build.log" 2>&1 || { tail -20 "$cache/qtsvg-build.log"; exit 1; }
fi

# ---- chmlib: the help window's reader, as the DLL it loads at the first help ----------------------
step "chmlib"
mingw=x86_64-w64-mingw32
"$mingw-gcc-posix" -O2 -shared -o "$prefix/bin/chm.dll" -Wl,--out-implib,"$prefix/lib/libchm.dll.a" \
  -DWIN32 "$chmlib/src/chm_lib.c" "$chmlib/src/lzx.c"
cp "$chmlib/src/chm_lib.h" "$prefix/include/"

# The compiler's own DLLs that the program needs beside it, kept with this Qt.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
  cp "$(dirname "$("$mingw-g++-posix" -print-libgcc-file-name)")/$dll" "$prefix/bin/"
done
cp "/usr/$mingw/lib/libwinpthread-1.dll" "$prefix/bin/"

rm -rf "$cache/build-qtbase" "$cache/build-qtsvg"
touch "$prefix/.complete"
step "done: $(du -sh "$prefix" | cut -f1)"
echo "$prefix"
