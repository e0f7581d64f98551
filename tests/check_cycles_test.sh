#!/usr/bin/env bash
# Test of scripts/check-cycles.sh on a planted build: it names every group of files that call each other, and only those.
set -euo pipefail

check="$(cd "$(dirname "$0")/.." && pwd)/scripts/check-cycles.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
fail() { echo "check_cycles_test: FAIL: $*" >&2; exit 1; }

# plant LIBRARY/FILE.cpp LINE...: compiles the lines into LIBRARY's object folder, as CMake lays it out.
plant() {
  local object="$tree/build/CMakeFiles/$1.o"
  mkdir -p "$(dirname "$object")"
  printf '%s\n' "${@:2}" >"$tree/src.cpp"
  g++ -std=c++20 -O0 -c "$tree/src.cpp" -o "$object"
}
shared='inline int twice(int v) { return 2 * v; }'
# Two files of app calling each other, one of them through a variable.
plant ornel_app.dir/app/left.cpp "$shared" 'int right(int);' 'extern int limit;' 'int left(int v) { return twice(right(v)) + limit; }'
plant ornel_app.dir/app/right.cpp "$shared" 'int left(int);' 'int right(int v) { return v > 0 ? left(v - 1) : twice(v); }'
plant ornel_app.dir/app/settings.cpp 'int limit = 3;'
# A file that calls into the pair but is called by neither is no part of the cycle.
plant ornel_ui.dir/ui/user.cpp 'int left(int);' 'int use() { return left(2); }'
# Three tools files in a ring.
plant ornel_tools.dir/tools/a.cpp 'int b();' 'int a() { return b(); }'
plant ornel_tools.dir/tools/b.cpp 'int c();' 'int b() { return c(); }'
plant ornel_tools.dir/tools/c.cpp 'int a();' 'int c() { return a(); }'
# Inline functions made again in every object, and the benchmarks' copies, tie nothing together.
plant ornel_base.dir/base/one.cpp "$shared" 'int one() { return twice(1); }'
plant ornel_base.dir/base/two.cpp "$shared" 'int two() { return twice(2); }'
plant ornel_app_fast.dir/app/left.cpp 'int use(); int right(int v) { return use() + v; }'

expected='check-cycles: cycle: app/left.cpp app/right.cpp
  app/left.cpp -> app/right.cpp: right
  app/right.cpp -> app/left.cpp: left
check-cycles: cycle: tools/a.cpp tools/b.cpp tools/c.cpp
  tools/a.cpp -> tools/b.cpp: b
  tools/b.cpp -> tools/c.cpp: c
  tools/c.cpp -> tools/a.cpp: a'

status=0
out=$(bash "$check" "$tree/build") || status=$?
[ "$status" -eq 1 ] || fail "exit $status with two cycles, expected 1"
sorted() { sort <<<"$1"; }
[ "$(sorted "$out")" = "$(sorted "$expected")" ] || fail "reported:
$out
expected:
$expected"

# Without the ring's last call and the pair's back call, nothing is left to report.
plant ornel_tools.dir/tools/c.cpp 'int c() { return 3; }'
plant ornel_app.dir/app/right.cpp "$shared" 'int right(int v) { return twice(v); }'
out=$(bash "$check" "$tree/build") || fail "a tree without cycles failed: $out"
[[ "$out" == "check-cycles: no call cycle between the 9 source files of $tree/build" ]] || fail "summary: $out"

echo "check_cycles_test: ok"
