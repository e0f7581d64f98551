#!/usr/bin/env bash
# Builds the release programs and packs what the player receives into dist/ORNEL-VERSION-win32.zip and -win64.zip.
#
#   scripts/package.sh [--no-check]
#
# Each program is a Release build (-O2, no debug information, stripped) of its own: the 32-bit one
# in build/release, the 64-bit one in build/release64 (ORNEL_BUILD_ROOT changes "build"); the
# version comes from the game's code (kVersionMajor, kVersionMinor in app/app_state.h,
# kReleaseNumber in content/collection.h). Each zip (ORNEL_DIST_DIR changes "dist") holds, side by side:
#   ORNEL.exe        the game of that width, with its version record and manifest inside, no DLL
#   README.txt       the player's read-me in English, LISEZMOI.txt the same in French
#                    (Windows line endings, Windows-1252), naming the package they are in
#   SHA256SUMS.txt   the SHA-256 of ORNEL.exe, as sha256sum writes it
# Every file carries the time of the last commit, so the same sources give the same zips.
# scripts/check-release.sh then checks both packages; this script runs it at the end, unless
# --no-check says that the caller does (scripts/test.sh leaves it to CTest).
set -euo pipefail

check=1
case "${1:-}" in
  --no-check) check=0 ;;
  "") ;;
  *) echo "usage: scripts/package.sh [--no-check]" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
. "$here/release-lib.sh"

bash "$here/install-deps.sh"
version=$(release_version)
settings_name="ORNEL ${version##*.}.TXT"
stamp=$(git -C "$release_root" log -1 --format=%ct 2>/dev/null || date +%s)

# package BITS: builds the program of that width and writes its zip.
package() {
  local bits=$1 build zip stage text
  build=$(release_build_dir "$bits")
  zip=$(release_zip "$bits")
  echo "== release build of ORNEL $version, $bits-bit ($build)"
  release_build "$bits"

  stage="$build/package"
  rm -rf "$stage"
  mkdir -p "$stage" "$release_dist_dir"
  cp "$build/ORNEL.exe" "$stage/ORNEL.exe"

  # The read-me texts: version, settings file name and package filled in, Windows-1252, CR LF.
  for text in README.txt LISEZMOI.txt; do
    sed -e "s/@VERSION@/$version/g" -e "s/@SETTINGS@/$settings_name/g" -e "s/@WIDTH@/win$bits/g" \
      -e 's/$/\r/' "$here/release/$text" | iconv -f UTF-8 -t WINDOWS-1252 >"$stage/$text"
  done
  (cd "$stage" && sha256sum ORNEL.exe >SHA256SUMS.txt)

  touch -d "@$stamp" "$stage"/*
  rm -f "$zip"
  (cd "$stage" && TZ=UTC zip -q -X -9 "$zip" ORNEL.exe README.txt LISEZMOI.txt SHA256SUMS.txt)

  echo "== $zip"
  echo "   ORNEL.exe: $(stat -c %s "$stage/ORNEL.exe") bytes, sha256 $(cut -d' ' -f1 "$stage/SHA256SUMS.txt")"
}

package 32
package 64
[ "$check" -eq 0 ] || bash "$here/check-release.sh"
