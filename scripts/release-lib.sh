# Steps shared by the release scripts (package.sh, run-game.sh, check-release.sh): sourced, not run.
#
# The release is the optimised Windows program that the player receives, in two widths from one
# source: a Release build (-O2, no debug information, stripped) in its own folder,
# ORNEL_BUILD_ROOT/release for the 32-bit program and ORNEL_BUILD_ROOT/release64 for the 64-bit one.

release_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
release_dist_dir=$(realpath -m "${ORNEL_DIST_DIR:-$release_root/dist}")

# release_constant FILE NAME: the value of "constexpr ... NAME = VALUE;" in a header of the game.
release_constant() {
  local value
  value=$(sed -n "s/^[[:space:]]*constexpr[^=]*[[:space:]]$2[[:space:]]*=[[:space:]]*\([0-9][0-9]*\);.*/\1/p" \
    "$release_root/$1" | head -1)
  if [ -z "$value" ]; then
    echo "release: $2 not found in $1" >&2
    return 1
  fi
  echo "$value"
}

# release_version: MAJOR.MINOR.RELEASE, as the game itself knows it.
release_version() {
  local major minor number
  major=$(release_constant app/app_state.h kVersionMajor) &&
    minor=$(release_constant app/app_state.h kVersionMinor) &&
    number=$(release_constant content/collection.h kReleaseNumber) &&
    echo "$major.$minor.$number"
}

# release_build_dir BITS: the build folder of the release program of that width (32 or 64).
release_build_dir() {
  local dir=release
  [ "$1" = 64 ] && dir=release64
  realpath -m "${ORNEL_BUILD_ROOT:-$release_root/build}/$dir"
}

# release_zip BITS: where package.sh writes the package of this version for that width.
release_zip() {
  local version
  version=$(release_version) && echo "$release_dist_dir/ORNEL-$version-win$1.zip"
}

# release_build BITS: configures (quietly) and builds the release program of that width.
release_build() {
  local generator=() toolchain=mingw-i686
  [ "$1" = 64 ] && toolchain=mingw-x86_64
  command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
  cmake -S "$release_root" -B "$(release_build_dir "$1")" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$release_root/cmake/$toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DORNEL_WIN_TESTS=OFF >/dev/null &&
    cmake --build "$(release_build_dir "$1")" -j"${ORNEL_JOBS:-2}" --target ornel
}
