#!/usr/bin/env bash
# Regenerates the rules-page pictures app/pictures/1.bmp .. 9.bmp and 1-2x.bmp .. 9-2x.bmp (twice the size)
# with ornel-tool (a native build).
#
# The pictures are drawn from the game's own lattice geometry and built-in grids,
# and lightened where the page texts stand; run this after changing either the
# drawing code in tools/ or the texts of content/rules_pages.cpp, and commit the
# result (a test checks that the committed files equal a fresh generation).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORNEL_BUILD_ROOT:-$root/build}/pictures
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

cmake -S "$root" -B "$build" "${generator[@]}" -DORNEL_SANITIZE=OFF -DORNEL_BENCH=OFF >/dev/null
cmake --build "$build" -j"${ORNEL_JOBS:-1}" --target ornel-tool
mkdir -p "$root/app/pictures"
"$build/ornel-tool" pictures "$root/app/pictures"
