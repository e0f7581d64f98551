#!/usr/bin/env bash
# Runs a command with an X display: the caller's own, or a private Xvfb started and stopped here.
#
# ORNEL_SCREEN=WxHxD asks for a screen of that size: the caller's display is used only when it
# has that size, otherwise a private Xvfb of that size is started (default 1280x1024x24).
set -u

screen=${ORNEL_SCREEN:-}

# The size "WxH" of the current display, empty when there is none.
display_size() {
  xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p' | head -1
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  if [ -z "$screen" ] || [ "$(display_size)" = "${screen%x*}" ]; then
    exec "$@"
  fi
fi
[ -n "$screen" ] || screen=1280x1024x24

# Lowest free display number from 90 up (a lock file marks a display in use). Two runs may
# pick the same number at once: the loser's Xvfb ends at once, and it tries the next number.
n=90
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 1 20); do
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do
    kill -0 "$xvfb_pid" 2>/dev/null || break
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  kill -0 "$xvfb_pid" 2>/dev/null && xdpyinfo >/dev/null 2>&1 && break
  kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
  n=$((n + 1))
done
if [ -z "$xvfb_pid" ]; then
  echo "with-display: no Xvfb could be started" >&2
  exit 1
fi

"$@"
