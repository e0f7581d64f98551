# Which Windows build this machine runs, and the Wine that runs it (sourced, not run).
#
# The player's program is 32-bit, but some machines run no 32-bit code at all (their kernel says
# "32-bit emulation disabled"): there every i386 program fails with "Exec format error" and no
# Wine can start a 32-bit program, so the 64-bit build is the one that runs. The decision is
# made here, once, by asking the machine:
#
#   ornel_windows_bits        sets ORNEL_BITS to 32 or 64 and ORNEL_BITS_WHY to one line of why.
#                             ORNEL_WINDOWS_BITS=32|64 decides instead of the machine; auto (or
#                             nothing) asks it. ORNEL_BITS_PROBE names another probe program
#                             (tests use stand-ins). Fails, saying so, on any other value.
#   ornel_exe_bits EXE        prints 32 or 64: the width of a Windows program, read from its header.
#   ornel_wine_for BITS       sets up Wine for programs of that width: the loader (ORNEL_WINE),
#                             the prefix, WINEARCH and WINELOADER.
#   ornel_wine_for_exe EXE    the same, for the width of EXE.
#   ornel_wine_prefix         creates the prefix once; needs a display (wineboot opens windows).
#   ornel_wine_desktop        starts Wine's desktop on the display before a program needs it.
#
# A 32-bit program runs with Debian's `wine`; a 64-bit one with the `wine64` loader itself, since
# Debian's `wine` starts the 32-bit loader first whenever wine32 is installed. Each width has its
# own prefix (a win32 prefix cannot hold a 64-bit program): ORNEL_WINE_PREFIX when set (callers
# point it into the build folder of the program they run), otherwise build/wine-prefix for 32
# bits and build/wine-prefix64 for 64. The prefix is the project's own (never the user's
# ~/.wine), quiet, and without the Mono and Gecko installers that a new prefix would offer.
# Windows draw their own captions and borders ("Managed" off), as on Windows, so the window's
# shape and caption look the same with or without a window manager.

ornel_wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="

# ornel_write_bits_probe FILE: writes the smallest 32-bit Linux program, which exits with
# status 42 (an ELF header, one program header and: xor ebx,ebx; mov bl,42; xor eax,eax; inc eax;
# int 0x80). Nothing but the kernel is needed to run it, so it asks the machine itself, not its
# package list.
ornel_write_bits_probe() {
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$1"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$1"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$1"
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$1"
  printf '\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000' >>"$1"
  printf '\061\333\263\052\061\300\100\315\200' >>"$1"
  chmod +x "$1"
}

# ornel_windows_bits: ORNEL_BITS=32 when this machine runs 32-bit programs, else 64 (see the top).
ornel_windows_bits() {
  case "${ORNEL_WINDOWS_BITS:-auto}" in
    32 | 64)
      ORNEL_BITS=$ORNEL_WINDOWS_BITS
      ORNEL_BITS_WHY="ORNEL_WINDOWS_BITS=$ORNEL_WINDOWS_BITS chooses it"
      return 0 ;;
    auto) ;;
    *)
      echo "wine-env: ORNEL_WINDOWS_BITS is '$ORNEL_WINDOWS_BITS'; it takes 32, 64 or auto" >&2
      return 2 ;;
  esac
  local probe=${ORNEL_BITS_PROBE:-} made="" out status
  if [ -z "$probe" ]; then
    made=$(mktemp "${TMPDIR:-/tmp}/ornel-bits-probe.XXXXXX") || return 1
    ornel_write_bits_probe "$made"
    probe=$made
  fi
  # (written so that a caller's `set -e` does not end at the probe's failure)
  status=0
  out=$("$probe" 2>&1) || status=$?
  [ -z "$made" ] || rm -f "$made"
  if [ "$status" -eq 42 ]; then
    ORNEL_BITS=32
    ORNEL_BITS_WHY="this machine runs 32-bit programs"
  else
    out=${out##*: }
    ORNEL_BITS=64
    ORNEL_BITS_WHY="this machine runs no 32-bit code (a 32-bit probe program: ${out:-exit status $status})"
  fi
}

# ornel_exe_bits EXE: 32 or 64 from the machine field of the program's PE header; fails when
# EXE is no Windows program of either width.
ornel_exe_bits() {
  local at machine
  at=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
  [ -n "$at" ] || { echo "wine-env: '$1' is not a Windows program" >&2; return 1; }
  machine=$(od -An -t x1 -j $((at + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
  case "$machine" in
    4c01) echo 32 ;;
    6486) echo 64 ;;
    *) echo "wine-env: '$1' is not a Windows program for i386 or x86-64" >&2; return 1 ;;
  esac
}

# ornel_wine_loader BITS: the Wine loader that starts programs of that width.
ornel_wine_loader() {
  if [ "$1" = 32 ]; then
    command -v wine
    return
  fi
  local loader
  for loader in "$(command -v wine64)" /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
    [ -n "$loader" ] && [ -x "$loader" ] && { echo "$loader"; return 0; }
  done
  echo "wine-env: no 64-bit Wine loader (Debian's package wine64 brings /usr/lib/wine/wine64)" >&2
  return 1
}

ornel_wine_for() {
  local bits=$1
  ORNEL_WINE=$(ornel_wine_loader "$bits") || return 1
  export ORNEL_WINE
  if [ -n "${ORNEL_WINE_PREFIX:-}" ]; then
    export WINEPREFIX="$ORNEL_WINE_PREFIX"
  elif [ "$bits" = 32 ]; then
    export WINEPREFIX="$ornel_wine_root/build/wine-prefix"
  else
    export WINEPREFIX="$ornel_wine_root/build/wine-prefix64"
  fi
  if [ "$bits" = 32 ]; then
    export WINEARCH=win32
    unset WINELOADER
  else
    export WINEARCH=win64 WINELOADER="$ORNEL_WINE"
  fi
}

ornel_wine_for_exe() {
  local bits
  bits=$(ornel_exe_bits "$1") && ornel_wine_for "$bits"
}

ornel_wine_prefix() {
  local made
  if [ -f "$WINEPREFIX/system.reg" ]; then
    made=$(sed -n 's/^#arch=//p' "$WINEPREFIX/system.reg" | head -1)
    if [ -n "$made" ] && [ "$made" != "$WINEARCH" ]; then
      echo "wine-env: the Wine prefix $WINEPREFIX is $made, this program needs $WINEARCH; remove it or name another (ORNEL_WINE_PREFIX)" >&2
      return 1
    fi
    [ -f "$WINEPREFIX/.ornel-ready" ] && return 0
  fi
  mkdir -p "$WINEPREFIX"
  "$ORNEL_WINE" wineboot -i >/dev/null 2>&1
  "$ORNEL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wine-env: Wine could not make the prefix $WINEPREFIX" >&2; return 1; }
  touch "$WINEPREFIX/.ornel-ready"
}

# ornel_prefix_beside EXE NAME: ORNEL_WINE_PREFIX names a prefix of its own beside the usual one of
# EXE's build (that one's path with -NAME), for a scenario that changes how Wine sees the screen;
# nothing when it names such a prefix already or EXE is no file.
ornel_prefix_beside() {
  [ -f "$1" ] || return 0
  case "${ORNEL_WINE_PREFIX:-}" in
    *-"$2") ;;
    "") ORNEL_WINE_PREFIX="$(cd "$(dirname "$1")" && pwd)/wine-prefix-$2" ;;
    *) ORNEL_WINE_PREFIX="$ORNEL_WINE_PREFIX-$2" ;;
  esac
  export ORNEL_WINE_PREFIX
}

# ornel_wine_resolution: the resolution (dots per inch) Wine's programs in the prefix are told the
# screen has: its LogPixels setting, 96 when none is set.
ornel_wine_resolution() {
  local hex
  hex=$(tr -d '\r' <"$WINEPREFIX/user.reg" 2>/dev/null |
    sed -n '/^\[Control Panel\\\\Desktop\]/,/^\[/s/^"LogPixels"=dword:\([0-9a-fA-F]*\)/\1/p' | head -1)
  echo $((16#${hex:-60}))
}

# ornel_wine_desktop: starts Wine's desktop process on $DISPLAY and checks that it opened the
# display. On an X server that has just started, it now and then cannot, and then no window of any
# program can be made in that Wine session ("no driver could be loaded"); Wine is then started
# again, at most twice. The programs started afterwards find the desktop ready.
ornel_wine_desktop() {
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    WINEDEBUG=-all,err+winediag "$ORNEL_WINE" rundll32.exe user32.dll,GetDesktopWindow >"$log" 2>&1
    if ! grep -q 'no driver could be loaded' "$log"; then
      rm -f "$log"
      return 0
    fi
    echo "wine-env: Wine's desktop could not open the display $DISPLAY; Wine starts again" >&2
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  done
  rm -f "$log"
  echo "wine-env: Wine's desktop could not open the display $DISPLAY three times" >&2
  return 1
}
