#!/usr/bin/env bash
# End-to-end scenarios of the keyboard on the real ORNEL.exe: grid 1 won with keys alone, and keys that answer boxes.
# usage: e2e-keys.sh ORNEL.exe ORNEL-TOOL WORKROOT SCENARIO...   (keys, boxkeys, or all)
# The steps and the display set-up are those of scripts/e2e.sh, sourced without running its scenarios.
set -u

E2E_SOURCED_ONLY=1
# shellcheck source=scripts/e2e.sh
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/e2e.sh"

CURSOR_INK="0 0 0"

# pointer_away: the pointer onto the desktop, off the window in both modes, so that no tooltip covers the grid.
pointer_away() {
  xdotool mousemove $((SCREEN_W - 10)) $((SCREEN_H - 10))
}

# cursor_ink CELL: black pixels within a quarter cell of the centre of CELL (fresh screenshot). An empty
# cell shows none there: its neighbours' givens stay further away, and the cursor's outline runs just inside
# the cell's edges, nearer than that.
cursor_ink() {
  local size
  size=$(e2e_get "$L" cell-size)
  e2e_snap probe
  # shellcheck disable=SC2046
  e2e_client_count "$E2E_SHOT" $(e2e_get "$L" cell "$1") $((size / 4)) "$CURSOR_INK"
}

cursor_on() { [ "$(cursor_ink "$1")" -gt 10 ]; }
cursor_off() { [ "$(cursor_ink "$1")" -eq 0 ]; }

# note_ink CELL: the notes' blue within half a cell of the centre of CELL (fresh screenshot).
note_ink() {
  local size
  size=$(e2e_get "$L" cell-size)
  e2e_snap probe
  # shellcheck disable=SC2046
  e2e_client_count "$E2E_SHOT" $(e2e_get "$L" cell "$1") $((size / 2)) "$NOTE_INK"
}

note_ink_above() { [ "$(note_ink "$1")" -gt "$2" ]; }
note_ink_is() { [ "$(note_ink "$1")" -eq "$2" ]; }

# empty_cells_in_reading_order: the cells of G without a given, top row first, left to right (the
# order ornel-tool keys fills them in).
empty_cells_in_reading_order() {
  awk '$1 == "cell" && / value=0 / {
      for (i = 4; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = kv[2] }
      printf "%06d %06d %s\n", f["row"], f["col"], $2 }' "$G" | sort | awk '{ print $3 }'
}

# step_aside CELL, step_back CELL: the cursor one step right off CELL, and back onto it.
step_aside() {
  e2e_key Right
  e2e_wait 10 "Right did not take the cursor off cell $1" cursor_off "$1"
}

step_back() {
  e2e_key Left
  e2e_wait 10 "Left did not bring the cursor back to cell $1" cursor_on "$1"
}

is_arrow() { case "$1" in Left | Right | Up | Down) return 0 ;; *) return 1 ;; esac; }

# Grid 1 played to the saved win with the keys ornel-tool prints (digit, arrows, space per cell), after
# one click that gives the window the keyboard. On the way: the cursor appears only with the first
# arrow, on the first empty cell, and leaves a cell it moves from; a note set and taken away with
# Shift and a digit; Ctrl+Z and Ctrl+Y empty and refill a cell; F1, a page turned with Right and Esc
# come back to the grid as it was. The bravo box and the offer to save are answered by keys, the file
# holds the solved grid and every cell played shows the player's ink.
scenario_keys() {
  begin keys
  local code
  start_on_grid_1
  code=$CODE
  pointer_away
  local keys=() cells=()
  "$ORNEL_TOOL" keys 1 >"$E2E_WORK/keys.txt" || e2e_fail "ornel-tool keys 1 failed"
  mapfile -t keys <"$E2E_WORK/keys.txt"
  mapfile -t cells < <(empty_cells_in_reading_order)
  [ ${#cells[@]} -ge 3 ] || e2e_fail "grid 1 has fewer than three empty cells"
  [ "$(grep -cx space "$E2E_WORK/keys.txt")" = ${#cells[@]} ] ||
    e2e_fail "ornel-tool keys 1 presses space $(grep -cx space "$E2E_WORK/keys.txt") times for ${#cells[@]} empty cells"

  local key done_cells=0 arrows=0 cell previous="" note play_size grid_before page1
  for key in "${keys[@]}"; do
    cell=${cells[$done_cells]}
    if is_arrow "$key" && [ "$arrows" -eq 0 ]; then
      e2e_snap before-arrow
      cursor_off "$cell" || e2e_fail "black shows in cell $cell before the first arrow ($(cursor_ink "$cell") pixels)"
    fi
    if [ "$key" = space ] && [ "$done_cells" -eq 0 ]; then
      # A note set in the cursor's empty cell and taken away again, each time looked at with the cursor
      # stepped aside to the next cell (Right, then Left back), so that only the note's ink counts.
      e2e_wait 10 "the cursor is not on cell $cell ($(cursor_ink "$cell") black pixels)" cursor_on "$cell"
      local digit
      digit=$(solution_of "$cell")
      step_aside "$cell"
      note=$(note_ink "$cell")
      step_back "$cell"
      e2e_key "shift+$digit"
      step_aside "$cell"
      e2e_wait 10 "Shift+$digit showed no note in cell $cell" note_ink_above "$cell" $((note + 3))
      e2e_snap note
      step_back "$cell"
      e2e_key "shift+$digit"
      step_aside "$cell"
      e2e_wait 10 "Shift+$digit again did not take the note away from cell $cell" note_ink_is "$cell" "$note"
      step_back "$cell"
    fi
    if [ "$key" = space ] && [ "$done_cells" -eq $((${#cells[@]} - 1)) ]; then
      rm -f "$(settings_file)"
    fi
    e2e_key "$key"
    if is_arrow "$key"; then
      arrows=$((arrows + 1))
      if [ "$arrows" -eq 1 ]; then
        e2e_wait 10 "the first arrow did not show the cursor on cell $cell" cursor_on "$cell"
        e2e_snap cursor
      fi
    fi
    [ "$key" = space ] || continue
    e2e_wait 10 "space did not place digit $(solution_of "$cell") in cell $cell" ink_present "$cell" "$PLAYER_INK"
    done_cells=$((done_cells + 1))
    if [ "$done_cells" -eq 2 ]; then
      # The cursor left the first cell for the second.
      cursor_on "$cell" || e2e_fail "the cursor is not on cell $cell, where the arrows took it"
      cursor_off "$previous" || e2e_fail "the cursor's black stays in cell $previous after it moved on"
      e2e_key ctrl+z
      e2e_wait 10 "Ctrl+Z did not empty cell $cell" ink_absent "$cell" "$PLAYER_INK"
      e2e_key ctrl+y
      e2e_wait 10 "Ctrl+Y did not put digit $(solution_of "$cell") back into cell $cell" ink_present "$cell" "$PLAYER_INK"
      # The rules pages and back, by keys.
      e2e_window_geometry
      play_size="$E2E_WW $E2E_WH"
      grid_before=$(grid_signature)
      e2e_key F1
      wait_window_size 806 625
      page1=$(stable_page_other_than "") || e2e_fail "the first rules page did not settle"
      e2e_key Right
      stable_page_other_than "$page1" >/dev/null || e2e_fail "Right did not turn to rules page 2"
      e2e_key Escape
      # shellcheck disable=SC2086
      wait_window_size $play_size
      e2e_wait 15 "Esc did not bring back the grid as it was, cursor and all" signature_is "$grid_before"
    fi
    previous=$cell
  done
  [ "$done_cells" = ${#cells[@]} ] || e2e_fail "the keys filled $done_cells of ${#cells[@]} cells"

  # The bravo box, then the question whether to save.
  e2e_answer_box Return
  e2e_answer_box y
  e2e_wait 10 "the settings file was not written after the win" test -s "$(settings_file)"
  local unsolved
  unsolved=$("$ORNEL_TOOL" load "$code" --state "$(saved_state 1)" | awk '$1 == "cell" {
      v = s = ""
      for (i = 4; i <= NF; i++) { split($i, kv, "="); if (kv[1] == "value") v = kv[2]; if (kv[1] == "solution") s = kv[2] }
      if (v != s || v == 0) bad++ } END { print bad + 0 }')
  [ "$unsolved" -eq 0 ] || e2e_fail "the saved state after the win leaves $unsolved cells unsolved"
  pointer_away
  for cell in "${cells[@]}"; do
    e2e_wait 10 "after the win cell $cell does not show the player's digit" ink_present "$cell" "$PLAYER_INK"
  done
  e2e_snap won
  e2e_close
  finish
}

# A key that answers a box is the box's alone. (a) The quit question answered No with its key n:
# no box follows (n is also the new-grid key) and the game plays on. (b) N, then size 4 and level 6
# chosen with their digit keys: the new grid comes, and the selected digit is still 1. A digit key
# before each part proves the window has the keyboard, so that nothing seen is only a lost key.
scenario_boxkeys() {
  begin boxkeys
  start_on_grid_1
  pointer_away
  selected_is 1 || e2e_fail "a fresh game does not show digit 1 selected"
  e2e_key alt+F4
  e2e_answer_box n
  e2e_until 2 e2e_found_box && e2e_fail "a box appeared after the quit question was answered with n"
  [ -n "$(e2e_main_window)" ] && ! e2e_ended || e2e_fail "the game window is gone after the quit question was answered No"
  wait_grid_shown 5
  selected_is 1 || e2e_fail "the key n that answered the quit question changed the selected digit"
  select_digit 3
  select_digit 1

  e2e_key n
  e2e_answer_box 4
  e2e_answer_box 6
  e2e_wait 30 "no new grid was shown after the two choices" e2e_no_box
  e2e_until 2 e2e_found_box && e2e_fail "a box appeared after the new grid's level was chosen"
  pointer_away
  selected_is 1 || e2e_fail "the digit keys that chose the new grid's size and level changed the selected digit"
  # Ctrl+S saves the new grid: it is the one asked for.
  rm -f "$(settings_file)"
  e2e_key ctrl+s
  e2e_answer_box y
  e2e_wait 10 "the settings file was not written after Ctrl+S" test -s "$(settings_file)"
  [ "$(setting gri)" = 6 ] || e2e_fail "the saved file has gri=$(setting gri), expected 6 (the new grid)"
  local request
  request=$(setting ngr)
  case "$request" in
    4,6,*) ;;
    *) e2e_fail "the saved file keeps ngr=$request, expected size 4 and level 6" ;;
  esac
  # The grid shown is that request's, with the givens ornel-tool makes from it.
  grid_files "N4-6-${request#4,6,}" 40
  wait_grid_shown
  selected_is 1 || e2e_fail "the key y that answered the save question changed the selected digit"
  e2e_close
  finish
}

run_scenarios "keys boxkeys" "$@"
exit $?
