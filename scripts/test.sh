#!/usr/bin/env bash
# Builds and runs every test: the native suite (sanitised) and the Windows build under Wine.
#
#   scripts/test.sh              both builds
#   scripts/test.sh --native     native build and tests only
#   scripts/test.sh --windows    Windows build, the release package, the tests under Wine and the
#                                end-to-end scenarios
#
# Build folders: build/test-native, build/test-win and build/release (ORNEL_BUILD_ROOT changes
# "build"); the release package goes to dist/ (scripts/package.sh).
# Missing packages are installed first. Both halves then run in ONE CTest run over
# build/CTestTestfile.cmake, so the output ends with one summary of every test.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
builds=${ORNEL_BUILD_ROOT:-$root/build}
jobs=${ORNEL_JOBS:-2}
native=1
windows=1
case "${1:-}" in
  --native) windows=0 ;;
  --windows) native=0 ;;
  "") ;;
  *) echo "usage: scripts/test.sh [--native|--windows]" >&2; exit 2 ;;
esac

bash "$root/scripts/install-deps.sh"

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
status=0

if [ "$native" -eq 1 ]; then
  echo "== native build"
  cmake -S "$root" -B "$builds/test-native" "${generator[@]}" >/dev/null
  cmake --build "$builds/test-native" -j"$jobs"
fi

if [ "$windows" -eq 1 ]; then
  # The end-to-end scenarios take their click positions from the native ornel-tool.
  if [ "$native" -eq 0 ]; then
    echo "== native ornel-tool (for the end-to-end scenarios)"
    cmake -S "$root" -B "$builds/test-native" "${generator[@]}" >/dev/null
    cmake --build "$builds/test-native" -j"$jobs" --target ornel-tool
  fi
  echo "== Windows build (MinGW, 32-bit)"
  cmake -S "$root" -B "$builds/test-win" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DORNEL_TOOL_EXE="$builds/test-native/ornel-tool" -DORNEL_RELEASE_DIR="$builds/release" >/dev/null
  cmake --build "$builds/test-win" -j"$jobs" --target ornel ornel_tests
  # The package the player receives; CTest checks it and starts its program.
  echo "== release package"
  ORNEL_BUILD_ROOT="$builds" ORNEL_JOBS="$jobs" bash "$root/scripts/package.sh" --no-check
fi

# One test tree holding the halves that were built.
subdirs=()
[ "$native" -eq 1 ] && subdirs+=("\"$builds/test-native\"")
[ "$windows" -eq 1 ] && subdirs+=("\"$builds/test-win\"")
printf '# Every test of the builds above, run as one CTest tree.\nsubdirs(%s)\n' "${subdirs[*]}" \
  > "$builds/CTestTestfile.cmake"

echo "== tests (native, and the Windows build under Wine)"
# The Windows tests and the game share one Wine prefix in the build folder, created on first use.
export ORNEL_WINE_PREFIX="$builds/test-win/wine-prefix"
"$root/scripts/with-display.sh" bash -c '
  if [ "$3" -eq 1 ]; then . "$1/scripts/wine-env.sh" && ornel_wine_prefix || exit 1; fi
  ctest --test-dir "$2" --output-on-failure -j"$4"' _ "$root" "$builds" "$windows" "$jobs" || status=1

exit "$status"
