#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine, in the repository folder (where its settings file goes).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORNEL_BUILD_ROOT:-$root/build}/game-win
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DORNEL_WIN_TESTS=OFF >/dev/null
cmake --build "$build" -j"${ORNEL_JOBS:-2}" --target ornel

if [ -z "${DISPLAY:-}" ]; then
  echo "run-game: no DISPLAY; start an X server (or run under xvfb-run) first" >&2
  exit 1
fi
. "$root/scripts/wine-env.sh"
ornel_wine_prefix
cd "${ORNEL_RUN_DIR:-$root}"
exec wine "$build/ORNEL.exe"
