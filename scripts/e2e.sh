#!/usr/bin/env bash
# End-to-end scenarios: the real game under Wine on a 1024x768 screen, played with xdotool and checked on screen.
#
#   scripts/e2e.sh ORNEL.exe ORNEL-TOOL WORKROOT SCENARIO...
#
# Scenarios: startup place notes highlight zoom scroll rules language save win hostile pointer window
# starts (or "all").
# Each scenario starts the game in its own empty folder WORKROOT/SCENARIO (the settings file lives
# there), finds its click positions with "ornel-tool layout" and reads back pixels or the settings
# file. A failure keeps the screenshots in that folder and prints where they are.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
usage="usage: e2e.sh ORNEL.exe ORNEL-TOOL WORKROOT SCENARIO..."
exe=${1:?$usage}
tool=${2:?$usage}
root=${3:?$usage}
shift 3
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
if [ ! -x "$tool" ]; then
  echo "e2e: FAIL: ornel-tool not found at '$tool' (build it natively: cmake --build build/test-native --target ornel-tool)" >&2
  exit 1
fi
[ -f "$exe" ] || { echo "e2e: FAIL: the game '$exe' does not exist" >&2; exit 1; }

# The scenarios need a 1024x768 screen (E2E_SCREEN=WxHxD asks for another): the caller's display when
# it has that size, else a private one.
export ORNEL_SCREEN=${E2E_SCREEN:-1024x768x24}
if [ -z "${E2E_ON_DISPLAY:-}" ]; then
  E2E_ON_DISPLAY=1 exec "$here/with-display.sh" bash "$0" "$exe" "$tool" "$root" "$@"
fi

E2E_SOURCE_DIR=$(cd "$here/.." && pwd)
: "${ORNEL_WINE_PREFIX:=$(cd "$(dirname "$exe")" && pwd)/wine-prefix}"
export ORNEL_WINE_PREFIX
# Wine's display diagnostics stay on, whatever the caller chose: e2e_start reads them to tell
# Wine's display failures from the game's.
export WINEDEBUG="${WINEDEBUG:--all},err+winediag"
. "$here/wine-env.sh"
# Message boxes answer to y, n, Return and Escape only with their English buttons.
export LC_ALL=C LANG=C
. "$here/e2e-lib.sh"
ORNEL_TOOL=$tool
exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
mkdir -p "$root"
root=$(cd "$root" && pwd)
ornel_wine_for_exe "$exe" && ornel_wine_prefix && ornel_wine_desktop ||
  { echo "e2e: FAIL: no Wine for '$exe' (the prefix ${WINEPREFIX:-?} could not be made)" >&2; exit 1; }

SETTINGS_NAME="ORNEL 162.TXT"
SCREEN_W=${ORNEL_SCREEN%%x*}
SCREEN_H=${ORNEL_SCREEN#*x}
SCREEN_H=${SCREEN_H%%x*}
PLAYER_INK="255 0 255"
GROUND="255 255 153"
NOTE_INK="0 0 255"

# --- positions of the command bar (client pixels; the rows with grid buttons and chronometer) ---
BTN_LANGUAGE="55 30"
BTN_BIGGER="62 170"
BTN_SMALLER="47 170"
BTN_RULES="55 190"
BTN_UNDO="47 260"
BTN_REDO="62 260"
BTN_SAVE="55 445"
BTN_EXIT="55 475"
RULES_RETURN="45 505"
RULES_PREVIOUS="45 545"
RULES_NEXT="745 545"
# The selector's label point of each digit 1..6 (centre at 55,320).
SELECTOR_POINTS=("" "70 312" "70 328" "55 337" "40 328" "40 312" "55 303")

# --- steps shared by the scenarios ---

# begin NAME: a fresh, empty work folder for the scenario, and the desktop as it is before the game.
begin() {
  E2E_SCENARIO=$1
  E2E_WORK="$root/$1"
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_WORK"
  E2E_PID=""
  e2e_kill
  echo "e2e: [$1] in $E2E_WORK"
}

finish() {
  e2e_kill
  echo "e2e: [$E2E_SCENARIO] passed"
}

settings_file() {
  echo "$E2E_WORK/$SETTINGS_NAME"
}

# launch: starts the game in the work folder and waits for its window.
launch() {
  e2e_start "$E2E_WORK" "$exe"
}

# start_on_grid_1: grid 1 at scale 40 launched, shown and focused; CODE is its code, L and G its files.
start_on_grid_1() {
  CODE=$(e2e_grid_code 1)
  grid_files "$CODE" 40
  launch
  wait_grid_shown
  e2e_focus
}

# grid_files CODE SCALE [--pan P,Q]: LAYOUT and GRID files for that view of the grid (paths in L and G).
grid_files() {
  local code=$1 scale=$2
  shift 2
  L="$E2E_WORK/layout-$code-$scale${1:+-pan}.txt"
  G="$E2E_WORK/grid-$code.txt"
  e2e_layout_to "$L" "$code" --scale "$scale" "$@"
  e2e_grid_to "$G" "$code"
}

# ground_args: "X Y" client points, one per cell of L and G whose point is on the screen.
# Points under the bar panel, outside the grid area, off the screen or on a shown arrow are left out.
ground_args() {
  e2e_ground_points "$L" "$G" | awk -v cx="$E2E_CX" -v cy="$E2E_CY" -v w="$SCREEN_W" -v h="$SCREEN_H" '
    FNR == NR && $1 == "grid-area" { gl = $2 + 2; gt = $3 + 2; gr = $2 + $4 - 3; gb = $3 + $5 - 3; next }
    FNR == NR && $1 == "arrow" && $4 == 1 { al[++na] = $6 - 3; at[na] = $7 - 3; ar[na] = $8 + 3; ab[na] = $9 + 3; next }
    FNR == NR { next }
    {
      if ($2 < gl || $2 > gr || $3 < gt || $3 > gb) next
      if ($2 + cx < 0 || $2 + cx >= w || $3 + cy < 0 || $3 + cy >= h) next
      for (i = 1; i <= na; i++) if ($2 >= al[i] && $2 <= ar[i] && $3 >= at[i] && $3 <= ab[i]) next
      print $2, $3
    }' "$L" -
}

# all_ground: a fresh screenshot shows the ground colour at the point of every cell (of the current L, G).
all_ground() {
  e2e_snap probe
  local bad
  # shellcheck disable=SC2046
  bad=$(e2e_client_pixels "$E2E_SHOT" $(ground_args) | grep -vcx "$GROUND")
  [ "$bad" -eq 0 ] && [ -z "$(givens_report)" ]
}

# givens_report: the cells whose given digit is missing, or that show black ink without a given
# (looked for within a fifth of a cell of each centre inside the grid area, away from the arrows);
# empty when all agree.
givens_report() {
  # shellcheck disable=SC2046
  set -- $(e2e_get "$L" grid-area)
  e2e_black_points "$E2E_SHOT" $((E2E_CX + $1)) $((E2E_CY + $2)) "$3" "$4" |
    awk -v cx="$E2E_CX" -v cy="$E2E_CY" -v w="$SCREEN_W" -v h="$SCREEN_H" -v f1="$L" -v f2="$G" '
      BEGIN {
        while ((getline line < f1) > 0) {
          split(line, a, " ")
          if (a[1] == "cell-size") { r = int(a[2] / 5); m = int(a[2] / 2) }
          if (a[1] == "arrow") { al[++na] = a[6] - m; at[na] = a[7] - m; ar[na] = a[8] + m; ab[na] = a[9] + m }
          if (a[1] == "grid-area") { gl = a[2] + r; gt = a[3] + r; gr = a[2] + a[4] - r; gb = a[3] + a[5] - r }
          if (a[1] == "cell") { x[a[2]] = a[3] + cx; y[a[2]] = a[4] + cy; n = a[2] }
        }
        while ((getline line < f2) > 0) if (line ~ /^cell / && line ~ / fixed=1 /) { split(line, a, " "); fixed[a[2]] = 1 }
      }
      { black[$1 "," $2] = 1 }
      END {
        for (c = 1; c <= n; c++) {
          if (x[c] - cx < gl || x[c] - cx > gr || y[c] - cy < gt || y[c] - cy > gb) continue
          if (x[c] < r || x[c] >= w - r || y[c] < r || y[c] >= h - r) continue
          near = 0
          for (i = 1; i <= na; i++) if (x[c] - cx >= al[i] && x[c] - cx <= ar[i] && y[c] - cy >= at[i] && y[c] - cy <= ab[i]) near = 1
          if (near) continue
          k = 0
          for (dx = -r; dx <= r; dx++) for (dy = -r; dy <= r; dy++) if ((x[c] + dx) "," (y[c] + dy) in black) k++
          if (fixed[c] && k == 0) printf "cell %d: no given digit; ", c
          if (!fixed[c] && k > 0) printf "cell %d: black ink; ", c
        }
      }'
}

# ground_report: which cell points are not ground (for a failure message).
ground_report() {
  # shellcheck disable=SC2046
  paste <(ground_args) <(e2e_client_pixels "$E2E_SHOT" $(ground_args)) | grep -v "	$GROUND\$" | head -5 | tr '\n' ';'
}

wait_grid_shown() {
  e2e_until "${1:-20}" all_ground || e2e_fail "the grid is not as expected: $(ground_report) $(givens_report)"
}

# click_at "X Y" [BUTTON]: a click at a client point given as one word pair.
click_at() {
  # shellcheck disable=SC2086
  e2e_click $1 "${2:-1}"
}

# ink_at CELL COLOUR: the count of COLOUR pixels within a quarter cell of the centre of CELL (fresh screenshot).
ink_at() {
  local size
  size=$(e2e_get "$L" cell-size)
  e2e_snap probe
  # shellcheck disable=SC2046
  e2e_client_count "$E2E_SHOT" $(e2e_get "$L" cell "$1") $((size / 4)) "$2"
}

ink_present() { [ "$(ink_at "$1" "$2")" -gt 8 ]; }
ink_absent() { [ "$(ink_at "$1" "$2")" -eq 0 ]; }

# selected_is D: the selector shows digit D in the selected colour.
selected_is() {
  e2e_snap probe
  # shellcheck disable=SC2046
  [ "$(e2e_client_count "$E2E_SHOT" ${SELECTOR_POINTS[$1]} 7 "$PLAYER_INK")" -gt 3 ]
}

# select_digit D: the digit key, then the selector must show it.
select_digit() {
  e2e_key "$1"
  e2e_wait 10 "the key '$1' did not select digit $1" selected_is "$1"
}

# place DIGIT CELL: selects the digit and clicks the cell; the player's ink must appear there.
place() {
  select_digit "$1"
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$2")
  e2e_wait 10 "digit $1 clicked into cell $2 did not appear in the player's ink" ink_present "$2" "$PLAYER_INK"
}

# first_empty_cell [SKIP]: the first cell without a given (other than SKIP) of grid file G.
first_empty_cell() {
  awk -v skip="${1:-0}" '$1 == "cell" && $2 != skip && / value=0 / { print $2; exit }' "$G"
}

solution_of() { e2e_cell_field "$G" "$1" solution; }

# window_size_is W H: the main window has that outer size.
window_size_is() {
  e2e_window_geometry
  [ "$E2E_WW" = "$1" ] && [ "$E2E_WH" = "$2" ]
}

wait_window_size() {
  e2e_until 20 window_size_is "$1" "$2" || e2e_fail "the window is ${E2E_WW}x${E2E_WH}, expected $1x$2"
}

# grid_signature: a hash of the grid area of the window as shown now.
grid_signature() {
  e2e_snap probe
  # shellcheck disable=SC2046
  set -- $(e2e_get "$L" grid-area)
  e2e_signature "$E2E_SHOT" $((E2E_CX + $1)) $((E2E_CY + $2)) "$3" "$4"
}

signature_is() { [ "$(grid_signature)" = "$1" ]; }

# press_save: "S", answered Yes; waits until the settings file has been written again.
press_save() {
  local before=""
  [ -f "$(settings_file)" ] && before=$(stat -c %Y.%s "$(settings_file)")
  rm -f "$(settings_file)"
  click_at "$BTN_SAVE"
  e2e_answer_box y
  e2e_wait 10 "the settings file was not written by Save" test -s "$(settings_file)"
}

# setting KEY: the value of KEY= in the settings file.
setting() {
  tr -d '\r' <"$(settings_file)" | awk -v k="$1=" 'index($0, k) == 1 { print substr($0, length(k) + 1); exit }'
}

# saved_state N: the grid state of grid N as the settings file holds it (its gvN:A, B, ... lines joined).
saved_state() {
  tr -d '\r' <"$(settings_file)" | awk -v p="gv$1:" 'index($0, p) == 1 { split($0, kv, "="); s = s kv[2] } END { print s }'
}

# --- the scenarios ---

# Start-up without a settings file: grid 1 at 60,60, ground at every cell, the desktop between the
# hexagons and right of the caption strip; the close question answered Yes ends with 0, saving nothing.
scenario_startup() {
  begin startup
  e2e_snap desktop
  local desktop=$E2E_SHOT
  grid_files "$(e2e_grid_code 1)" 40
  launch
  [ "$E2E_WX,$E2E_WY" = "60,60" ] || e2e_fail "the window is at $E2E_WX,$E2E_WY, expected 60,60"
  wait_grid_shown
  # shellcheck disable=SC2046
  wait_window_size $(e2e_get "$L" window)

  # Off the shape: between the hexagons, and in the caption row right of the visible strip.
  local points=() p
  while read -r p; do points+=($((E2E_CX + ${p% *})) $((E2E_CY + ${p#* }))); done < <(e2e_off_shape_points "$L" 4)
  points+=($((E2E_WX + 23 + 110 + 20)) $((E2E_WY + 10)))
  [ ${#points[@]} -ge 6 ] || e2e_fail "the layout has no point between the hexagons"
  e2e_snap shown
  if [ "$(e2e_pixels "$E2E_SHOT" "${points[@]}")" != "$(e2e_pixels "$desktop" "${points[@]}")" ]; then
    e2e_fail "the window covers the desktop outside its shape at ${points[*]}"
  fi
  # Inside the shape: the caption strip is not the desktop, the panel is cyan.
  [ "$(e2e_client_pixels "$E2E_SHOT" 35 140)" = "0 255 255" ] || e2e_fail "the command bar panel is not cyan"
  [ "$(e2e_pixels "$E2E_SHOT" $((E2E_WX + 60)) $((E2E_WY + 4)))" != "$(e2e_pixels "$desktop" $((E2E_WX + 60)) $((E2E_WY + 4)))" ] ||
    e2e_fail "the caption strip is not shown"

  e2e_close
  [ ! -e "$(settings_file)" ] || e2e_fail "closing the game wrote a settings file (nothing is saved at exit)"
  finish
}

# A digit placed with its key and a click, a refused digit that changes nothing, and an erasure.
scenario_place() {
  begin place
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  e2e_focus
  local cell digit
  cell=$(first_empty_cell)
  digit=$(solution_of "$cell")
  place "$digit" "$cell"

  # A digit that is no candidate of another empty cell is refused there.
  local other refused candidates d
  other=$(first_empty_cell "$cell")
  candidates=$(e2e_cell_field "$G" "$other" candidates)
  for d in 1 2 3 4 5 6; do
    if [ $(((candidates >> (d - 1)) & 1)) -eq 0 ] && [ "$d" != "$digit" ]; then refused=$d; break; fi
  done
  [ -n "${refused:-}" ] || e2e_fail "cell $other of the grid has every digit as a candidate"
  select_digit "$refused"
  local before
  before=$(grid_signature)
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$other")
  # A later key proves the click was handled (messages are taken in order).
  select_digit "$digit"
  [ "$(grid_signature)" = "$before" ] || e2e_fail "digit $refused clicked into cell $other (not a candidate) changed the grid"
  ink_absent "$other" "$PLAYER_INK" || e2e_fail "the refused digit $refused shows in cell $other"

  # The same digit clicked on the player's digit empties the cell.
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$cell")
  e2e_wait 10 "clicking digit $digit in cell $cell with $digit selected did not erase it" ink_absent "$cell" "$PLAYER_INK"
  wait_grid_shown 5
  e2e_close
  finish
}

# Notes by a right click; Undo and Re-do of a placement with the "<" and ">" buttons.
scenario_notes() {
  begin notes
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  e2e_focus
  local cell other digit blue_before size
  cell=$(first_empty_cell)
  other=$(first_empty_cell "$cell")
  size=$(e2e_get "$L" cell-size)
  blue_before=$(ink_at "$other" "$NOTE_INK")
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$other") 3
  notes_shown() { [ "$(ink_at "$other" "$NOTE_INK")" -gt $((blue_before + 30)) ]; }
  e2e_wait 10 "a right click on empty cell $other showed no notes" notes_shown
  # Six small digits: six separate groups of blue around the centre, none of the player's ink.
  ink_absent "$other" "$PLAYER_INK" || e2e_fail "the notes of cell $other are not in the notes' blue"

  digit=$(solution_of "$cell")
  place "$digit" "$cell"
  click_at "$BTN_UNDO"
  e2e_wait 10 "Undo did not empty cell $cell" ink_absent "$cell" "$PLAYER_INK"
  click_at "$BTN_REDO"
  e2e_wait 10 "Re-do did not put digit $digit back into cell $cell" ink_present "$cell" "$PLAYER_INK"
  notes_shown || e2e_fail "the notes of cell $other were lost by Undo and Re-do"
  e2e_close
  finish
}

# highlight_counts: "red green orange" pixel counts in the grid area.
highlight_counts() {
  e2e_snap probe
  local area
  # shellcheck disable=SC2046
  set -- $(e2e_get "$L" grid-area)
  local x=$((E2E_CX + $1)) y=$((E2E_CY + $2)) w=$3 h=$4
  echo "$(e2e_count "$E2E_SHOT" $x $y $w $h "255 0 0") $(e2e_count "$E2E_SHOT" $x $y $w $h "0 255 0") $(e2e_count "$E2E_SHOT" $x $y $w $h "255 165 0")"
}

# highlights_are R G O: which of the three outlines show (1) or not (0).
highlights_are() {
  local c r g o
  c=$(highlight_counts)
  read -r r g o <<<"$c"
  [ $((r > 20)) = "$1" ] && [ $((g > 20)) = "$2" ] && [ $((o > 20)) = "$3" ]
}

# Three hexagons highlighted by clicks on their centres (red newest, green, orange oldest), then cleared.
scenario_highlight() {
  begin highlight
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  highlights_are 0 0 0 || e2e_fail "highlight colours before any click: $(highlight_counts)"
  local n c1 c2 c3
  n=$(grep -c '^hexagon ' "$L")
  [ "$n" -ge 3 ] || e2e_fail "grid 1 has fewer than three hexagons"
  # Hexagon centres are corner points of the lattice; the click on one highlights its hexagon.
  c1=$(e2e_get "$L" hexagon 1)
  c2=$(e2e_get "$L" hexagon "$n")
  c3=$(e2e_get "$L" hexagon 2)
  click_at "$c1"
  e2e_wait 10 "the first hexagon click showed no red outline ($(highlight_counts))" highlights_are 1 0 0
  click_at "$c2"
  e2e_wait 10 "after two clicks: not red and green ($(highlight_counts))" highlights_are 1 1 0
  click_at "$c3"
  e2e_wait 10 "after three clicks: not red, green and orange ($(highlight_counts))" highlights_are 1 1 1
  # The newest outline is around the last hexagon clicked.
  e2e_snap probe
  # shellcheck disable=SC2086
  [ "$(e2e_client_count "$E2E_SHOT" $c3 $(($(e2e_get "$L" cell-size) * 13 / 10)) "255 0 0")" -gt 20 ] ||
    e2e_fail "the red outline is not around hexagon 2"
  click_at "$c3"
  e2e_wait 10 "clicking the newest hexagon again did not clear the outlines ($(highlight_counts))" highlights_are 0 0 0
  wait_grid_shown 5
  e2e_close
  finish
}

# "+" three times: 50, 60, 70, the window grows each time; "-" three times back to 40.
scenario_zoom() {
  begin zoom
  local code scale
  code=$(e2e_grid_code 1)
  grid_files "$code" 40
  launch
  wait_grid_shown
  for scale in 50 60 70; do
    click_at "$BTN_BIGGER"
    grid_files "$code" "$scale"
    # shellcheck disable=SC2046
    wait_window_size $(e2e_get "$L" window)
    wait_grid_shown 10
  done
  for scale in 60 50 40; do
    click_at "$BTN_SMALLER"
    grid_files "$code" "$scale"
    # shellcheck disable=SC2046
    wait_window_size $(e2e_get "$L" window)
    wait_grid_shown 10
  done
  e2e_close
  finish
}

# Grid 5 at scale 70 on a 1024x768 screen: the scroll hint once, the right arrow scrolls until it
# disappears, and a drag from a corner point scrolls back by one cell.
scenario_scroll() {
  begin scroll
  printf 'ver=3.6\r\ngri=5\r\ntca=70\r\n' >"$(settings_file)"
  local code
  code=$(e2e_grid_code 5)
  grid_files "$code" 70
  [ "$(e2e_get "$L" arrow right | cut -d' ' -f2)" = 1 ] || e2e_fail "grid $code at scale 70 fits the screen: nothing to scroll"
  launch
  e2e_answer_box Return
  wait_grid_shown
  local min clicks=0 pan=0 rect
  min=$(e2e_get "$L" pan-range | cut -d' ' -f1)
  rect=$(e2e_get "$L" arrow right | cut -d' ' -f4-)
  arrow_shown() {
    e2e_snap probe
    # shellcheck disable=SC2086
    set -- $rect
    local n
    # A shown arrow is drawn red; a hidden one beside a shown one stays grey.
    n=$(e2e_count "$E2E_SHOT" $((E2E_CX + $1)) $((E2E_CY + $2)) $(($3 - $1 + 1)) $(($4 - $2 + 1)) "255 0 0")
    [ "$n" -gt 10 ]
  }
  arrow_shown || e2e_fail "the right scroll arrow is not shown"
  while arrow_shown; do
    [ "$clicks" -lt 10 ] || e2e_fail "ten clicks on the right arrow did not scroll to the end"
    # shellcheck disable=SC2046
    set -- $rect
    e2e_click $((($1 + $3) / 2)) $((($2 + $4) / 2))
    clicks=$((clicks + 1))
    pan=$(awk -v c="$clicks" -v m="$min" 'BEGIN { p = -c; if (p < m) p = m; print p }')
    grid_files "$code" 70 --pan "$pan,0"
    wait_grid_shown 10
  done
  [ "$(e2e_get "$L" pan | cut -d' ' -f1)" = "$min" ] || e2e_fail "the right arrow vanished before the end of the scroll range"
  e2e_no_box || e2e_fail "the scroll hint was shown a second time"

  # A drag from a corner point one cell to the right: the grid follows by one cell.
  local size from
  size=$(e2e_get "$L" cell-size)
  from=$(awk -v s="$size" '$1 == "corner" && $3 > 250 && $3 < 700 && $4 > 150 && $4 < 400 { c[$3 "," $4] = 1; p[++n] = $3 " " $4 }
    END { for (i = 1; i <= n; i++) { split(p[i], xy, " "); if (((xy[1] + s) "," xy[2]) in c) { print p[i]; exit } } }' "$L")
  [ -n "$from" ] || e2e_fail "no corner point with a neighbour one cell to its right"
  # shellcheck disable=SC2086
  set -- $from
  e2e_drag "$1" "$2" $(($1 + size)) "$2"
  pan=$(awk -v m="$min" 'BEGIN { print m + 1 }')
  grid_files "$code" 70 --pan "$pan,0"
  wait_grid_shown 10
  e2e_no_box || e2e_fail "the scroll hint was shown a second time"
  e2e_close
  finish
}

# rules_page_signature: a hash of the Rules window's client area (the page and its buttons).
rules_page_signature() {
  e2e_snap probe
  e2e_signature "$E2E_SHOT" "$E2E_CX" "$E2E_CY" 800 600
}

# rules_click "X Y": a click on a Rules button, then the pointer rests on the page away from the buttons.
rules_click() {
  click_at "$1"
  xdotool mousemove $((E2E_CX + 400)) $((E2E_CY + 150))
}

# stable_signature_other_than SIG: waits until the page differs from SIG and two looks agree; prints it.
stable_page_other_than() {
  local a b end=$((SECONDS + 15))
  while [ "$SECONDS" -le "$end" ]; do
    a=$(rules_page_signature)
    if [ "$a" != "$1" ]; then
      sleep 0.2
      b=$(rules_page_signature)
      [ "$a" = "$b" ] && { echo "$a"; return 0; }
    fi
    sleep 0.1
  done
  return 1
}

# Rules: "?" opens page 1, ">" walks to page 9, "<" back to 1 (each page as it was), "R" returns to the grid as it was.
scenario_rules() {
  begin rules
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  e2e_focus
  local cell play_size grid_before
  cell=$(first_empty_cell)
  place "$(solution_of "$cell")" "$cell"
  play_size=$(e2e_get "$L" window)
  grid_before=$(grid_signature)
  rules_click "$BTN_RULES"
  wait_window_size 806 625
  local page sig=() previous=""
  sig[1]=$(stable_page_other_than "") || e2e_fail "the first rules page did not settle"
  for page in 2 3 4 5 6 7 8 9; do
    rules_click "$RULES_NEXT"
    sig[page]=$(stable_page_other_than "${sig[page - 1]}") || e2e_fail "'>' did not turn to rules page $page"
  done
  # No ninth ">" exists: a click where it was changes nothing.
  rules_click "$RULES_NEXT"
  rules_click "$RULES_PREVIOUS"
  e2e_wait 15 "'<' from page 9 did not show page 8 as before" eval '[ "$(rules_page_signature)" = "${sig[8]}" ]'
  for page in 7 6 5 4 3 2 1; do
    rules_click "$RULES_PREVIOUS"
    e2e_wait 15 "'<' did not show rules page $page as it was" eval '[ "$(rules_page_signature)" = "${sig[page]}" ]'
  done
  rules_click "$RULES_RETURN"
  # shellcheck disable=SC2086
  wait_window_size $play_size
  e2e_wait 15 "the grid after the rules is not as it was before" signature_is "$grid_before"
  ink_present "$cell" "$PLAYER_INK" || e2e_fail "the player's digit in cell $cell was lost by the rules"
  e2e_close
  finish
}

# tooltip_window: the visible pop-up without a caption that is smaller than the screen ("id x y w h").
tooltip_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
    if [ "${WIDTH:-0}" -lt 300 ] && [ "${HEIGHT:-0}" -lt 60 ]; then
      echo "$w $X $Y $WIDTH $HEIGHT"
      return 0
    fi
  done
  return 1
}

have_tooltip() { tooltip_window >/dev/null; }

# hover_tooltip "X Y": the pointer onto a button (coming from the empty panel), and the tooltip that
# then appears 25 pixels right of the pointer; prints its width.
hover_tooltip() {
  xdotool mousemove $((E2E_CX + 35)) $((E2E_CY + 140))
  e2e_wait 10 "the tooltip did not go away off the buttons" eval '! have_tooltip'
  # shellcheck disable=SC2086
  set -- $1
  local px=$((E2E_CX + $1)) py=$((E2E_CY + $2)) tip
  xdotool mousemove "$px" "$py"
  e2e_wait 10 "no tooltip appeared over the button at $1,$2" have_tooltip
  tip=$(tooltip_window)
  # shellcheck disable=SC2086
  set -- $tip
  [ $(($2 - px - 25)) -ge -2 ] && [ $(($2 - px - 25)) -le 2 ] && [ $(($3 - py)) -ge -2 ] && [ $(($3 - py)) -le 2 ] ||
    e2e_fail "the tooltip is at $2,$3, not 25 pixels right of the pointer at $px,$py"
  # Its pixels: the grey pop-up around the light text field.
  e2e_snap tooltip
  local grey light
  grey=$(e2e_count "$E2E_SHOT" "$2" "$3" "$4" "$5" "153 153 153")
  [ "$grey" -ge $(($4 + $5)) ] || e2e_fail "the tooltip at $2,$3 is not grey ($grey grey pixels)"
  # Its text is written in black on one line inside the field (a wrapped line falls out of sight).
  local ink
  ink=$(e2e_count "$E2E_SHOT" $(($2 + 2)) $(($3 + 2)) $(($4 - 4)) $(($5 - 4)) "0 0 0")
  [ "$ink" -ge 25 ] || e2e_fail "the tooltip at $2,$3 shows no readable text ($ink black pixels)"
  echo "$4"
}

# The language button: its box, then the English tooltips, then French again.
scenario_language() {
  begin language
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  local french english again
  french=$(hover_tooltip "$BTN_EXIT") || exit 1
  click_at "$BTN_LANGUAGE"
  e2e_answer_box Return
  english=$(hover_tooltip "$BTN_EXIT") || exit 1
  # "Exit" is narrower than "Quitter".
  [ "$english" -lt "$french" ] || e2e_fail "the tooltip of X is $english wide in English, $french in French"
  click_at "$BTN_LANGUAGE"
  e2e_answer_box Return
  again=$(hover_tooltip "$BTN_EXIT") || exit 1
  [ "$again" = "$french" ] || e2e_fail "the French tooltip of X is $again wide after switching back, $french before"
  e2e_close
  finish
}

# Save ("S", Yes), close, start again: the player's digit is back, and the file holds the gv1:A line.
scenario_save() {
  begin save
  local code
  start_on_grid_1
  code=$CODE
  local cell digit state
  cell=$(first_empty_cell)
  digit=$(solution_of "$cell")
  place "$digit" "$cell"
  press_save
  [ "$(setting gri)" = 1 ] || e2e_fail "the saved file has gri=$(setting gri), expected 1"
  grep -q '^gv1:A=' "$(settings_file)" || e2e_fail "the saved file holds no gv1:A line"
  state=$(saved_state 1)
  "$ORNEL_TOOL" load "$code" --state "$state" | grep -q "^cell $cell .* value=$digit fixed=0 " ||
    e2e_fail "the saved state '$state' does not hold digit $digit in cell $cell"
  e2e_close
  launch
  wait_grid_shown
  ink_present "$cell" "$PLAYER_INK" || e2e_fail "after the restart cell $cell does not show the saved digit"
  e2e_close
  finish
}

# Grid 1 solved by keys and clicks: the bravo box, the offer to save (Yes), the solved state in the file,
# and after a restart every digit of the player in the player's ink.
scenario_win() {
  begin win
  local code
  start_on_grid_1
  code=$CODE
  local cells=() cell digit last
  read -r -a cells <<<"$(awk '$1 == "cell" && / value=0 / { printf "%s ", $2 }' "$G")"
  [ ${#cells[@]} -gt 0 ] || e2e_fail "grid 1 has no empty cell"
  last=${cells[${#cells[@]} - 1]}
  for cell in "${cells[@]}"; do
    digit=$(solution_of "$cell")
    if [ "$cell" = "$last" ]; then
      select_digit "$digit"
      # shellcheck disable=SC2046
      e2e_click $(e2e_get "$L" cell "$cell")
    else
      place "$digit" "$cell"
    fi
  done
  rm -f "$(settings_file)"
  # The bravo box, then the question whether to save.
  e2e_answer_box Return
  e2e_answer_box y
  e2e_wait 10 "the settings file was not written after the win" test -s "$(settings_file)"
  local solved
  solved=$("$ORNEL_TOOL" load "$code" --state "$(saved_state 1)" | awk '$1 == "cell" {
      split($0, f, " "); v = s = ""
      for (i in f) { if (f[i] ~ /^value=/) v = substr(f[i], 7); if (f[i] ~ /^solution=/) s = substr(f[i], 10) }
      if (v != s) bad++ } END { print bad + 0 }')
  [ "$solved" -eq 0 ] || e2e_fail "the saved state after the win leaves $solved cells unsolved"
  e2e_close
  launch
  for cell in "${cells[@]}"; do
    e2e_wait 10 "after the restart cell $cell does not show the player's digit" ink_present "$cell" "$PLAYER_INK"
  done
  e2e_close
  finish
}

# ground_on_screen: how many ground-coloured pixels the window shows on the screen.
ground_on_screen() {
  e2e_snap probe
  local x=$E2E_CX y=$E2E_CY w=$((E2E_WW - 6)) h=$((E2E_WH - 25))
  [ $((x + w)) -le "$SCREEN_W" ] || w=$((SCREEN_W - x))
  [ $((y + h)) -le "$SCREEN_H" ] || h=$((SCREEN_H - y))
  [ "$w" -gt 0 ] && [ "$h" -gt 0 ] || { echo 0; return; }
  e2e_count "$E2E_SHOT" "$x" "$y" "$w" "$h" "$GROUND"
}

grid_visible() { [ "$(ground_on_screen)" -gt 500 ]; }

# saved_file_report: what is wrong with the settings file that Save wrote (empty when it is sane).
saved_file_report() {
  local f
  f=$(settings_file)
  [ "$(stat -c %s "$f")" -lt 20000 ] || echo "the file has $(stat -c %s "$f") bytes;"
  [ "$(head -1 "$f" | tr -d '\r')" = "***-ORNEL 162-***" ] || echo "the first line is not the title line;"
  tail -n +3 "$f" | tr -d '\r' | LC_ALL=C awk '
    /[^ -~]/ { print "line " NR + 2 " has bytes that are not plain text;"; next }
    { eq = index($0, "="); k = substr($0, 1, eq - 1); v = substr($0, eq + 1) }
    eq == 0 { print "line without key: " substr($0, 1, 40) ";"; next }
    k == "ver" { ok = v == "3.6" }
    k == "lng" { ok = v == "1" || v == "2" }
    k == "gri" { ok = v ~ /^[1-5]$/ }
    k == "tca" { ok = v ~ /^(40|50|60|70)$/ }
    k == "top" || k == "left" { ok = v ~ /^[0-9]+$/ && v + 0 < 1024 }
    k == "vcr" { ok = v == "3" }
    k == "cmpd" { ok = v ~ /^[0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9]$/ }
    k == "chro" || k == "cviz" { ok = v == "0" || v == "1" }
    k ~ /^gv[1-5]:[A-Z]$/ { ok = v ~ /^[A-Za-z0-9]+$/ && length(v) <= 60 }
    k ~ /^tps[1-5]$/ { ok = v ~ /^[0-9]+$/ }
    k ~ /^usr ?$/ { ok = 1 }
    !(k in known) && k !~ /^(gv[1-5]:[A-Z]|tps[1-5]|usr ?)$/ { ok = 0 }
    { seen[k]++; if (!ok) print "bad line: " substr($0, 1, 60) ";"; if (seen[k] > 1 && k !~ /^usr/) print "key " k " twice;" }
    BEGIN { split("ver lng gri tca top left vcr cmpd chro cviz", ks, " "); for (i in ks) known[ks[i]] = 1 }
    END { for (i in ks) if (!(ks[i] in seen)) print "no " ks[i] " line;" }'
}

# hostile_case NAME: starts the game on the settings file already written, checks that its window is
# usable on the screen, then saves and checks the file written.
hostile_case() {
  echo "e2e: [hostile] settings file: $1"
  E2E_WORK="$base/$1"
  launch
  [ "$E2E_WX" -ge 0 ] && [ "$E2E_WY" -ge 0 ] && [ $((E2E_WX + 133)) -le "$SCREEN_W" ] &&
    [ $((E2E_WY + 22)) -le "$SCREEN_H" ] || e2e_fail "[$1] the caption is off the screen: window at $E2E_WX,$E2E_WY"
  e2e_wait 20 "[$1] no grid is visible on the screen" grid_visible
  e2e_window_geometry
  press_save
  local report
  report=$(saved_file_report)
  [ -z "$report" ] || e2e_fail "[$1] the file written by Save is not clean: $report"
  e2e_close
}

# Damaged settings files: each one still opens a usable window, and Save then writes a clean file.
scenario_hostile() {
  begin hostile
  local base=$E2E_WORK name
  for name in empty noise long absurd other-grid truncated; do mkdir -p "$base/$name"; done
  : >"$base/empty/$SETTINGS_NAME"
  head -c 4096 /dev/urandom >"$base/noise/$SETTINGS_NAME"
  { printf 'gri=1,'; yes 1234560 | tr -d '\n' | head -c 4194304; } >"$base/long/$SETTINGS_NAME"
  printf '%s\r\n' "ver=99999999999999999999" "lng=-7" "gri=32768" "tca=2147483648" "top=-99999" \
    "left=65535" "vcr=abc" "cmpd=99-99-9999" "chro=-1" "cviz=999999999999" "tps1=-5" "tps2=99999999999" \
    "gv1:A=%%%%%%%%%%%%" "gv9:A=ABCDEF" "usr=kept" >"$base/absurd/$SETTINGS_NAME"
  local other
  other=$("$ORNEL_TOOL" load "$(e2e_grid_code 5)" | sed -n 's/^state=//p')
  { printf 'ver=3.6\r\ngri=1\r\n'; echo "$other" | fold -w 60 | awk '{ printf "gv1:%c=%s\r\n", 64 + NR, $0 }'; } \
    >"$base/other-grid/$SETTINGS_NAME"
  local second
  second=$("$ORNEL_TOOL" load "$(e2e_grid_code 2)" | sed -n 's/^state=//p')
  printf '***-ORNEL 162-***\r\nnote\r\nchro=1\r\ngri=2\r\ngv2:A=%s\r\nlng=2\r\ntca=50\r\nver=3.6\r\n' "$second" |
    head -c 60 >"$base/truncated/$SETTINGS_NAME"
  for name in empty noise long absurd other-grid truncated; do hostile_case "$name"; done
  E2E_WORK=$base
  finish
}

# The pointer and window scenarios (pointer, window, starts).
. "$here/e2e-window.sh"

# --- running ---

# run_scenarios KNOWN NAME...: each named scenario (all of KNOWN for "all") in a subshell, then the Wine
# session ends; the status is 0 only if every one passed.
run_scenarios() {
  local known=$1 status=0 name started
  shift
  [ "$1" = all ] && set -- $known
  for name in "$@"; do
    if ! declare -F "scenario_$name" >/dev/null; then
      echo "e2e: unknown scenario '$name' (known: $known)" >&2
      status=1
      continue
    fi
    started=$SECONDS
    ( "scenario_$name" ) || status=1
    echo "e2e: [$name] took $((SECONDS - started)) s"
  done
  e2e_kill
  return "$status"
}

[ -n "${E2E_SOURCED_ONLY:-}" ] && return 0
run_scenarios "startup place notes highlight zoom scroll rules language save win hostile pointer window starts" "$@"
exit $?
