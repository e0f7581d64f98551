#!/usr/bin/env bash
# Installs what is missing, builds the Windows program as the player gets it and starts it under Wine.
#
# The program is the release build of scripts/package.sh (Release, -O2, stripped, in build/release).
#
# With an X display the game opens on it. Without one (a headless machine) the
# script starts a private Xvfb and runs the game inside a Wine desktop window
# of 1024 x 768, so that a screenshot shows its caption and the desktop around it.
# The game writes its settings file into the repository folder (ORNEL_RUN_DIR changes that).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/release-lib.sh"
bash "$root/scripts/install-deps.sh"
release_build

export ORNEL_GAME_EXE="$release_build_dir/ORNEL.exe"
export ORNEL_RUN_DIR="${ORNEL_RUN_DIR:-$root}"
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then headless=1; fi
export ORNEL_HEADLESS=$headless

exec "$root/scripts/with-display.sh" bash -c '
  . "$1/scripts/wine-env.sh" && ornel_wine_prefix && cd "$ORNEL_RUN_DIR" || exit 1
  if [ "$ORNEL_HEADLESS" = 1 ]; then
    echo "run-game: no display of your own; the game runs on the private display $DISPLAY"
    exec wine explorer /desktop=ornel,1024x768 "$ORNEL_GAME_EXE"
  fi
  exec wine "$ORNEL_GAME_EXE"' _ "$root"
