#!/usr/bin/env bash
# Starts the game under Wine in an empty folder, checks that its main window appears with the
# right caption and size, saves a screenshot, then closes it as a player would (close, answer Yes).
set -u

here=$(cd "$(dirname "$0")" && pwd)
exe=${1:?usage: smoke-window.sh ORNEL.exe WORKDIR}
work=${2:?usage: smoke-window.sh ORNEL.exe WORKDIR}
title="ORNEL 162"

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  exec "$here/with-display.sh" bash "$0" "$@"
fi

. "$here/wine-env.sh"
# The confirmation box is answered with its "Yes" key, so its buttons must be the English ones.
export LC_ALL=C LANG=C
ornel_wine_prefix

fail() {
  echo "smoke-window: FAIL: $*" >&2
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
  wineserver -k 2>/dev/null
  exit 1
}

# A fresh folder: no settings file, so the game starts from its defaults.
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
wine "$exe" >"$work/wine.log" 2>&1 &
game_pid=$!

# The windows of the game with the given caption, one id per line.
windows_named() { xdotool search --name "^$1\$" 2>/dev/null; }

main=""
for _ in $(seq 1 300); do
  main=$(windows_named "$title" | head -1)
  [ -n "$main" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before showing its window"
  sleep 0.2
done
[ -n "$main" ] || fail "no window named '$title' within 60 s"

# Give the first paint a moment, then check where the window is and how big.
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "smoke-window: window '$title' at ${X},${Y} size ${WIDTH}x${HEIGHT}"
[ "$X" -eq 60 ] && [ "$Y" -eq 60 ] || fail "expected the window at 60,60 with no settings file"
[ "$WIDTH" -eq 980 ] && [ "$HEIGHT" -eq 820 ] || fail "expected a 980x820 window"
import -window "$main" "$work/window.png" 2>/dev/null && echo "smoke-window: screenshot $work/window.png"

# The close request asks first; "Yes" ends the program with exit code 0.
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 0.3
xdotool key alt+F4
box=""
for _ in $(seq 1 50); do
  box=$(windows_named "$title" | grep -v -x "$main" | head -1)
  [ -n "$box" ] && break
  sleep 0.2
done
[ -n "$box" ] || fail "closing the window asked no confirmation"
sleep 0.5
import -window "$box" "$work/close-box.png" 2>/dev/null
xdotool key y
for _ in $(seq 1 100); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$game_pid" 2>/dev/null && fail "the game was still running 20 s after the close was confirmed"
wait "$game_pid"
code=$?
[ "$code" -eq 0 ] || fail "the game ended with exit code $code"
wineserver -w
echo "smoke-window: passed"
