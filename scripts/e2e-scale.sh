#!/usr/bin/env bash
# End-to-end scenarios of the game at a display scale of 150 % and 200 %, on the real ORNEL.exe.
# usage: e2e-scale.sh ORNEL.exe ORNEL-TOOL WORKROOT SCENARIO   (scale150 or scale200)
# The steps are those of scripts/e2e.sh, sourced without running its scenarios, on a screen of the
# size such a scale goes with, in a Wine prefix of its own whose resolution (LogPixels) is the scale's.
set -u

scenario=${4:-}
case "$scenario" in
  scale150) E2E_DPI=144 E2E_SCREEN=1920x1080x24 ;;
  scale200) E2E_DPI=192 E2E_SCREEN=2560x1600x24 ;;
  *) echo "e2e-scale: unknown scenario '$scenario' (known: scale150 scale200)" >&2; exit 2 ;;
esac
export E2E_DPI E2E_SCREEN
# A Wine prefix of its own: its resolution is the scale's.
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-env.sh"
ornel_prefix_beside "${1:-}" "dpi$E2E_DPI"

E2E_SOURCED_ONLY=1
# shellcheck source=scripts/e2e.sh
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/e2e.sh"

# Wine reads the resolution when its programs start: its desktop starts again after a change.
if [ "$(ornel_wine_resolution)" != "$E2E_DPI" ]; then
  "$ORNEL_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$E2E_DPI" /f >/dev/null 2>&1
  e2e_kill
  ornel_wine_desktop || { echo "e2e: FAIL: Wine's desktop did not start again on $DISPLAY" >&2; exit 1; }
  [ "$(ornel_wine_resolution)" = "$E2E_DPI" ] || { echo "e2e: FAIL: Wine's resolution stays $(ornel_wine_resolution)" >&2; exit 1; }
fi

# scaled_layout CODE: L and G for the grid at scale 40 at this resolution, with the frame measured.
scaled_layout() {
  L="$E2E_WORK/layout-$1-dpi$E2E_DPI.txt"
  G="$E2E_WORK/grid-$1.txt"
  e2e_layout_to "$L" "$1" --scale 40 --dpi "$E2E_DPI" --screen "${SCREEN_W}x$SCREEN_H" \
    --frame "$E2E_FRAME_X,$E2E_FRAME_Y"
  e2e_grid_to "$G" "$1"
}

# measure_frame CODE: the window's border and caption at this resolution (Wine draws them larger),
# found as the frame with which the game's layout gives the window its size on the screen.
measure_frame() {
  local fx fy probe="$E2E_WORK/frame-probe.txt"
  e2e_until 20 eval 'e2e_window_geometry; [ "$E2E_WH" -gt 200 ]' || e2e_fail "the window never got its size"
  e2e_layout_to "$probe" "$1" --scale 40 --dpi "$E2E_DPI" --screen "${SCREEN_W}x$SCREEN_H"
  # shellcheck disable=SC2046
  set -- $(e2e_get "$probe" client)
  fx=$(((E2E_WW - $1) / 2))
  for fy in $(seq "$fx" 120); do
    e2e_layout_to "$probe" "$CODE" --scale 40 --dpi "$E2E_DPI" --screen "${SCREEN_W}x$SCREEN_H" --frame "$fx,$fy"
    if [ "$(e2e_get "$probe" window)" = "$E2E_WW $E2E_WH" ]; then
      E2E_FRAME_X=$fx
      E2E_FRAME_Y=$fy
      e2e_window_geometry
      return 0
    fi
  done
  e2e_fail "no frame gives the ${E2E_WW}x$E2E_WH window the game's layout at $E2E_DPI dpi"
}

# control_centre COMMAND: "X Y", the centre of that bar or Rules control at this scale.
control_centre() {
  # shellcheck disable=SC2046
  set -- $(e2e_get "$L" control "$1")
  echo "$(($1 + $3 / 2)) $(($2 + $4 / 2))"
}

# bar_report: the bar's controls that are not wholly inside the client area or whose rectangle is
# mostly the black of the desktop, not a control (the screenshot E2E_SHOT); empty when the bar is whole.
bar_report() {
  local client_w client_h
  read -r client_w client_h <<<"$(e2e_get "$L" client)"
  awk '$1 == "control" && $2 != 23 && $2 != 25 && $2 != 26 { print $2, $3, $4, $5, $6 }' "$L" |
    while read -r id x y w h; do
      if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || [ $((x + w)) -gt "$client_w" ] || [ $((y + h)) -gt "$client_h" ]; then
        printf 'control %s at %s,%s %sx%s is cut by the %sx%s client area; ' "$id" "$x" "$y" "$w" "$h" "$client_w" "$client_h"
      elif [ $((2 * $(e2e_count "$E2E_SHOT" $((E2E_CX + x)) $((E2E_CY + y)) "$w" "$h" "0 0 0"))) -gt $((w * h)) ]; then
        printf 'control %s at %s,%s %sx%s shows the desktop; ' "$id" "$x" "$y" "$w" "$h"
      fi
    done
}

# rules_report: the text lines of rules page 1 whose box on the page (screenshot E2E_SHOT) is not
# black text on the page: some black ink, and black on less than half of it (the desktop around a
# window not drawn yet is all black); empty when every line is drawn at its place at this scale.
rules_report() {
  local id l t r b ink
  awk '$1 == "rules-line" { print $2, $3, $4, $5, $6 }' "$L" |
    while read -r id l t r b; do
      ink=$(e2e_count "$E2E_SHOT" $((E2E_CX + l)) $((E2E_CY + t)) $((r - l + 1)) $((b - t + 1)) "0 0 0")
      [ "$ink" -gt 0 ] && [ $((2 * ink)) -lt $(((r - l + 1) * (b - t + 1))) ] ||
        printf 'line %s (%s,%s..%s,%s) shows %s black pixels; ' "$id" "$l" "$t" "$r" "$b" "$ink"
    done
}

# At 150 % (144 dpi) and 200 % (192 dpi), with grid 1 at scale 40: the window has the size the
# game's layout gives it at that resolution; every cell shows its ground and givens where that
# layout puts them (cells 1.5 or 2 times the 96-dpi size); every control of the bar lies inside
# the window and is drawn; a digit picked on the selector and clicked on a computed cell shows in
# the player's ink and is in the settings file after Save; "?" opens the Rules window at the page's
# scaled size, with every text line of page 1 inked in its scaled box.
scenario_scale() {
  begin "$scenario"
  CODE=$(e2e_grid_code 1)
  printf 'ver=3.6\r\ngri=1\r\ntca=40\r\nleft=60\r\ntop=60\r\n' >"$(settings_file)"
  launch
  measure_frame "$CODE"
  scaled_layout "$CODE"
  [ "$(e2e_get "$L" cell-size)" = $((40 * E2E_DPI / 96)) ] || e2e_fail "the layout's cells are not 40 px scaled"
  # shellcheck disable=SC2046
  wait_window_size $(e2e_get "$L" window)
  wait_grid_shown
  e2e_snap bar
  local report
  report=$(bar_report)
  [ -z "$report" ] || e2e_fail "the bar is not whole: $report"
  e2e_focus

  # A digit picked on the selector at its scaled place, then a click on a computed cell.
  local cell digit d
  for d in 1 2 3 4 5 6; do SELECTOR_POINTS[d]=$(e2e_get "$L" selector "$d"); done
  cell=$(first_empty_cell)
  digit=$(solution_of "$cell")
  click_at "${SELECTOR_POINTS[digit]}"
  e2e_wait 10 "a click on the selector's triangle of $digit did not select it" selected_is "$digit"
  # shellcheck disable=SC2046
  e2e_click $(e2e_get "$L" cell "$cell")
  e2e_wait 10 "digit $digit clicked into cell $cell did not appear" ink_present "$cell" "$PLAYER_INK"
  BTN_SAVE=$(control_centre 29)
  press_save
  e2e_grid_to "$E2E_WORK/saved.txt" "$CODE" --state "$(saved_state 1)"
  [ "$(e2e_cell_field "$E2E_WORK/saved.txt" "$cell" value)" = "$digit" ] ||
    e2e_fail "the settings file does not hold $digit in cell $cell: $(saved_state 1)"

  # Rules page 1 at the page's scaled size, its texts in their scaled boxes.
  local page_w page_h
  read -r page_w page_h <<<"$(e2e_get "$L" rules-page)"
  click_at "$(control_centre 24)"
  xdotool mousemove $((E2E_CX + page_w / 2)) $((E2E_CY + page_h / 5))
  wait_window_size $((2 * E2E_FRAME_X + page_w)) $((E2E_FRAME_X + E2E_FRAME_Y + page_h))
  e2e_until 15 eval 'e2e_snap rules; [ -z "$(rules_report)" ]' ||
    e2e_fail "rules page 1 is not readable at $E2E_DPI dpi: $(rules_report)"
  # The picture's grid shows its cells' ground over a good part of the page (a twelfth at 96 dpi).
  local ground
  ground=$(e2e_count "$E2E_SHOT" "$E2E_CX" "$E2E_CY" "$page_w" "$page_h" "$GROUND")
  [ "$ground" -gt $((page_w * page_h / 20)) ] ||
    e2e_fail "rules page 1 shows its picture's ground on $ground pixels of its $page_w x $page_h"
  e2e_snap rules-page-1
  click_at "$(control_centre 23)"
  # shellcheck disable=SC2046
  wait_window_size $(e2e_get "$L" window)
  e2e_close
  finish
}

eval "scenario_$scenario() { scenario_scale; }"
run_scenarios "$scenario" "$scenario"
exit $?
