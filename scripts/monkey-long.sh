#!/usr/bin/env bash
# Long monkey runs on the real window under Wine: many seeds, many actions each; run before a change to play, undo or commands lands.
#
#   scripts/monkey-long.sh [ACTIONS] [SEED...]
#
# ACTIONS defaults to 20000; without seeds, 4242 (the run that once broke the board) and 24 more.
# Each run is the Windows suite's monkey test on a 1280x1024 screen; the first failing seed is
# printed with its replay command and the script fails. Needs the window test program of the build
# this machine runs (scripts/wine-env.sh decides): build/test-win/ornel_tests.exe (32-bit) or
# build/test-win64/ornel_tests.exe (64-bit); scripts/test.sh --windows builds both, and
# ORNEL_TESTS_EXE names another.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
actions=${1:-20000}
shift || true
seeds=("$@")
if [ ${#seeds[@]} -eq 0 ]; then
  seeds=(4242)
  for k in $(seq 1 24); do seeds+=($((20260000 + 7919 * k))); done
fi
. "$root/scripts/wine-env.sh"
if [ -z "${ORNEL_TESTS_EXE:-}" ]; then
  ornel_windows_bits || exit 2
  build=test-win
  [ "$ORNEL_BITS" = 64 ] && build=test-win64
  ORNEL_TESTS_EXE=$root/build/$build/ornel_tests.exe
  echo "monkey-long: the $ORNEL_BITS-bit build: $ORNEL_BITS_WHY"
fi
exe=$ORNEL_TESTS_EXE
[ -f "$exe" ] || { echo "monkey-long: no $exe (run scripts/test.sh --windows first)" >&2; exit 2; }
export ORNEL_WINE_PREFIX=${ORNEL_WINE_PREFIX:-$(dirname "$exe")/wine-prefix}
export ORNEL_SCREEN=1280x1024x24

failed=0
for seed in "${seeds[@]}"; do
  log=$(mktemp)
  ORNEL_MONKEY_SEED=$seed ORNEL_MONKEY_ACTIONS=$actions "$root/scripts/with-display.sh" bash -c '
    cd "$(dirname "$2")" &&
    bash "$1/scripts/wine-run.sh" "./$(basename "$2")" --gtest_filter="MonkeyTest.*" --gtest_brief=1' _ "$root" "$exe" >"$log" 2>&1
  status=$?
  if [ $status -eq 0 ] && grep -q '\[  PASSED  \] 1 test' "$log"; then
    echo "monkey-long: seed $seed, $actions actions: passed"
  else
    echo "monkey-long: seed $seed, $actions actions: FAILED"
    grep -v -E '^(wine|[0-9a-f]+:fixme)' "$log" | grep -E 'Failure|after action|cells|Expected|Actual' | head -8
    echo "  replay: ORNEL_MONKEY_SEED=$seed ORNEL_MONKEY_ACTIONS=$actions scripts/monkey-long.sh $actions $seed"
    failed=$((failed + 1))
  fi
  rm -f "$log"
done
echo "monkey-long: ${#seeds[@]} seeds, $failed failed"
[ $failed -eq 0 ]
