#!/usr/bin/env bash
# Installs what is missing, builds the Windows program as the player gets it and starts it under Wine.
#
# The program is the release build of scripts/package.sh (Release, -O2, stripped) of the width this
# machine runs (scripts/wine-env.sh decides; ORNEL_WINDOWS_BITS=32|64 overrides): the player's 32-bit
# program in build/release, or the 64-bit one in build/release64 where no 32-bit code can run.
# One line says which it started, and why.
#
# With an X display the game opens on it. Without one (a headless machine) the
# script starts a private Xvfb and runs the game inside a Wine desktop window
# of 1024 x 768, so that a screenshot shows its caption and the desktop around it.
# The game writes its settings file into the repository folder (ORNEL_RUN_DIR changes that).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/release-lib.sh"
bash "$root/scripts/install-deps.sh"
. "$root/scripts/wine-env.sh"
ornel_windows_bits
release_build "$ORNEL_BITS"

export ORNEL_GAME_EXE
ORNEL_GAME_EXE="$(release_build_dir "$ORNEL_BITS")/ORNEL.exe"
echo "run-game: starting the $ORNEL_BITS-bit build, $ORNEL_GAME_EXE: $ORNEL_BITS_WHY"
export ORNEL_RUN_DIR="${ORNEL_RUN_DIR:-$root}"
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
export ORNEL_HEADLESS=$headless

exec "$root/scripts/with-display.sh" bash -c '
  . "$1/scripts/wine-env.sh" && ornel_wine_for_exe "$ORNEL_GAME_EXE" && ornel_wine_prefix &&
    cd "$ORNEL_RUN_DIR" || exit 1
  if [ "$ORNEL_HEADLESS" = 1 ]; then
    echo "run-game: no display of your own; the game runs on the private display $DISPLAY"
    exec "$ORNEL_WINE" explorer /desktop=ornel,1024x768 "$ORNEL_GAME_EXE"
  fi
  exec "$ORNEL_WINE" "$ORNEL_GAME_EXE"' _ "$root"
