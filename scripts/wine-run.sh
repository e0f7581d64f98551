#!/usr/bin/env bash
# Runs a Windows program under the Wine that fits its width, in that width's prefix (made on first use).
#
#   scripts/wine-run.sh PROGRAM.exe [ARG...]
#
# CTest starts every Windows program of the builds through this script (cmake/mingw.cmake), so a
# 32-bit and a 64-bit build can be tested in one run; ORNEL_WINE_PREFIX names the prefix, and
# ORNEL_WINE_DPI, when set, the screen resolution Wine tells the program (the display scale: 144 is
# 150 %), written into the prefix before Wine's desktop starts.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ $# -ge 1 ] || { echo "usage: scripts/wine-run.sh PROGRAM.exe [ARG...]" >&2; exit 2; }
ornel_wine_for_exe "$1" && ornel_wine_prefix || exit 1
if [ -n "${ORNEL_WINE_DPI:-}" ] && [ "$(ornel_wine_resolution)" != "$ORNEL_WINE_DPI" ]; then
  "$ORNEL_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ORNEL_WINE_DPI" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
fi
ornel_wine_desktop || exit 1
exec "$ORNEL_WINE" "$@"
