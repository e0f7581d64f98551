#!/usr/bin/env bash
# Checks the packages that scripts/package.sh made: their files, the programs' headers, imports and resources.
#
#   scripts/check-release.sh [ZIP|32|64...]   default: dist/ORNEL-VERSION-win32.zip and -win64.zip of
#                                             the version in the code; 32 or 64 names one of them
#
# A zip named ...-win32.zip must hold a 32-bit program (PE32, i386), one named ...-win64.zip a
# 64-bit one (PE32+, x86-64). Reads each program with MinGW's binutils (objdump -p for the PE header
# and imports, windres for the resources), prints one line per failed check and one line per zip
# that passed; exits 1 when any check fails.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/release-lib.sh"

version=$(release_version) || exit 1
IFS=. read -r major minor number <<<"$version"
# The player's program must stay small enough to mail or put on a stick with room to spare.
max_bytes=$((3 * 1024 * 1024 / 2))
# What the program may import: DLLs that every Windows has (msvcrt.dll is Windows' own C library).
# No MinGW runtime (libstdc++, libgcc, libwinpthread): those are linked in statically.
system_dlls="gdi32.dll kernel32.dll msvcrt.dll user32.dll winmm.dll"
expected_files="LISEZMOI.txt ORNEL.exe README.txt SHA256SUMS.txt"

# check DESCRIPTION COMMAND...: runs COMMAND, counts and reports the outcome in the counters of
# the check_zip that calls it.
check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "check-release: FAIL: $(basename "$zip"): $what" >&2
    failed=$((failed + 1))
  fi
}

# check_zip ZIP: every check of one package; its status is 1 when any failed.
check_zip() {
  local zip=$1 bits objdump windres format magic arch
  case "$zip" in
    *-win32.zip) bits=32 objdump=i686-w64-mingw32-objdump windres=i686-w64-mingw32-windres
      format=pei-i386 magic=010b arch=x86 ;;
    *-win64.zip) bits=64 objdump=x86_64-w64-mingw32-objdump windres=x86_64-w64-mingw32-windres
      format=pei-x86-64 magic=020b arch=amd64 ;;
    *) echo "check-release: FAIL: $zip is named neither ...-win32.zip nor ...-win64.zip" >&2; return 1 ;;
  esac
  local failed=0 passed=0
  if [ ! -f "$zip" ]; then
    echo "check-release: FAIL: no package at $zip (bash scripts/package.sh makes it)" >&2
    return 1
  fi
  local work exe
  work=$(mktemp -d)
  unzip -q "$zip" -d "$work" || { echo "check-release: FAIL: $zip does not unpack" >&2; rm -rf "$work"; return 1; }
  exe="$work/ORNEL.exe"

  files=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
  check "the package holds '$files', expected '$expected_files ' (nothing else: no DLL, no folder)" \
    test "$files" = "$expected_files "

  # --- the program ---
  local header size imports foreign resources manifest
  header=$($objdump -p "$exe" 2>/dev/null)
  size=$(stat -c %s "$exe" 2>/dev/null || echo 0)
  check "ORNEL.exe is $size bytes, more than $max_bytes" test "$size" -le "$max_bytes"
  check "ORNEL.exe is not a PE file for $format" grep -q "file format $format\$" <<<"$header"
  check "ORNEL.exe is not a $bits-bit program (magic $magic)" grep -Eq "^Magic[[:space:]]+$magic" <<<"$header"
  check "ORNEL.exe is not a Windows GUI program" grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$header"
  check "ORNEL.exe still carries debugging sections or symbols" \
    test -z "$($objdump -h "$exe" | grep -E '\.debug|\.stab')" -a -z "$($objdump -t "$exe" | grep -E '^\[ *[0-9]+\]')"

  imports=$(sed -n 's/^[[:space:]]*DLL Name: *//p' <<<"$header" | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
  imports=${imports% }
  foreign=""
  for dll in $imports; do
    [[ " $system_dlls " == *" $dll "* ]] || foreign+="$dll "
  done
  check "ORNEL.exe imports DLLs that are not part of Windows: $foreign(imports: $imports)" test -z "$foreign"
  check "ORNEL.exe imports nothing" test -n "$imports"

  resources=$($windres -i "$exe" -O rc 2>/dev/null)
  check "no version record with the product version $version" \
    grep -Eq "^ *PRODUCTVERSION $major, $minor, $number, " <<<"$resources"
  check "the version record's file version is not $version" \
    grep -Eq "^ *FILEVERSION $major, $minor, $number, " <<<"$resources"
  check "the version record's file version text is not $version" \
    grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$resources"
  check "the version record's product version text is not $major.$minor" \
    grep -q "VALUE \"ProductVersion\", \"$major.$minor\"" <<<"$resources"
  manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources")
  check "no manifest (resource 1 of type 24) inside ORNEL.exe" grep -q '<assembly ' <<<"$manifest"
  check "the manifest does not name version $version.0 for $arch" \
    grep -q "version=\"\"$version.0\"\" processorArchitecture=\"\"$arch\"\"" <<<"$manifest"
  check "the manifest does not declare the window aware of each monitor's display scale" \
    grep -q "PerMonitorV2, PerMonitor</dpiAwareness>" <<<"$manifest"
  check "the manifest gives older Windows no display-scale fallback (true/pm)" \
    grep -q ">true/pm</dpiAware>" <<<"$manifest"

  # --- the texts beside it ---
  local text file lines
  for text in README.txt LISEZMOI.txt; do
    file="$work/$text"
    [ -f "$file" ] || continue
    lines=$(wc -l <"$file")
    check "$text is empty" test "$lines" -gt 20
    check "$text has lines that do not end in CR LF" test "$(grep -c $'\r$' "$file")" -eq "$lines"
    check "$text does not end with a line end" test "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n'
    check "$text does not name version $version" grep -q "ORNEL $version" "$file"
    check "$text does not name the settings file 'ORNEL $number.TXT'" grep -q "ORNEL $number\.TXT" "$file"
    check "$text has a placeholder left" test -z "$(grep -E '@[A-Z]+@' "$file")"
    check "$text does not name its package, win$bits" grep -q "is the win$bits one\|est le win$bits\." "$file"
  done
  check "LISEZMOI.txt is not in Windows-1252 (French letters)" \
    bash -c 'iconv -f WINDOWS-1252 -t UTF-8 "$1" | grep -q "règle"' _ "$work/LISEZMOI.txt"

  check "SHA256SUMS.txt is not one line for ORNEL.exe" \
    grep -Eqx '[0-9a-f]{64}  ORNEL\.exe' "$work/SHA256SUMS.txt"
  check "SHA256SUMS.txt does not match ORNEL.exe" \
    bash -c 'cd "$1" && sha256sum --quiet -c SHA256SUMS.txt' _ "$work"

  rm -rf "$work"
  if [ "$failed" -gt 0 ]; then
    echo "check-release: $zip: $passed passed, $failed failed" >&2
    return 1
  fi
  echo "check-release: $zip: ORNEL.exe ($bits-bit) $size bytes, imports $imports; all $passed checks passed"
}

[ $# -gt 0 ] || set -- "$(release_zip 32)" "$(release_zip 64)"
status=0
for zip in "$@"; do
  case "$zip" in 32 | 64) zip=$(release_zip "$zip") ;; esac
  check_zip "$zip" || status=1
done
exit "$status"
