#!/usr/bin/env bash
# Starts the game many times in a row under Wine and counts the starts that showed the main window.
#
#   scripts/start-loop.sh ORNEL.exe [COUNT] [WORKDIR]
#
# Every start runs in WORKDIR (default: a fresh temporary folder) with a settings file holding
# gri=5 and tca=70 (a grid wider than the 1024x768 screen), waits with a deadline for the main
# window, then ends the game and its wineserver. A start that ends by itself, or shows no window
# within 60 s, is a failure: its exit code and the last lines Wine wrote are printed. The script
# prints "start-loop: N of COUNT starts showed the window" and fails unless all of them did.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
usage="usage: start-loop.sh ORNEL.exe [COUNT] [WORKDIR]"
exe=${1:?$usage}
count=${2:-200}
work=${3:-}
[ -f "$exe" ] || { echo "start-loop: the game '$exe' does not exist" >&2; exit 2; }
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")

export ORNEL_SCREEN=1024x768x24
if [ -z "${START_LOOP_ON_DISPLAY:-}" ]; then
  START_LOOP_ON_DISPLAY=1 exec "$here/with-display.sh" bash "$0" "$exe" "$count" "$work"
fi
: "${ORNEL_WINE_PREFIX:=$(dirname "$exe")/wine-prefix}"
export ORNEL_WINE_PREFIX
. "$here/wine-env.sh"
export LC_ALL=C LANG=C
. "$here/e2e-lib.sh"
ornel_wine_for_exe "$exe" && ornel_wine_prefix ||
  { echo "start-loop: no Wine for '$exe' (the prefix ${WINEPREFIX:-?} could not be made)" >&2; exit 1; }
[ -n "$work" ] || work=$(mktemp -d)
mkdir -p "$work"

shown=0
failed=0
for i in $(seq 1 "$count"); do
  rm -f "$work"/*
  printf 'ver=3.6\r\ngri=5\r\ntca=70\r\n' >"$work/ORNEL 162.TXT"
  : >"$work/wine.log"
  (cd "$work" && exec "$ORNEL_WINE" "$exe" >>"$work/wine.log" 2>&1) &
  E2E_PID=$!
  E2E_ENDED_EARLY=0
  if e2e_until 60 e2e_have_main && [ "$E2E_ENDED_EARLY" = 0 ]; then
    shown=$((shown + 1))
  else
    code=running
    if [ "$E2E_ENDED_EARLY" = 1 ]; then
      code=0
      wait "$E2E_PID" 2>/dev/null || code=$?
    fi
    failed=$((failed + 1))
    echo "start-loop: start $i showed no window (exit: $code)"
    tail -5 "$work/wine.log" | sed 's/^/  wine: /'
  fi
  e2e_kill
done
echo "start-loop: $shown of $count starts showed the window"
[ "$failed" -eq 0 ]
