#!/usr/bin/env bash
# Test of scripts/check-layers.sh on a planted tree: it names every include against the layers, and only those.
set -euo pipefail

check="$(cd "$(dirname "$0")/.." && pwd)/scripts/check-layers.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
fail() { echo "check_layers_test: FAIL: $*" >&2; exit 1; }

plant() { mkdir -p "$tree/$(dirname "$1")"; printf '%s\n' "${@:2}" >"$tree/$1"; }
# Allowed: downward, own folder (by path and beside the file), tools using the game.
plant base/a.h '// base' '#include <vector>'
plant puzzle/p.h '#include "base/a.h"'
plant render/r.h '#include "puzzle/p.h"' '#include "r2.h"'
plant render/r2.h '// beside r.h'
plant ui/u.cpp '#include "render/r.h"' '#include "ui/u.h"'
plant ui/u.h '// ui'
plant app/x.h '#include "ui/u.h"' '  #  include "x2.h"'
plant app/x2.h '// app'
plant tools/t.cpp '#include "app/x.h"' '#include "content/c.h"'
# Against the layers: a sibling, upward by path, upward through "..", a game file using tools.
plant content/c.h '// content' '' '#include "render/r.h"'
plant puzzle/q.cpp '#include "app/x.h"'
plant base/b.cpp '#include <string>' '#include "../ui/u.h"'
plant render/s.h '#include "tools/t.h"'
# Not checked: tests may include anything.
plant tests/z.cpp '#include "app/x.h"' '#include "tools/t.h"'

# Reported folder by folder, lowest layer first.
expected='base/b.cpp:2: base may not include ../ui/u.h
puzzle/q.cpp:1: puzzle may not include app/x.h
content/c.h:3: content may not include render/r.h
render/s.h:1: render may not include tools/t.h'

status=0
out=$(bash "$check" "$tree") || status=$?
[ "$status" -eq 1 ] || fail "exit $status with four offences, expected 1"
[ "$(grep -v '^check-layers:' <<<"$out")" = "$expected" ] || fail "reported:
$out
expected:
$expected"

echo "check_layers_test: ok"
