#!/usr/bin/env bash
# Checks the set-up scripts against stand-ins: which Windows build a machine runs, and an install that survives a broken archive.
#
# The decision of scripts/wine-env.sh is given stand-in probe programs (one that runs, one that the
# kernel refuses) and every value of ORNEL_WINDOWS_BITS; the width of a Windows program is read
# from made-up headers. scripts/install-deps.sh runs against a stand-in apt-get and dpkg-query on
# PATH that fail the way a mirror in the middle of a sync does. Prints one line per failed check.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "setup_scripts_test: FAIL: $*"; failures=$((failures + 1)); }

# --- which Windows build runs here ---
. "$root/scripts/wine-env.sh"

printf '#!/bin/sh\nexit 42\n' >"$work/runs"
printf '\177ELF\377\377\377\377' >"$work/refused" # the kernel cannot load it: "Exec format error"
chmod +x "$work/runs" "$work/refused"

decide() { # decide SETTING PROBE: runs the decision and prints "BITS|WHY"
  (ORNEL_WINDOWS_BITS=$1 ORNEL_BITS_PROBE=$2 ornel_windows_bits && echo "$ORNEL_BITS|$ORNEL_BITS_WHY")
}
case "$(decide auto "$work/runs")" in
  "32|this machine runs 32-bit programs") ;;
  *) fail "a probe that runs should choose the 32-bit build: $(decide auto "$work/runs")" ;;
esac
case "$(decide "" "$work/refused")" in
  "64|this machine runs no 32-bit code (a 32-bit probe program: Exec format error)") ;;
  *) fail "a probe the kernel refuses should choose the 64-bit build and say why: $(decide "" "$work/refused")" ;;
esac
case "$(decide auto /bin/false)" in
  "64|"*"exit status 1)") ;;
  *) fail "a probe that fails should choose the 64-bit build: $(decide auto /bin/false)" ;;
esac
# Scripts that run with `set -e` (run-game.sh, paint-bench.sh) call it bare: a refused probe must not end them.
out=$(ORNEL_BITS_PROBE="$work/refused" bash -c 'set -euo pipefail; . "$1"; ornel_windows_bits; echo "bits $ORNEL_BITS"' _ \
  "$root/scripts/wine-env.sh" 2>&1)
[ "$out" = "bits 64" ] || fail "a refused probe ended a caller that runs with set -e: $out"
[ "$(decide 64 "$work/runs")" = "64|ORNEL_WINDOWS_BITS=64 chooses it" ] ||
  fail "ORNEL_WINDOWS_BITS=64 should win over the machine: $(decide 64 "$work/runs")"
[ "$(decide 32 "$work/refused")" = "32|ORNEL_WINDOWS_BITS=32 chooses it" ] ||
  fail "ORNEL_WINDOWS_BITS=32 should win over the machine: $(decide 32 "$work/refused")"
if out=$(decide 48 "$work/runs" 2>&1); then
  fail "ORNEL_WINDOWS_BITS=48 should be refused, gave: $out"
fi
[[ "$out" == *"takes 32, 64 or auto"* ]] || fail "a bad ORNEL_WINDOWS_BITS should say what it takes: $out"
# The real probe gives the same answer as the kernel itself on this machine.
ornel_write_bits_probe "$work/probe"
"$work/probe" >/dev/null 2>&1
[ $? -eq 42 ] && expected=32 || expected=64
(unset ORNEL_WINDOWS_BITS ORNEL_BITS_PROBE; ornel_windows_bits && [ "$ORNEL_BITS" = "$expected" ]) ||
  fail "the built-in probe does not agree with the kernel (expected $expected)"

pe() { # pe FILE MACHINE-BYTES: a file with a DOS header pointing at a PE header for that machine.
  { printf 'MZ'; head -c 58 /dev/zero; printf '\100\000\000\000PE\000\000'; printf "$2"; head -c 64 /dev/zero; } >"$1"
}
pe "$work/a32.exe" '\114\001'
pe "$work/a64.exe" '\144\206'
pe "$work/arm.exe" '\304\001'
[ "$(ornel_exe_bits "$work/a32.exe")" = 32 ] || fail "an i386 program should read as 32-bit"
[ "$(ornel_exe_bits "$work/a64.exe")" = 64 ] || fail "an x86-64 program should read as 64-bit"
ornel_exe_bits "$work/arm.exe" >/dev/null 2>&1 && fail "an ARM program should be refused"
ornel_exe_bits "$work/none.exe" >/dev/null 2>&1 && fail "a missing program should be refused"
(ORNEL_WINE_PREFIX="" ornel_wine_for 32 && [ "$WINEARCH" = win32 ] && [[ "$WINEPREFIX" == */build/wine-prefix ]]) ||
  fail "32-bit programs should get a win32 prefix of their own"
if [ -x /usr/lib/wine/wine64 ]; then
  (ORNEL_WINE_PREFIX="" ornel_wine_for 64 && [ "$WINEARCH" = win64 ] && [[ "$WINEPREFIX" == */build/wine-prefix64 ]] &&
    [ "$ORNEL_WINE" = /usr/lib/wine/wine64 ] && [ "$WINELOADER" = "$ORNEL_WINE" ]) ||
    fail "64-bit programs should get the wine64 loader and a win64 prefix of their own"
fi

# --- an install that survives the archive's bad moments ---
bin="$work/bin"
mkdir -p "$bin"
# apt-get: logs every call; STANDIN_UPDATE=fail fails every update; STANDIN_PLAIN=fail fails an
# install without -t; STANDIN_NEVER names a package that never installs. An install that works
# marks its packages installed for the stand-in dpkg-query.
cat >"$bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STANDIN_DIR/calls"
if [ "$1" = update ]; then
  [ "${STANDIN_UPDATE:-}" = fail ] && { echo "E: Failed to fetch ... File has unexpected size (25378 != 25374). Mirror sync in progress?" >&2; exit 100; }
  exit 0
fi
shift
with_t=0 packages=()
while [ $# -gt 0 ]; do
  case "$1" in
    -t) with_t=1; shift ;;
    -*) ;;
    *) packages+=("$1") ;;
  esac
  shift
done
for p in "${packages[@]}"; do
  [ "$p" = "${STANDIN_NEVER:-}" ] && { echo "E: Package '$p' has no installation candidate" >&2; exit 100; }
done
[ "${STANDIN_PLAIN:-}" = fail ] && [ $with_t -eq 0 ] &&
  { echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100; }
printf '%s\n' "${packages[@]}" >>"$STANDIN_DIR/installed"
EOF
cat >"$bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
grep -qx "${!#}" "$STANDIN_DIR/installed" 2>/dev/null && printf 'install ok installed'
exit 0
EOF
cat >"$bin/dpkg" <<'EOF'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STANDIN_DIR/calls"
EOF
chmod +x "$bin/apt-get" "$bin/dpkg-query" "$bin/dpkg"

install_with() { # install_with VAR=VALUE...: a fresh stand-in machine, the script's output in $out
  local dir="$work/machine$((++machines))"
  mkdir -p "$dir"
  : >"$dir/installed"
  out=$(env PATH="$bin:$PATH" STANDIN_DIR="$dir" ORNEL_WINDOWS_BITS=64 ORNEL_APT_TRIES=3 ORNEL_APT_PAUSE=0 "$@" \
    bash "$root/scripts/install-deps.sh" 2>&1)
  status=$?
  calls=$(cat "$dir/calls" 2>/dev/null)
  installed=$(cat "$dir/installed")
}
machines=0

install_with STANDIN_UPDATE=fail
[ $status -eq 0 ] || fail "a failing update should not stop the install: $out"
[ "$(grep -c '^apt-get update' <<<"$calls")" -eq 3 ] || fail "a failing update should be tried 3 times: $calls"
grep -q "^apt-get install .* wine64 " <<<"$calls " || fail "the install should be attempted after the update failed: $calls"
[[ "$out" == *"warning: 'apt-get update' failed 3 times"* ]] || fail "a failing update should be warned about: $out"
grep -qx wine32:i386 <<<"$installed" && fail "a 64-bit machine should not get 32-bit Wine"

install_with STANDIN_PLAIN=fail
[ $status -eq 0 ] || fail "held broken packages should be mended by preferring the base release: $out"
grep -q '^apt-get install .*-t bookworm' <<<"$calls" || fail "the second install should prefer bookworm: $calls"
[[ "$out" == *"held broken packages"*"base release"* ]] || fail "the retry should say why and how: $out"
grep -qx xdotool <<<"$installed" || fail "the packages should be installed in the end"

install_with STANDIN_NEVER=wine64 STANDIN_UPDATE=fail
[ $status -ne 0 ] || fail "a package that cannot be had should stop the script"
[[ "$out" == *"cannot be installed:"*"wine64: E: Package 'wine64' has no installation candidate"* ]] ||
  fail "the message should name the package that cannot be had: $out"
grep -q "^  xdotool" <<<"$out" && fail "only the missing package should be named: $out"
grep -qx xdotool <<<"$installed" || fail "every package that can be had should still be installed"

install_with ORNEL_WINDOWS_BITS=32 STANDIN_UPDATE=
grep -qx wine32:i386 <<<"$installed" || fail "a 32-bit machine should get 32-bit Wine: $installed"
grep -q '^dpkg --add-architecture i386' <<<"$calls" || fail "a 32-bit machine should get the i386 side of the archive"

if [ "$failures" -gt 0 ]; then
  echo "setup_scripts_test: $failures failed"
  exit 1
fi
echo "setup_scripts_test: all checks passed"
