#!/usr/bin/env bash
# End-to-end scenario of a window kept on the right one of two monitors, on the real ORNEL.exe.
# usage: e2e-monitors.sh ORNEL.exe ORNEL-TOOL WORKROOT SCENARIO...   (monitors, or all)
# The steps are those of scripts/e2e.sh, sourced without running its scenarios, on a desktop of two
# 1024x768 monitors side by side (scripts/with-display.sh with ORNEL_MONITORS=2); the left one is
# the main monitor.
set -u

export ORNEL_MONITORS=2
# A Wine prefix of its own beside the usual one (the scenario changes how Wine finds the monitors,
# see below; the other scenarios keep theirs as it is).
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-env.sh"
ornel_prefix_beside "${1:-}" "monitors"

E2E_SOURCED_ONLY=1
# shellcheck source=scripts/e2e.sh
. "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/e2e.sh"

# Screen points run over both monitors; the right one starts where the main one ends.
SCREEN_W=2048
MONITOR_W=1024

# Wine finds the monitors through Xinerama only when told not to use RandR, which shows it one output
# as wide as the whole desktop. Wine's desktop reads this when it starts, so it starts again.
if ! tr -d '\r' <"$WINEPREFIX/user.reg" 2>/dev/null | grep -q '^"UseXRandR"="N"'; then
  "$ORNEL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  e2e_kill
  ornel_wine_desktop || { echo "e2e: FAIL: Wine's desktop did not start again on $DISPLAY" >&2; exit 1; }
fi

# wine_monitor_count: how many display devices Wine lists (one per monitor when it reads Xinerama).
wine_monitor_count() {
  "$ORNEL_WINE" reg query 'HKLM\HARDWARE\DEVICEMAP\VIDEO' 2>/dev/null | grep -c '\\Device\\Video[0-9]'
}

# write_settings GRID SCALE LEFT TOP: a settings file of that grid and scale, the window's corner at LEFT,TOP.
write_settings() {
  printf 'ver=3.6\r\ngri=%s\r\ntca=%s\r\nleft=%s\r\ntop=%s\r\n' "$@" >"$(settings_file)"
}

# right_layout CODE SCALE LEFT TOP [--pan P,Q]: L and G for the grid with the window's corner at LEFT,TOP
# on the right monitor. L is the layout that a game on one 1024x768 screen has with its corner at the
# same place on that screen (LEFT - 1024, TOP): the right monitor must show exactly that, and client
# points need no shift, since the client area moved with the window.
right_layout() {
  local code=$1 scale=$2 left=$3 top=$4
  shift 4
  L="$E2E_WORK/layout-$code-$scale-at-$left${1:+-pan${2:-}}.txt"
  G="$E2E_WORK/grid-$code.txt"
  e2e_layout_to "$L" "$code" --scale "$scale" --at "$((left - MONITOR_W)),$top" "$@"
  e2e_grid_to "$G" "$code"
}

# window_at X Y: the main window's corner is there.
window_at() {
  e2e_window_geometry
  [ "$E2E_WX,$E2E_WY" = "$1,$2" ]
}

# ground_in X W: ground-coloured pixels of the screenshot E2E_SHOT in the screen columns X..X+W-1, every row.
ground_in() {
  e2e_count "$E2E_SHOT" "$1" 0 "$2" "$SCREEN_H" "$GROUND"
}

# box_within SECONDS: true when a message box shows up within SECONDS.
box_within() {
  e2e_until "$1" e2e_found_box
}

# red_in_rect "L T R B": pure red pixels of the screenshot E2E_SHOT in that client rectangle (edges included).
red_in_rect() {
  # shellcheck disable=SC2086
  set -- $1
  e2e_count "$E2E_SHOT" $((E2E_CX + $1)) $((E2E_CY + $2)) $(($3 - $1 + 1)) $(($4 - $2 + 1)) "255 0 0"
}

# A window saved on the right monitor starts there, and its room is measured on that monitor.
# Grid 1 at scale 40 saved at 1300,60: the window's corner is at 1300,60; every cell shows its
# ground and givens where the one-screen layout puts them; no ground colour is on the left monitor;
# no scroll hint comes within 3 s (the grid fits the 748 pixels right of the corner).
# Grid 5 at scale 70 saved at 1100,60: the grid is wider than the 948 pixels up to the right
# monitor's right edge, so the scroll hint comes once, on that monitor, and the red right arrow
# stands where the one-screen layout puts it, as far left of x = 2048 as the arrow of the
# one-screen scroll scenario (grid 5 at scale 70 at 60,60) is left of x = 1024; no other red shows
# in the window. A click on it scrolls by one cell, and no hint comes again.
scenario_monitors() {
  begin monitors
  local count
  count=$(wine_monitor_count)
  [ "$count" = 2 ] || e2e_fail "Wine lists $count display devices on this desktop of two monitors"

  local code
  code=$(e2e_grid_code 1)
  write_settings 1 40 1300 60
  right_layout "$code" 40 1300 60
  [ "$(e2e_get "$L" arrow right | cut -d' ' -f2)" = 0 ] || e2e_fail "grid $code at scale 40 does not fit right of 276,60"
  launch
  window_at 1300 60 || e2e_fail "the window saved at 1300,60 started at $E2E_WX,$E2E_WY"
  wait_grid_shown
  # shellcheck disable=SC2046
  wait_window_size $(e2e_get "$L" window)
  local left right
  e2e_snap grid-1
  left=$(ground_in 0 "$MONITOR_W")
  right=$(ground_in "$MONITOR_W" "$MONITOR_W")
  [ "$left" -eq 0 ] && [ "$right" -gt 5000 ] ||
    e2e_fail "the ground colour shows on $left pixels of the left monitor and $right of the right one"
  box_within 3 && e2e_fail "a box came up for grid 1, which fits the right monitor: $(xdotool getwindowname "$(e2e_box_window)")"
  window_at 1300 60 || e2e_fail "the window moved from 1300,60 to $E2E_WX,$E2E_WY"
  e2e_close

  code=$(e2e_grid_code 5)
  write_settings 5 70 1100 60
  right_layout "$code" 70 1100 60
  local single rect gap single_gap
  single="$E2E_WORK/layout-$code-70-one-screen.txt"
  e2e_layout_to "$single" "$code" --scale 70
  [ "$(e2e_get "$single" arrow right | cut -d' ' -f2)" = 1 ] && [ "$(e2e_get "$L" arrow right | cut -d' ' -f2)" = 1 ] ||
    e2e_fail "grid $code at scale 70 fits a 1024x768 screen: nothing to scroll"
  rect=$(e2e_get "$L" arrow right | cut -d' ' -f4-)
  # How far the right arrow ends left of its monitor's right edge, here and on one screen.
  # shellcheck disable=SC2046
  set -- $(e2e_get "$single" client-at) $(e2e_get "$single" arrow right | cut -d' ' -f6)
  single_gap=$((MONITOR_W - ($1 + $3)))
  launch
  window_at 1100 60 || e2e_fail "the window saved at 1100,60 started at $E2E_WX,$E2E_WY"
  e2e_wait 20 "no scroll hint came for grid $code, which is wider than the right monitor" e2e_found_box
  # shellcheck disable=SC2034
  local box X Y WIDTH HEIGHT SCREEN WINDOW
  box=$(e2e_box_window)
  eval "$(xdotool getwindowgeometry --shell "$box")"
  # A box is centred on its owner's monitor: the player finds it beside the game.
  [ "$X" -ge "$MONITOR_W" ] && [ $((X + WIDTH)) -le "$SCREEN_W" ] ||
    e2e_fail "the scroll hint is at $X,$Y (${WIDTH} wide), not on the right monitor with the game"
  e2e_snap hint
  e2e_answer_box Return
  # shellcheck disable=SC2046
  wait_window_size $(e2e_get "$L" window)
  wait_grid_shown
  # shellcheck disable=SC2086
  set -- $rect
  gap=$((SCREEN_W - (E2E_CX + $3)))
  [ $((E2E_CX + $1)) -ge "$MONITOR_W" ] && [ "$gap" -gt 0 ] ||
    e2e_fail "the right arrow's place $((E2E_CX + $1))..$((E2E_CX + $3)) is not on the right monitor"
  [ "$gap" -eq "$single_gap" ] ||
    e2e_fail "the right arrow ends $gap pixels left of x = $SCREEN_W; on one screen it ends $single_gap left of x = $MONITOR_W"
  e2e_snap arrows
  local red all
  red=$(red_in_rect "$rect")
  all=$(e2e_count "$E2E_SHOT" "$E2E_CX" "$E2E_CY" $((SCREEN_W - E2E_CX)) $((E2E_WH - E2E_FRAME_Y - E2E_FRAME_X)) "255 0 0")
  [ "$red" -gt 10 ] && [ "$red" -eq "$all" ] ||
    e2e_fail "the right arrow's place shows $red red pixels, the visible window $all"
  box_within 3 && e2e_fail "the scroll hint came a second time"

  # shellcheck disable=SC2086
  set -- $rect
  e2e_click $((($1 + $3) / 2)) $((($2 + $4) / 2))
  right_layout "$code" 70 1100 60 --pan -1,0
  wait_grid_shown 10
  box_within 3 && e2e_fail "the scroll hint came again after a scroll"
  e2e_close
  finish
}

run_scenarios "monitors" "$@"
exit $?
