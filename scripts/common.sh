# Shared by the scripts: where the sources are and how a build directory is made.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir=$1; shift
  cmake -S "$repo" -B "$repo/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr "$@"
  cmake --build "$repo/$dir" -j "$(nproc)"
}
