#!/usr/bin/env bash
# Builds and runs the paint timing program of the Windows build this machine runs, on a 1024x768 screen.
#
#   scripts/paint-bench.sh [ARG...]     the arguments go to ornel_paint_bench.exe
#
# The width follows scripts/wine-env.sh (ORNEL_WINDOWS_BITS=32|64 overrides): build/test-win
# (32-bit) or build/test-win64 (64-bit), configured as scripts/test.sh does. The program prints
# its build's width with its figures. On a screen where grid 5 fits, it times a full repaint in
# place of the scroll.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"
ornel_windows_bits
build=$root/build/test-win toolchain=mingw-i686
[ "$ORNEL_BITS" = 64 ] && build=$root/build/test-win64 toolchain=mingw-x86_64
echo "paint-bench: the $ORNEL_BITS-bit build: $ORNEL_BITS_WHY"
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] ||
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" >/dev/null
cmake --build "$build" -j"${ORNEL_JOBS:-2}" --target ornel_paint_bench
export ORNEL_WINE_PREFIX="$build/wine-prefix"
ORNEL_SCREEN=1024x768x24 exec "$root/scripts/with-display.sh" \
  bash "$root/scripts/wine-run.sh" "$build/ornel_paint_bench.exe" "$@"
