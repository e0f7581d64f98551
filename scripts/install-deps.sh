#!/usr/bin/env bash
# Installs what building, running and testing the game needs (Debian packages), skipping what is there.
#
# An archive mirror can be caught mid-sync: `apt-get update` then fails on one index, and the i386
# side may offer older versions than the amd64 side, so that one install answers "held broken
# packages". Neither ends the set-up here: a failed update is tried again a few times and then
# only warned about (the lists already on the machine still serve), and a failed install is tried
# again with the base release preferred (`-t bookworm`). Only a package that still cannot be
# had stops the script, with a message that names it.
#
# ORNEL_APT_TRIES (default 3) and ORNEL_APT_PAUSE (seconds between tries, default 5) tune the
# retries.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

# Native: compiler, CMake, GoogleTest and Google Benchmark; clang and libFuzzer for the fuzz
# targets. Windows: the MinGW-w64 cross compilers of both widths and Wine with its 64-bit loader.
# Screen tests: Xvfb, xdotool and ImageMagick, and the X and RandR libraries that cut a test
# screen into monitors (scripts/with-display.sh). The release packages: zip and unzip.
packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libfuzzer-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64
  xvfb xauth xdotool x11-utils x11-apps imagemagick fonts-liberation libx11-6 libxrandr2
  zip unzip
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
tries=${ORNEL_APT_TRIES:-3}
pause=${ORNEL_APT_PAUSE:-5}

# 32-bit Wine, from the i386 side of the archive, only where 32-bit programs can run.
ornel_windows_bits || exit 2
if [ "$ORNEL_BITS" = 32 ]; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
fi

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

mapfile -t missing < <(missing_packages "${packages[@]}")
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"

updated=0
for try in $(seq 1 "$tries"); do
  if $sudo apt-get update -qq; then
    updated=1
    break
  fi
  [ "$try" -lt "$tries" ] && sleep "$pause"
done
if [ "$updated" -eq 0 ]; then
  echo "install-deps: warning: 'apt-get update' failed $tries times (a mirror in the middle of a sync?); installing from the package lists this machine already has"
fi

# install [APT-OPTIONS...] -- PACKAGE...: one quiet install; its messages go to $log.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
install() {
  local options=()
  while [ "$1" != -- ]; do options+=("$1"); shift; done
  shift
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${options[@]}" "$@" \
    >"$log" 2>&1
}

base=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
[ -n "$base" ] || base=bookworm
if install -- "${missing[@]}"; then
  echo "install-deps: done"
  exit 0
fi
echo "install-deps: the install failed ($(grep -E '^E:' "$log" | head -1)); trying again with the base release ($base) preferred"
if install -t "$base" -- "${missing[@]}"; then
  echo "install-deps: done (with $base preferred)"
  exit 0
fi

# Still failing: find which packages cannot be had, one at a time, so the message names them.
mapfile -t missing < <(missing_packages "${missing[@]}")
failed=()
for p in "${missing[@]}"; do
  install -t "$base" -- "$p" || install -- "$p" || failed+=("$p: $(grep -E '^E:' "$log" | head -1)")
done
if [ ${#failed[@]} -eq 0 ]; then
  echo "install-deps: done (one package at a time)"
  exit 0
fi
echo "install-deps: these packages cannot be installed:" >&2
printf '  %s\n' "${failed[@]}" >&2
exit 1
