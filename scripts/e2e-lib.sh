# Shared steps of the end-to-end scripts: start the game under Wine, wait for what is expected, look at the screen.
#
# Sourced by scripts/e2e-*.sh. Every wait has a deadline and polls for the thing
# it waits for (a window, a pixel colour, a file); nothing sleeps blindly.
# Needs: DISPLAY (an Xvfb), the Wine environment of wine-env.sh, xdotool, ImageMagick.

E2E_TITLE="ORNEL 162"
# Where Wine puts the client area inside a caption-and-minimise window (its own decorations).
E2E_FRAME_X=3
E2E_FRAME_Y=22

e2e_fail() {
  echo "e2e: FAIL: $*" >&2
  if [ -n "${E2E_WORK:-}" ]; then
    import -window root -depth 8 "$E2E_WORK/failure.png" 2>/dev/null &&
      echo "e2e: screenshot of the failure: $E2E_WORK/failure.png" >&2
  fi
  e2e_kill
  exit 1
}

e2e_kill() {
  [ -n "${E2E_PID:-}" ] && kill "$E2E_PID" 2>/dev/null
  wineserver -k 2>/dev/null
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
  local main
  main=$(e2e_main_window)
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
e2e_start() {
  E2E_WORK=$1
  local exe=$2
  mkdir -p "$E2E_WORK"
  (cd "$E2E_WORK" && exec wine "$exe" >>"$E2E_WORK/wine.log" 2>&1) &
  E2E_PID=$!
  e2e_until 60 e2e_have_main || e2e_fail "no visible window '$E2E_TITLE' within 60 s"
  E2E_MAIN=$(e2e_main_window)
  e2e_window_geometry
}

e2e_have_main() {
  [ -n "$(e2e_main_window)" ] || { kill -0 "$E2E_PID" 2>/dev/null || e2e_fail "the game ended early"; return 1; }
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
e2e_answer_box() {
  local key=$1 box=""
  e2e_until 20 e2e_found_box || e2e_fail "no message box appeared"
  box=$(e2e_box_window)
  xdotool windowfocus "$box" 2>/dev/null
  xdotool key --window "$box" "$key" 2>/dev/null || xdotool key "$key"
  e2e_until 20 e2e_box_gone "$box" || e2e_fail "the message box did not close after '$key'"
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
  wait "$E2E_PID" 2>/dev/null
  E2E_PID=""
}

e2e_ended() {
  ! kill -0 "$E2E_PID" 2>/dev/null
}

# e2e_layout ARGS...: the layout lines of ornel-tool (the same layout code as the game).
e2e_layout() {
  "${ORNEL_TOOL:?ORNEL_TOOL names the ornel-tool program}" layout "$@"
}
