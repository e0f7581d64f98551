# Shared steps of the end-to-end scripts: start the game under Wine, wait for what is expected, look at the screen.
#
# Sourced by scripts/e2e-*.sh. Every wait has a deadline and polls for the thing
# it waits for (a window, a pixel colour, a file); nothing sleeps blindly.
# Needs: DISPLAY (an Xvfb), the Wine of wine-env.sh set up for the game (ornel_wine_for_exe), xdotool,
# ImageMagick.

E2E_TITLE="ORNEL 162"
# Where Wine puts the client area inside a caption-and-minimise window (its own decorations).
E2E_FRAME_X=3
E2E_FRAME_Y=22

e2e_fail() {
  echo "e2e: FAIL${E2E_SCENARIO:+ [$E2E_SCENARIO]}: $*" >&2
  if [ -n "${E2E_WORK:-}" ]; then
    import -window root -depth 8 "$E2E_WORK/failure.png" 2>/dev/null &&
      echo "e2e: screenshot of the failure: $E2E_WORK/failure.png (earlier ones: $E2E_WORK/*.ppm)" >&2
  fi
  e2e_kill
  exit 1
}

# Ends the game started here and the prefix's wineserver, and waits until that server is gone: a game
# started while the old server is still shutting down would die with it.
e2e_kill() {
  [ -n "${E2E_PID:-}" ] && kill "$E2E_PID" 2>/dev/null
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  E2E_PID=""
}

# e2e_until SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false after the deadline.
e2e_until() {
  local limit=$1
  shift
  local end=$((SECONDS + limit))
  while [ "$SECONDS" -le "$end" ]; do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

e2e_main_window() {
  xdotool search --onlyvisible --name "^${E2E_TITLE}\$" 2>/dev/null | head -1
}

# Visible top-level windows other than the main window that have a caption: the message boxes.
e2e_box_window() {
  local main=${E2E_MAIN:-$(e2e_main_window)}
  xdotool search --onlyvisible --name '.+' 2>/dev/null | while read -r w; do
    [ "$w" = "$main" ] && continue
    local name
    name=$(xdotool getwindowname "$w" 2>/dev/null)
    case "$name" in
      "$E2E_TITLE" | "English" | "Fran"*) echo "$w"; break ;;
    esac
  done | head -1
}

# e2e_start WORKDIR EXE: starts the game in WORKDIR (its settings file lives there) and waits for its window.
# A game that ends before showing its window fails the scenario with its exit code: it is never
# started a second time, so a start-up that fails now and then cannot hide. One failure is Wine's
# and not the game's: on an X server that has just started, Wine's desktop process now and then
# cannot open the display, and then no window of any program can be made (wine.log says "no driver
# could be loaded"). Only then is Wine started again, at most twice, and the scenario says so.
e2e_start() {
  E2E_WORK=$1
  local exe=$2 code attempt
  E2E_MAIN=""
  mkdir -p "$E2E_WORK"
  for attempt in 1 2 3; do
    (cd "$E2E_WORK" && exec "$ORNEL_WINE" "$exe" >>"$E2E_WORK/wine.log" 2>&1) &
    E2E_PID=$!
    E2E_ENDED_EARLY=0
    e2e_until 60 e2e_have_main || e2e_fail "no visible window '$E2E_TITLE' within 60 s"
    [ "$E2E_ENDED_EARLY" = 1 ] || break
    code=0
    wait "$E2E_PID" 2>/dev/null || code=$?
    E2E_PID=""
    if [ "$attempt" -lt 3 ] && grep -q 'no driver could be loaded' "$E2E_WORK/wine.log"; then
      echo "e2e: Wine's desktop could not open the display (the game ended with exit code $code); Wine starts again" >&2
      mv "$E2E_WORK/wine.log" "$E2E_WORK/wine-$attempt.log"
      e2e_kill
      continue
    fi
    e2e_fail "the game ended (exit code $code) before showing its window"
  done
  E2E_MAIN=$(e2e_main_window)
  e2e_window_geometry
}

# Succeeds once the main window shows; stops the wait (E2E_ENDED_EARLY=1) when the game has ended.
e2e_have_main() {
  [ -n "$(e2e_main_window)" ] && return 0
  if ! kill -0 "$E2E_PID" 2>/dev/null; then
    E2E_ENDED_EARLY=1
    return 0
  fi
  return 1
}

# E2E_WX, E2E_WY: the window's corner on the screen; E2E_CX, E2E_CY: its client area's corner.
e2e_window_geometry() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$E2E_MAIN")"
  E2E_WX=$X
  E2E_WY=$Y
  E2E_WW=$WIDTH
  E2E_WH=$HEIGHT
  E2E_CX=$((X + E2E_FRAME_X))
  E2E_CY=$((Y + E2E_FRAME_Y))
}

# e2e_shot FILE: the whole screen as an 8-bit PPM (fast to read back).
e2e_shot() {
  import -window root -depth 8 "$1" 2>/dev/null
}

# e2e_pixel FILE X Y: "R G B" of one screen pixel of a screenshot.
e2e_pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | head -1
}

# e2e_client_pixel X Y: a fresh screenshot's pixel at a client position of the main window.
e2e_client_pixel() {
  e2e_shot "$E2E_WORK/probe.ppm"
  e2e_pixel "$E2E_WORK/probe.ppm" $((E2E_CX + $1)) $((E2E_CY + $2))
}

# e2e_wait_client_pixel SECONDS X Y "R G B": waits until the client pixel has that colour.
e2e_wait_client_pixel() {
  local limit=$1 x=$2 y=$3 want=$4
  e2e_until "$limit" e2e_client_pixel_is "$x" "$y" "$want"
}

e2e_client_pixel_is() {
  [ "$(e2e_client_pixel "$1" "$2")" = "$3" ]
}

# e2e_click X Y [BUTTON]: a click at a client position.
e2e_click() {
  xdotool mousemove $((E2E_CX + $1)) $((E2E_CY + $2)) click "${3:-1}"
}

# e2e_drag X1 Y1 X2 Y2: press at one client position, release at another.
e2e_drag() {
  xdotool mousemove $((E2E_CX + $1)) $((E2E_CY + $2)) mousedown 1 \
    mousemove $((E2E_CX + ($1 + $3) / 2)) $((E2E_CY + ($2 + $4) / 2)) \
    mousemove $((E2E_CX + $3)) $((E2E_CY + $4)) mouseup 1
}

# e2e_answer_box KEY: waits for a message box, answers it with KEY (y, n, Return, Escape) and waits until it is gone.
# Wine ignores keys sent to a window (XSendEvent): a click on the box's icon gives it the keyboard, then the
# key goes through the XTEST path like a real one. A key lost to a focus change is given again.
e2e_answer_box() {
  local key=$1 box="" tries=0
  e2e_until 20 e2e_found_box || e2e_fail "no message box appeared"
  box=$(e2e_box_window)
  while :; do
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$box" 2>/dev/null)"
    xdotool mousemove $((X + 30)) $((Y + 45)) click 1 2>/dev/null
    xdotool key "$key"
    e2e_until 4 e2e_box_gone "$box" && return 0
    tries=$((tries + 1))
    [ "$tries" -lt 4 ] || e2e_fail "the message box did not close after '$key'"
  done
}

e2e_found_box() {
  [ -n "$(e2e_box_window)" ]
}

e2e_box_gone() {
  ! xdotool search --onlyvisible --name '.+' 2>/dev/null | grep -qx "$1"
}

# e2e_close: the close request answered with Yes; waits for the process to end.
e2e_close() {
  xdotool mousemove "$((E2E_CX + 55))" "$((E2E_CY + 5))" click 1
  xdotool key alt+F4
  e2e_answer_box y
  e2e_until 30 e2e_ended || e2e_fail "the game did not end after the close was confirmed"
  local code=0
  wait "$E2E_PID" 2>/dev/null || code=$?
  E2E_PID=""
  [ "$code" -eq 0 ] || e2e_fail "the game ended with exit code $code after the close was confirmed"
}

e2e_ended() {
  ! kill -0 "$E2E_PID" 2>/dev/null
}

# e2e_layout ARGS...: the layout lines of ornel-tool (the same layout code as the game).
e2e_layout() {
  "${ORNEL_TOOL:?ORNEL_TOOL names the ornel-tool program}" layout "$@"
}

# --- where things are: the layout and the grid as ornel-tool computes them ---

# e2e_grid_code N: the code of built-in grid number N (the game's own list, read from its source).
e2e_grid_code() {
  local list
  list=$(sed -n 's/.*kNumberedGridCodes\[[^]]*\] *= *{\([^}]*\)}.*/\1/p' "$E2E_SOURCE_DIR/content/collection.h" | tr -d '" ')
  [ -n "$list" ] || e2e_fail "the list of grid codes was not found in content/collection.h"
  echo "$list" | cut -d, -f"$1"
}

# e2e_layout_to FILE CODE ARGS...: the layout lines for the grid, in client coordinates.
e2e_layout_to() {
  local file=$1
  shift
  e2e_layout "$@" >"$file" || e2e_fail "ornel-tool layout $* failed"
}

# e2e_get FILE WORD [N]: the rest of the layout line "WORD [N] ..." (e.g. e2e_get L cell 3 -> "X Y").
e2e_get() {
  if [ $# -ge 3 ]; then
    awk -v w="$2" -v n="$3" '$1 == w && $2 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }' "$1"
  else
    awk -v w="$2" '$1 == w { $1 = ""; sub(/^ +/, ""); print; exit }' "$1"
  fi
}

# e2e_grid_to FILE CODE ARGS...: the grid as loaded (ornel-tool load): one "cell N CODE ... key=value" line per cell.
e2e_grid_to() {
  local file=$1
  shift
  "$ORNEL_TOOL" load "$@" >"$file" || e2e_fail "ornel-tool load $* failed"
}

# e2e_cell_field GRIDFILE N KEY: one key=value field of cell N (value, fixed, solution, candidates, ...).
e2e_cell_field() {
  awk -v n="$2" -v k="$3" '$1 == "cell" && $2 == n {
    for (i = 4; i <= NF; i++) { split($i, kv, "="); if (kv[1] == k) { print kv[2]; exit } } }' "$1"
}

# e2e_ground_points LAYOUT GRID: "N X Y" per cell, a client point inside cell N that no digit covers:
# half-way from the centre to the left corner of the triangle's base (below the centre for a
# triangle pointing up, above it for one pointing down).
e2e_ground_points() {
  awk -v size="$(e2e_get "$1" cell-size)" '
    FNR == NR && $1 == "cell" { up[$2] = ($3 ~ /:AB$/) ? 1 : 0; next }
    $1 == "cell" {
      dx = int(size / 4); dy = int(size * 0.144 + 0.5)
      print $2, $3 - dx, (up[$2] ? $4 + dy : $4 - dy)
    }' "$2" "$1"
}

# e2e_off_shape_points LAYOUT N: up to N client points inside the grid area that lie far from every
# complete hexagon (the window's shape leaves them out: the desktop shows there).
e2e_off_shape_points() {
  awk -v want="$2" '
    $1 == "cell-size" { size = $2 }
    $1 == "grid-area" { gl = $2; gt = $3; gw = $4; gh = $5 }
    $1 == "hexagon" { hx[++nh] = $3; hy[nh] = $4 }
    END {
      found = 0
      for (y = gt + 4; y < gt + gh - 4 && found < want; y += 7)
        for (x = gl + 4; x < gl + gw - 4 && found < want; x += 7) {
          far = 1
          for (i = 1; i <= nh; i++) {
            d = (x - hx[i]) ^ 2 + (y - hy[i]) ^ 2
            if (d < (1.45 * size) ^ 2) { far = 0; break }
          }
          if (far) { print x, y; found++; x += 3 * size }
        }
    }' "$1"
}

# --- reading the screen ---

# e2e_snap NAME: a screenshot kept in the work folder as NAME.ppm (its path in E2E_SHOT).
e2e_snap() {
  E2E_SHOT="$E2E_WORK/$1.ppm"
  e2e_shot "$E2E_SHOT" || e2e_fail "no screenshot could be taken"
}

# e2e_pixels SHOT X Y [X Y ...]: "R G B" of each screen point, one per line, in one pass.
e2e_pixels() {
  local shot=$1 format=""
  shift
  while [ $# -ge 2 ]; do
    format="$format%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]\n"
    shift 2
  done
  convert "$shot" -format "$format" info: 2>/dev/null
}

# e2e_client_pixels SHOT X Y ...: as e2e_pixels with client coordinates of the main window.
e2e_client_pixels() {
  local shot=$1 args=()
  shift
  while [ $# -ge 2 ]; do
    args+=($((E2E_CX + $1)) $((E2E_CY + $2)))
    shift 2
  done
  e2e_pixels "$shot" "${args[@]}"
}

# e2e_count SHOT X Y W H "R G B": how many pixels of the screen rectangle have exactly that colour.
e2e_count() {
  local want
  want=$(echo "$6" | tr ' ' ',')
  convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
    awk -v want="($want)" '{ c = $1; sub(/:$/, "", c); col = $2; gsub(/ /, "", col) }
      col == want { n += c } END { print n + 0 }'
}

# e2e_client_count SHOT CX CY R "R G B": pixels of that colour within R of a client point (a square).
e2e_client_count() {
  e2e_count "$1" $((E2E_CX + $2 - $4)) $((E2E_CY + $3 - $4)) $((2 * $4 + 1)) $((2 * $4 + 1)) "$5"
}

# e2e_signature SHOT X Y W H: a hash of a screen rectangle, to tell whether it changed.
e2e_signature() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -format '%#' info: 2>/dev/null
}

# e2e_wait SECONDS WHAT COMMAND...: polls COMMAND until it succeeds; fails the scenario with WHAT.
e2e_wait() {
  local limit=$1 what=$2
  shift 2
  e2e_until "$limit" "$@" || e2e_fail "$what (waited ${limit} s)"
}

# e2e_no_box: true when no message box is open.
e2e_no_box() {
  [ -z "$(e2e_box_window)" ]
}

# e2e_focus: a click on the panel's version text (it does nothing) gives the main window the keyboard.
e2e_focus() {
  xdotool mousemove "$((E2E_CX + 55))" "$((E2E_CY + 5))" click 1
}

# e2e_key KEY: one key press for the game (the window with the keyboard gets it as key messages).
e2e_key() {
  xdotool key "$1"
}

# e2e_black_points SHOT X Y W H: "X Y" (screen) of every pure black pixel of the rectangle.
e2e_black_points() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -fill white +opaque black -transparent white sparse-color:- 2>/dev/null |
    tr ' ' '\n' | awk -F, -v x0="$2" -v y0="$3" 'NF >= 3 { print $1 + x0, $2 + y0 }'
}
