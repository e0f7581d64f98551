#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each for SECONDS on its committed seeds.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     SECONDS per target (default 10); all targets when none is named
#
# Build folder: build/fuzz (ORNEL_FUZZ_BUILD changes it). Seeds are read from tests/fuzz/corpus/TARGET and
# never written; what a run learns goes to build/fuzz/corpus/TARGET and is used again by the next run. An
# input that crashes or breaks an invariant is kept as build/fuzz/findings/TARGET-crash-... and the script
# fails; a fixed finding belongs in tests/fuzz/corpus/TARGET as a regression case.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
[ $# -gt 0 ] && shift
build=${ORNEL_FUZZ_BUILD:-$root/build/fuzz}
jobs=${ORNEL_JOBS:-2}
cxx=${ORNEL_FUZZ_CXX:-$(command -v clang++ || command -v clang++-14 || true)}
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
cmake -S "$root/tests/fuzz" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in "$root"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

# Longest input per target: a settings file gets room for many lines, the other texts a few kilobytes.
max_len() {
  case "$1" in
    settings_fuzz) echo 16384 ;;
    *) echo 4096 ;;
  esac
}

mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  seeds="$root/tests/fuzz/corpus/$t"
  work="$build/corpus/$t"
  log="$build/$t.log"
  mkdir -p "$work" "$seeds"
  echo "== $t: ${seconds}s"
  if UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
     "$build/$t" "$work" "$seeds" -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=2 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$t-" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    echo "   ok: ${runs:-?} inputs (${rate:-?}/s), corpus $(ls "$work" | wc -l) + $(ls "$seeds" | wc -l) seeds"
  else
    status=1
    echo "   FAILED (log: $log)"
    grep -E '^\*\*\* |ERROR: |SUMMARY: |Test unit written' "$log" | head -8 | sed 's/^/   /'
  fi
done
exit "$status"
