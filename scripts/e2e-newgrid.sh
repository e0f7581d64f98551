#!/usr/bin/env bash
# End-to-end scenarios of new grids (the N key) and hints (the H key) on the real ORNEL.exe.
# usage: e2e-newgrid.sh ORNEL.exe ORNEL-TOOL WORKROOT SCENARIO...   (newgrid, hint, hint7, hintsteps, or all)
# The steps and the display set-up are those of scripts/e2e.sh, sourced without running its scenarios.
set -u

E2E_SOURCED_ONLY=1
# shellcheck source=scripts/e2e.sh
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/e2e.sh"

HINT_GREEN="0 160 0"
WITNESS_ORANGE="255 128 0"

# green_near CELL: the count of hint-outline pixels within a cell size of the centre of CELL (fresh screenshot).
green_near() {
  local size
  size=$(e2e_get "$L" cell-size)
  e2e_snap probe
  # shellcheck disable=SC2046
  e2e_client_count "$E2E_SHOT" $(e2e_get "$L" cell "$1") "$size" "$HINT_GREEN"
}

# green_in_grid: the count of hint-outline pixels in the whole grid area (fresh screenshot).
green_in_grid() {
  e2e_snap probe
  # shellcheck disable=SC2046
  set -- $(e2e_get "$L" grid-area)
  e2e_count "$E2E_SHOT" $((E2E_CX + $1)) $((E2E_CY + $2)) "$3" "$4" "$HINT_GREEN"
}

outline_at() { [ "$(green_near "$1")" -gt 20 ]; }
no_outline() { [ "$(green_in_grid)" -eq 0 ]; }

# orange_in_grid: the count of witness-ring pixels in the whole grid area (fresh screenshot).
orange_in_grid() {
  e2e_snap probe
  # shellcheck disable=SC2046
  set -- $(e2e_get "$L" grid-area)
  e2e_count "$E2E_SHOT" $((E2E_CX + $1)) $((E2E_CY + $2)) "$3" "$4" "$WITNESS_ORANGE"
}

# The N key, size 2 and level 3 chosen by their digits in the two choice boxes; the grid made is
# shown with the givens that ornel-tool makes from the request the Save writes (ngr=2,3,SEED), and
# ornel-tool proves its one solution and its grade from the file. Two digits played and saved come
# back after a restart on that grid, with its time; grid 1's game is untouched.
scenario_newgrid() {
  begin newgrid
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  e2e_focus
  e2e_key n
  e2e_answer_box 2
  e2e_answer_box 3
  e2e_wait 30 "no new grid was shown after the two choices" e2e_no_box
  press_save
  local request seed code
  request=$(setting ngr)
  [ "$(setting gri)" = 6 ] || e2e_fail "the saved file has gri=$(setting gri), expected 6 (the new grid)"
  case "$request" in
    2,3,*) seed=${request#2,3,} ;;
    *) e2e_fail "the saved file keeps ngr=$request, expected size 2 and level 3" ;;
  esac
  code="N2-3-$seed"
  "$ORNEL_TOOL" newgrid-check "$(settings_file)" >"$E2E_WORK/check-1.txt" ||
    e2e_fail "ornel-tool newgrid-check refuses the saved grid: $(tr '\n' ' ' <"$E2E_WORK/check-1.txt")"
  grep -q "proof=yes" "$E2E_WORK/check-1.txt" || e2e_fail "the new grid's proof does not hold"
  grid_files "$code" 40
  wait_grid_shown
  local first second d1 d2
  first=$(first_empty_cell)
  second=$(first_empty_cell "$first")
  d1=$(solution_of "$first")
  d2=$(solution_of "$second")
  place "$d1" "$first"
  place "$d2" "$second"
  # The file keeps a clock only once it shows a second: save again until it does (a quick player saves at 0 s).
  saved_with_time() { press_save && [ -n "$(setting tps6)" ]; }
  e2e_wait 15 "the saved file keeps no time for the new grid" saved_with_time
  [ "$(setting ngr)" = "$request" ] || e2e_fail "the second save changed the request to $(setting ngr)"
  grep -q '^gv1:' "$(settings_file)" && e2e_fail "grid 1 has a saved game, but it was never played"
  "$ORNEL_TOOL" load "$code" --state "$(saved_state 6)" >"$E2E_WORK/saved.txt"
  grep -q "^cell $first .* value=$d1 fixed=0 " "$E2E_WORK/saved.txt" || e2e_fail "the saved game lacks digit $d1 in cell $first"
  grep -q "^cell $second .* value=$d2 fixed=0 " "$E2E_WORK/saved.txt" || e2e_fail "the saved game lacks digit $d2 in cell $second"
  e2e_close
  launch
  wait_grid_shown
  ink_present "$first" "$PLAYER_INK" || e2e_fail "after the restart cell $first does not show the saved digit"
  ink_present "$second" "$PLAYER_INK" || e2e_fail "after the restart cell $second does not show the saved digit"
  e2e_close
  finish
}

# The H key on grid 1: the cell that ornel-tool's hint names is outlined in green while the box
# tells why; after the box the outline stays, nothing was placed, and a click on the grid takes it away.
scenario_hint() {
  begin hint
  local code
  start_on_grid_1
  code=$CODE
  local cell other
  cell=$("$ORNEL_TOOL" hint "$code" | sed -n 's/^hint=placement cell=\([0-9]*\) .*/\1/p')
  [ -n "$cell" ] || e2e_fail "ornel-tool finds no hint on grid 1"
  no_outline || e2e_fail "a green outline shows before any hint"
  e2e_key h
  e2e_wait 20 "no hint box appeared after the H key" e2e_found_box
  e2e_wait 10 "the hinted cell $cell is not outlined while the box is open" outline_at "$cell"
  e2e_snap hint-box
  e2e_answer_box Return
  outline_at "$cell" || e2e_fail "the outline went with the box"
  ink_absent "$cell" "$PLAYER_INK" || e2e_fail "the hint placed a digit in cell $cell"
  other=$(first_empty_cell "$cell")
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$other") 3
  e2e_wait 10 "the outline stays after a click on the grid" no_outline
  e2e_close
  finish
}

# The H key on the level-7 new grid N3-7-11, kept in the settings file: its first hint is a hidden
# single with two witnesses. While the box is open the board shows the hint's cell outlined, the
# hexagon it names in the same green and a ring around each witness; a click on the grid takes them away.
scenario_hint7() {
  begin hint7
  printf 'ver=3.6\r\ngri=6\r\nngr=3,7,11\r\ntca=40\r\n' >"$(settings_file)"
  CODE=N3-7-11
  grid_files "$CODE" 40
  launch
  wait_grid_shown
  e2e_focus
  local cell witnesses
  cell=$("$ORNEL_TOOL" hint "$CODE" | sed -n 's/^hint=placement cell=\([0-9]*\) .*grade=hidden-single$/\1/p')
  [ -n "$cell" ] || e2e_fail "ornel-tool's first hint on $CODE is no hidden single"
  witnesses=$("$ORNEL_TOOL" hint "$CODE" | sed -n 's/^text-en=.*touches a [1-6] (in \(.*\))\.$/\1/p' | tr -cd 'C' | wc -c)
  [ "$witnesses" -ge 1 ] || e2e_fail "ornel-tool's first hint on $CODE names no witness"
  e2e_key h
  e2e_wait 20 "no hint box appeared after the H key" e2e_found_box
  e2e_wait 10 "the hinted cell $cell is not outlined while the box is open" outline_at "$cell"
  # The hexagon's outline is far more green than the cell's alone; each witness has its ring.
  e2e_wait 10 "the hint's hexagon is not outlined while the box is open" eval '[ "$(green_in_grid)" -gt $((3 * $(green_near "$cell"))) ] || [ "$(green_in_grid)" -gt 400 ]'
  e2e_wait 10 "no ring around the $witnesses witnesses while the box is open" eval '[ "$(orange_in_grid)" -gt $((40 * witnesses)) ]'
  e2e_snap hint-level7
  e2e_answer_box Return
  local other
  other=$(first_empty_cell "$cell")
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$other") 3
  e2e_wait 10 "the hint's marks stay after a click on the grid" eval 'no_outline && [ "$(orange_in_grid)" -eq 0 ]'
  e2e_close
  finish
}

# The H key on a part-played board of N4-7-8 (kept in the settings file) whose shortest proof is too
# long for one box: the first boxes give its first steps, outlining the cells they strike from, and
# the box after them gives the placement ornel-tool names last, outlined. Nothing is placed.
scenario_hintsteps() {
  begin hintsteps
  local state=DCBEAFCBDAHDHAGBAKDGAHEDGAHFGDEAKEECCHDGDKDHEDCEBCEBFK
  printf 'ver=3.6\r\ngri=6\r\nngr=4,7,8\r\ngv6:A=%s\r\ntca=40\r\n' "$state" >"$(settings_file)"
  CODE=N4-7-8
  grid_files "$CODE" 40
  launch
  e2e_wait 20 "the grid is not shown" eval '[ -z "$(e2e_snap probe; givens_report)" ]'
  e2e_focus
  local report steps cell k
  report=$("$ORNEL_TOOL" hint "$CODE" --state "$state")
  steps=$(printf '%s\n' "$report" | grep -c '^hint=first-steps ')
  cell=$(printf '%s\n' "$report" | sed -n 's/^hint=placement cell=\([0-9]*\) .*/\1/p')
  [ "$steps" -ge 1 ] && [ -n "$cell" ] || e2e_fail "ornel-tool gives no first steps then a placement on $CODE"
  ink_absent "$cell" "$PLAYER_INK" || e2e_fail "cell $cell holds a digit before any hint"
  for k in $(seq 1 "$steps"); do
    e2e_key h
    e2e_wait 20 "no box appeared for the first steps ($k of $steps)" e2e_found_box
    e2e_wait 10 "the first steps ($k of $steps) outline no cell" eval '[ "$(green_in_grid)" -gt 20 ]'
    [ "$k" -eq 1 ] && e2e_snap hint-first-steps
    e2e_answer_box Return
    e2e_wait 10 "the box of the first steps ($k of $steps) stays open" e2e_no_box
  done
  e2e_key h
  e2e_wait 20 "no box appeared for the placement after the first steps" e2e_found_box
  e2e_wait 10 "the placement's cell $cell is not outlined" outline_at "$cell"
  e2e_snap hint-after-steps
  e2e_answer_box Return
  e2e_wait 10 "the placement's box stays open" e2e_no_box
  ink_absent "$cell" "$PLAYER_INK" || e2e_fail "the hints placed a digit in cell $cell"
  e2e_close
  finish
}

run_scenarios "newgrid hint hint7 hintsteps" "$@"
exit $?
