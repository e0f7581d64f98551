#!/usr/bin/env bash
# Checks that every #include "..." of the game's folders points to the same layer or a lower one.
#
#   scripts/check-layers.sh [ROOT]
#
# Layers, lowest first: base < puzzle < content, render < ui < app. A folder may include its own
# headers and those of the layers below it; content and render are siblings and include neither
# each other nor anything above them. tools/ may include any folder of the game (and its own), but
# no game folder includes tools/, tests/ or bench/; tests/ and bench/ are not checked.
#
# Each offence is printed as "FILE:LINE: FOLDER may not include HEADER" and the script exits 1.
# With no offence, one summary line and exit 0.
set -euo pipefail

root=""
while [ $# -gt 0 ]; do
  case "$1" in
    -h | --help) sed -n '2,12s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) [ -z "$root" ] || { echo "usage: check-layers.sh [ROOT]" >&2; exit 2; }
       root=$1; shift ;;
  esac
done
[ -n "$root" ] || root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

folders=(base puzzle content render ui app tools)
files=()
for f in "${folders[@]}"; do
  [ -d "$f" ] || continue
  while IFS= read -r file; do files+=("$file"); done < <(find "$f" -type f \( -name '*.h' -o -name '*.cpp' \
    -o -name '*.rc' -o -name '*.rc2' -o -name '*.inc' \) | LC_ALL=C sort)
done

# Every include line as FILE:LINE:TEXT, read by one awk program.
{
  [ ${#files[@]} -eq 0 ] || grep -HnI '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${files[@]}" || true
} | awk -v nfiles=${#files[@]} '
  BEGIN {
    # Rank of each game folder; siblings share a rank and may not include each other.
    rank["base"] = 0; rank["puzzle"] = 1; rank["content"] = 2; rank["render"] = 2
    rank["ui"] = 3; rank["app"] = 4
    top["tools"] = 1; top["tests"] = 1; top["bench"] = 1
    for (f in rank) top[f] = 1
    offences = 0; includes = 0
  }
  # Folder of the path that an include of HEADER from FILE names: a header that starts with a
  # folder of the repository is found from the root, any other one beside the including file.
  function target(file, header,   parts, n, i, out, k, dir) {
    split(header, parts, "/")
    if (parts[1] in top) return parts[1]
    dir = file; sub(/\/[^\/]*$/, "", dir)
    n = split(dir "/" header, parts, "/"); k = 0
    for (i = 1; i <= n; i++) {
      if (parts[i] == "." || parts[i] == "") continue
      if (parts[i] == "..") { if (k > 0) k--; continue }
      out[++k] = parts[i]
    }
    return k > 1 ? out[1] : "."
  }
  function may(from, to) {
    if (from == to) return 1
    if (from == "tools") return to in rank
    if (!(to in rank)) return 0
    return rank[to] < rank[from]
  }
  {
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2)
    lineno = rest; sub(/:.*/, "", lineno)
    text = substr(rest, length(lineno) + 2)
    if (!match(text, /"[^"]*"/)) next
    header = substr(text, RSTART + 1, RLENGTH - 2)
    from = file; sub(/\/.*/, "", from)
    includes++
    if (may(from, target(file, header))) next
    printf "%s:%s: %s may not include %s\n", file, lineno, from, header
    offences++
  }
  END {
    if (offences > 0) {
      printf "check-layers: %d include(s) against the layers\n", offences
      exit 1
    }
    printf "check-layers: %d includes in %d files follow the layers\n", includes, nfiles
  }'
