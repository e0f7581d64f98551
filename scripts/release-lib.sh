# Steps shared by the release scripts (package.sh, run-game.sh, check-release.sh): sourced, not run.
#
# The release is the optimised Windows program that the player receives: a Release build
# (-O2, no debug information, stripped) in its own folder, ORNEL_BUILD_ROOT/release.

release_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
release_build_dir=$(realpath -m "${ORNEL_BUILD_ROOT:-$release_root/build}/release")
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

# release_zip: where package.sh writes the package of this version.
release_zip() {
  local version
  version=$(release_version) && echo "$release_dist_dir/ORNEL-$version-win32.zip"
}

# release_build: configures (quietly) and builds the release program.
release_build() {
  local generator=()
  command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
  cmake -S "$release_root" -B "$release_build_dir" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$release_root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DORNEL_WIN_TESTS=OFF >/dev/null &&
    cmake --build "$release_build_dir" -j"${ORNEL_JOBS:-2}" --target ornel
}
