#!/usr/bin/env bash
# Builds and runs every test: the native suite (sanitised) and both Windows builds under Wine.
#
#   scripts/test.sh              both halves
#   scripts/test.sh --native     native build and tests only
#   scripts/test.sh --windows    the Windows builds, the release packages, the tests under Wine and the
#                                end-to-end scenarios
#
# The Windows half builds the program and its window tests twice, 32-bit (build/test-win) and 64-bit
# (build/test-win64), and both release packages (build/release, build/release64, dist/). Which of
# them run depends on the machine (scripts/wine-env.sh asks it; ORNEL_WINDOWS_BITS=32|64|auto
# overrides): where 32-bit programs run, the 32-bit build runs everything and the 64-bit build its
# window tests; where they do not, the 64-bit build runs everything and the 32-bit build's tests
# are listed as Disabled. One line of the output says which and why.
# ORNEL_BUILD_ROOT changes "build". Missing packages are installed first. Every half then runs in
# ONE CTest run over build/CTestTestfile.cmake, so the output ends with one summary of every test.
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
. "$root/scripts/wine-env.sh"

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
status=0

if [ "$native" -eq 1 ]; then
  echo "== native build"
  cmake -S "$root" -B "$builds/test-native" "${generator[@]}" >/dev/null
  cmake --build "$builds/test-native" -j"$jobs"
fi

# windows_build BITS TOOLCHAIN FOLDER RUN RELEASE: configures and builds the program and the
# window tests of one width; RUN is what CTest runs of it (cmake/windows.cmake).
windows_build() {
  echo "== Windows build (MinGW, $1-bit; CTest runs: $4)"
  cmake -S "$root" -B "$builds/$3" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" -DORNEL_WIN_RUN="$4" \
    -DORNEL_TOOL_EXE="$builds/test-native/ornel-tool" -DORNEL_RELEASE_DIR="$5" >/dev/null
  cmake --build "$builds/$3" -j"$jobs" --target ornel ornel_tests
}

if [ "$windows" -eq 1 ]; then
  ornel_windows_bits || exit 2
  if [ "$ORNEL_BITS" = 32 ]; then
    run32=all run64=window-tests
    line="the 32-bit build runs the whole Windows suite and the 64-bit build its window tests"
  else
    run32=none run64=all
    line="the 64-bit build runs the whole Windows suite; the 32-bit build and package are built and checked, not run"
  fi
  echo "== Windows tests: $line: $ORNEL_BITS_WHY"
  # The end-to-end scenarios take their click positions from the native ornel-tool.
  if [ "$native" -eq 0 ]; then
    echo "== native ornel-tool (for the end-to-end scenarios)"
    cmake -S "$root" -B "$builds/test-native" "${generator[@]}" >/dev/null
    cmake --build "$builds/test-native" -j"$jobs" --target ornel-tool
  fi
  windows_build 32 mingw-i686 test-win "$run32" "$builds/release"
  windows_build 64 mingw-x86_64 test-win64 "$run64" "$builds/release64"
  # The packages the player receives; CTest checks them and starts the program that runs here.
  echo "== release packages"
  ORNEL_BUILD_ROOT="$builds" ORNEL_JOBS="$jobs" bash "$root/scripts/package.sh" --no-check
fi

# One test tree holding the halves that were built.
subdirs=()
[ "$native" -eq 1 ] && subdirs+=("\"$builds/test-native\"")
[ "$windows" -eq 1 ] && subdirs+=("\"$builds/test-win\"" "\"$builds/test-win64\"")
printf '# Every test of the builds above, run as one CTest tree.\nsubdirs(%s)\n' "${subdirs[*]}" \
  > "$builds/CTestTestfile.cmake"

echo "== tests (native, and the Windows builds under Wine)"
# Each Windows build makes its own Wine prefix in its folder on first use (scripts/wine-run.sh).
"$root/scripts/with-display.sh" ctest --test-dir "$builds" --output-on-failure -j"$jobs" || status=1

exit "$status"
