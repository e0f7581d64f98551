#!/usr/bin/env bash
# Finds call cycles between the game's source files in a build: file A uses a function of file B and B one of A.
#
#   scripts/check-cycles.sh BUILD [NM]
#
# Reads the object files of the game's libraries in BUILD (CMakeFiles/ornel_FOLDER.dir/...; the
# unsanitised copies for the benchmarks, ornel_FOLDER_fast, are left out) with NM (default nm; the
# Windows builds name their MinGW nm, so the *_win.cpp files are checked too). Each object's
# external symbols tell which functions and variables it defines and which it uses: a use of a
# symbol that another object defines is an edge between the two source files. Weak definitions
# (inline functions and templates, made again in every object that uses them) belong to no file.
#
# Every group of files that reach each other through such edges is a cycle, reported as
#   check-cycles: cycle: FILE FILE...
#     FILE -> FILE: NAME, NAME...
# one line per edge inside the group, with the names that close it; the script then exits 1.
# With no cycle, one summary line and exit 0.
set -uo pipefail

build=${1:?usage: check-cycles.sh BUILD [NM]}
nm=${2:-nm}
command -v "$nm" >/dev/null || { echo "check-cycles: no '$nm'" >&2; exit 2; }
[ -d "$build/CMakeFiles" ] || { echo "check-cycles: '$build' is no CMake build folder" >&2; exit 2; }

# One line per external symbol: SOURCE<TAB>KIND<TAB>SYMBOL, KIND D (defined, strong) or U (used).
symbols=$(
  find "$build/CMakeFiles" -regextype posix-extended -regex '.*/CMakeFiles/ornel_[a-z]+\.dir/.*\.(o|obj)' |
    LC_ALL=C sort | while IFS= read -r object; do
      source=${object#*/CMakeFiles/ornel_*.dir/}
      source=${source%.o}
      source=${source%.obj}
      "$nm" -P -g "$object" 2>/dev/null | awk -v src="$source" '
        $2 == "U" { print src "\tU\t" $1; next }
        $2 ~ /^[TDBRC]$/ { print src "\tD\t" $1 }'
    done
)
objects=$(cut -f1 <<<"$symbols" | sort -u | grep -c .)
[ "$objects" -gt 0 ] || { echo "check-cycles: no object files of the game in '$build' (build it first)" >&2; exit 2; }

# EDGE lines: FROM<TAB>TO<TAB>SYMBOL, each use of another file's definition.
edges=$(awk -F'\t' '
  $2 == "D" { if ($3 in def && def[$3] != $1) twice[$3] = 1; def[$3] = $1; next }
  { use[NR] = $0 }
  END {
    for (i in use) {
      split(use[i], f, "\t")
      if ((f[3] in def) && !(f[3] in twice) && def[f[3]] != f[1]) print f[1] "\t" def[f[3]] "\t" f[3]
    }
  }' <<<"$symbols" | LC_ALL=C sort -u)

# Demangled, without parameter lists: the names a reader looks for.
demangle() { sed -e 's/^__Z/_Z/' | c++filt | sed -e 's/(.*//' -e 's/^_//'; }
if [ -n "$edges" ]; then
  names=$(cut -f3 <<<"$edges" | demangle)
  edges=$(paste <(cut -f1,2 <<<"$edges") <(cat <<<"$names"))
fi

# Groups of files that reach each other: the transitive closure of the file graph, then every file
# whose group (the files it reaches that reach it back) has more than one member.
report=$(awk -F'\t' '
  NF == 3 {
    if (!($1 in id)) { id[$1] = ++n; file[n] = $1 }
    if (!($2 in id)) { id[$2] = ++n; file[n] = $2 }
    reach[id[$1], id[$2]] = 1
    key = id[$1] SUBSEP id[$2]
    if ((key, $3) in seen) next
    seen[key, $3] = 1
    # (assigned apart from the test: mawk creates names[key] before it evaluates the right side)
    if (key in names) names[key] = names[key] ", " $3
    else names[key] = $3
  }
  END {
    for (k = 1; k <= n; k++) for (i = 1; i <= n; i++) if ((i, k) in reach)
      for (j = 1; j <= n; j++) if ((k, j) in reach) reach[i, j] = 1
    for (i = 1; i <= n; i++) {
      if (i in done) continue
      group = ""; count = 0
      for (j = 1; j <= n; j++)
        if (j == i || (((i, j) in reach) && ((j, i) in reach))) { members[++count] = j; done[j] = 1 }
      if (count < 2) continue
      line = "check-cycles: cycle:"
      for (a = 1; a <= count; a++) line = line " " file[members[a]]
      print line
      for (a = 1; a <= count; a++) for (b = 1; b <= count; b++) {
        key = members[a] SUBSEP members[b]
        if (a != b && (key in names)) print "  " file[members[a]] " -> " file[members[b]] ": " names[key]
      }
    }
  }' <<<"$edges")

if [ -n "$report" ]; then
  echo "$report"
  exit 1
fi
echo "check-cycles: no call cycle between the $objects source files of $build"
