# Shared by the scripts: where the sources are and how a build directory is made.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir=$1; shift
  cmake -S "$repo" -B "$repo/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr "$@"
  cmake --build "$repo/$dir" -j "$(nproc)"
}

# build_preset NAME: configures and builds one of the presets in CMakePresets.json.
build_preset() {
  (cd "$repo" && cmake --preset "$1" >/dev/null && cmake --build --preset "$1" -j "$(nproc)")
}
