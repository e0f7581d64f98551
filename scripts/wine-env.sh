# Wine settings shared by the scripts that run the Windows program (sourced, not run).
#
# The prefix is the project's own (never the user's ~/.wine), 32-bit, quiet, and
# without the Mono and Gecko installers that a new prefix would otherwise offer.
# Windows draw their own captions and borders ("Managed" off), as on Windows, so
# the window's shape and caption look the same with or without a window manager.

: "${ORNEL_WINE_PREFIX:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine-prefix}"
export WINEPREFIX="$ORNEL_WINE_PREFIX"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

# Creates the prefix once; needs a display (wineboot opens windows while it works).
ornel_wine_prefix() {
  if [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/.ornel-ready" ]; then
    return 0
  fi
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.ornel-ready"
}
