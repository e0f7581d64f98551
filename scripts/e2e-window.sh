# End-to-end scenarios of the pointer and the window: clicks on the shown grid only, drags that end
# outside the window, the tooltip going away, the window staying where it was put, starts that always
# show the window. Sourced by scripts/e2e.sh, whose steps (begin, launch, grid_files, ...) they use.

WIDE_SETTINGS='ver=3.6\r\ngri=5\r\ntca=70\r\n'

# wide_start: grid 5 at scale 70 (wider than the screen), the scroll hint answered, the grid shown; CODE, MIN set.
wide_start() {
  printf "$WIDE_SETTINGS" >"$(settings_file)"
  CODE=$(e2e_grid_code 5)
  grid_files "$CODE" 70
  [ "$(e2e_get "$L" arrow right | cut -d' ' -f2)" = 1 ] || e2e_fail "grid $CODE at scale 70 fits the screen: nothing to scroll"
  MIN=$(e2e_get "$L" pan-range | cut -d' ' -f1)
  launch
  e2e_answer_box Return
  wait_grid_shown
}

# A drag from a corner point let go over the desktop between the hexagons still scrolls the grid;
# scrolled to its end, the cells under the command bar panel take no click: a click on the
# selector there picks the digit.
scenario_pointer() {
  begin pointer
  wide_start
  local size p from
  size=$(e2e_get "$L" cell-size)
  # A point between the hexagons (the desktop shows there) and a corner point of the grid at least
  # a cell to its right, in the same band of rows: the drag goes from the corner to the point.
  p=$(e2e_off_shape_points "$L" 40 | awk '$1 > 150 && $1 < 850' | head -1)
  [ -n "$p" ] || e2e_fail "the layout has no point between the hexagons"
  # shellcheck disable=SC2086
  set -- $p
  local px=$1 py=$2
  from=$(awk -v px="$px" -v py="$py" -v s="$size" '$1 == "corner" && $3 > px + s && $3 < px + 3 * s && $4 > 20 && $4 < 440 {
      d = ($4 - py) ^ 2; if (best == "" || d < bd) { best = $3 " " $4; bd = d } } END { print best }' "$L")
  [ -n "$from" ] || e2e_fail "no corner point right of the desktop point $p"
  # shellcheck disable=SC2086
  set -- $from
  e2e_snap desktop-point
  [ "$(e2e_client_pixels "$E2E_SHOT" "$px" "$py")" != "0 255 255" ] || e2e_fail "the point $p is not off the window's shape"
  e2e_drag "$1" "$2" "$px" "$py"
  local pan
  pan=$(awk -v a="$1" -v b="$px" -v s="$size" -v m="$MIN" 'BEGIN { p = (b - a) / s; if (p < m) p = m; printf "%.7f", p }')
  grid_files "$CODE" 70 --pan "$pan,0"
  e2e_until 10 all_ground || e2e_fail "a drag let go over the desktop did not scroll to $pan: $(ground_report)"

  # The right arrow to the end of the range.
  local rect
  while [ "$(e2e_get "$L" arrow right | cut -d' ' -f2)" = 1 ]; do
    rect=$(e2e_get "$L" arrow right | cut -d' ' -f4-)
    # shellcheck disable=SC2086
    set -- $rect
    e2e_click $((($1 + $3) / 2)) $((($2 + $4) / 2))
    pan=$(awk -v p="$pan" -v m="$MIN" 'BEGIN { p -= 1; if (p < m) p = m; printf "%.7f", p }')
    grid_files "$CODE" 70 --pan "$pan,0"
    wait_grid_shown 10
  done
  # A selector digit whose label point lies on a cell now hidden under the panel.
  local gl digit=0 d
  gl=$(e2e_get "$L" grid-area | cut -d' ' -f1)
  for d in 6 5 4 3 2; do
    # shellcheck disable=SC2086
    set -- ${SELECTOR_POINTS[$d]}
    if awk -v x="$1" -v y="$2" -v gl="$gl" -v s="$size" '$1 == "cell" && $3 < gl {
        if ((x - $3) ^ 2 + (y - $4) ^ 2 < (s / 5) ^ 2) found = 1 } END { exit !found }' "$L"; then
      digit=$d
      break
    fi
  done
  [ "$digit" != 0 ] || e2e_fail "no selector digit lies on a cell hidden under the panel"
  click_at "${SELECTOR_POINTS[$digit]}"
  e2e_wait 10 "a click on the selector's $digit over a hidden cell did not pick the digit" selected_is "$digit"
  e2e_close
  [ ! -e "$(settings_file)" ] || [ "$(setting gri)" = 5 ] || e2e_fail "the settings file changed"
  finish
}

# window_at X Y: the main window's corner is there.
window_at() {
  e2e_window_geometry
  [ "$E2E_WX,$E2E_WY" = "$1,$2" ]
}

# move_window DX DY: the caption strip taken by the mouse and moved; waits for the window to follow.
move_window() {
  local x=$((E2E_WX + 60)) y=$((E2E_WY + 8))
  local wx=$((E2E_WX + $1)) wy=$((E2E_WY + $2))
  xdotool mousemove "$x" "$y" mousedown 1 mousemove $((x + $1 / 2)) $((y + $2 / 2)) \
    mousemove $((x + $1)) $((y + $2)) mouseup 1
  e2e_until 10 window_at "$wx" "$wy" || e2e_fail "the window is at $E2E_WX,$E2E_WY after its caption was dragged, expected $wx,$wy"
  E2E_CX=$((E2E_WX + E2E_FRAME_X))
  E2E_CY=$((E2E_WY + E2E_FRAME_Y))
}

# The tooltip goes when the pointer leaves for the desktop and when the window is moved; a window
# parked near the bottom-right corner stays there when the grid is zoomed.
scenario_window() {
  begin window
  grid_files "$(e2e_grid_code 1)" 40
  launch
  wait_grid_shown
  hover_tooltip "$BTN_EXIT" >/dev/null || exit 1
  xdotool mousemove 1010 750
  e2e_wait 5 "the tooltip stayed after the pointer left for the desktop" eval '! have_tooltip'
  hover_tooltip "$BTN_EXIT" >/dev/null || exit 1
  move_window 40 30
  e2e_wait 5 "the tooltip stayed after the window moved" eval '! have_tooltip'

  # Parked with its caption near the bottom-right corner, then zoomed: it does not jump back.
  local wx=$((1024 - 170)) wy=$((768 - 200))
  move_window $((wx - E2E_WX)) $((wy - E2E_WY))
  local before
  before=$(e2e_get "$L" window)
  click_at "$BTN_BIGGER"
  # Parked there, the grid no longer fits on the screen: the scroll hint comes with the arrows.
  e2e_answer_box Return
  grid_files "$(e2e_grid_code 1)" 50 --at "$wx,$wy"
  # shellcheck disable=SC2046
  [ "$(e2e_get "$L" window)" != "$before" ] || e2e_fail "the zoom does not change the window's size"
  # shellcheck disable=SC2046
  e2e_until 20 window_size_is $(e2e_get "$L" window) || e2e_fail "the window is ${E2E_WW}x${E2E_WH} after the zoom, expected $(e2e_get "$L" window)"
  window_at "$wx" "$wy" || e2e_fail "the zoom moved the window from $wx,$wy to $E2E_WX,$E2E_WY"
  e2e_close
  finish
}

# Grid 5 at scale 70 from the settings file, started again and again: every start shows the window
# (the game is never started a second time here).
scenario_starts() {
  begin starts
  local i
  for i in $(seq 1 "${E2E_STARTS:-10}"); do
    printf "$WIDE_SETTINGS" >"$(settings_file)"
    launch
    e2e_kill
  done
  finish
}
