#!/usr/bin/env bash
# Installs what building, running and testing the game needs (Debian packages), skipping what is there.
set -euo pipefail

# Native: compiler, CMake, GoogleTest and Google Benchmark; clang and libFuzzer for the
# fuzz targets. Windows: the MinGW-w64 cross compiler and 32-bit Wine. Screen tests:
# Xvfb, xdotool and ImageMagick. The release package: zip and unzip.
packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libfuzzer-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth xdotool x11-utils x11-apps imagemagick fonts-liberation
  zip unzip
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

# 32-bit Wine comes from the i386 side of the archive.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "install-deps: done"
