#!/usr/bin/env bash
# Runs a command with an X display: the caller's own, or a private Xvfb started and stopped here.
#
# ORNEL_SCREEN=WxHxD asks for a screen of that size: the caller's display is used only when it
# has that size, otherwise a private Xvfb of that size is started (default 1280x1024x24).
#
# ORNEL_MONITORS=N (2 or more) asks for N monitors of that size side by side, the left one the
# main one: always a private Xvfb, one screen N times as wide, cut into N monitors with RandR
# (the monitor list that Xinerama clients read; `xdpyinfo -ext XINERAMA` lists them as heads).
# Xvfb cannot do it with one -screen option per monitor: with +xinerama it stacks them all at
# 0,0. Wine reads these monitors only when told to ask Xinerama ("UseXRandR"="N" in its X11
# Driver key); through RandR it sees one output as wide as the screen.
set -u

screen=${ORNEL_SCREEN:-}
monitors=${ORNEL_MONITORS:-}
case "$monitors" in
  "" | 1) monitors="" ;;
  [2-9]) ;;
  *) echo "with-display: ORNEL_MONITORS is '$monitors'; it takes a number of monitors from 1 to 9" >&2; exit 2 ;;
esac

# The size "WxH" of the current display, empty when there is none.
display_size() {
  xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p' | head -1
}

if [ -z "$monitors" ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  if [ -z "$screen" ] || [ "$(display_size)" = "${screen%x*}" ]; then
    exec "$@"
  fi
fi
[ -n "$screen" ] || screen=1280x1024x24
monitor_w=${screen%%x*}
monitor_h=${screen#*x}
monitor_h=${monitor_h%%x*}
xvfb_args=(-screen 0 "$screen")
# The monitors are lost when the server resets, which it does whenever its last client leaves.
[ -z "$monitors" ] || xvfb_args=(-screen 0 "$((monitors * monitor_w))x${screen#*x}" -noreset)

# Lowest free display number from 90 up (a lock file marks a display in use). Two runs may
# pick the same number at once: the loser's Xvfb ends at once, and it tries the next number.
n=90
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 1 20); do
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" "${xvfb_args[@]}" -nolisten tcp >/dev/null 2>&1 &
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

# cut_into_monitors: the screen cut into $monitors RandR monitors of $monitor_w x $monitor_h, side
# by side; the first one takes the screen's one output and is the main monitor. A small program
# built here with the C compiler: no X development files are needed, only the libraries that
# xdotool and xdpyinfo already bring.
cut_into_monitors() {
  local dir status=0
  dir=$(mktemp -d) || return 1
  cat >"$dir/monitors.c" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
/* The few libX11 and libXrandr declarations used (their headers need not be installed). */
typedef struct {
    unsigned long name;
    int primary, automatic, noutput, x, y, width, height, mwidth, mheight;
    unsigned long* outputs;
} Monitor;
typedef struct {
    unsigned long timestamp, configTimestamp;
    int ncrtc;
    unsigned long* crtcs;
    int noutput;
    unsigned long* outputs;
} Resources;
void* XOpenDisplay(const char*);
unsigned long XDefaultRootWindow(void*);
unsigned long XInternAtom(void*, const char*, int);
int XSync(void*, int);
int XCloseDisplay(void*);
Resources* XRRGetScreenResources(void*, unsigned long);
Monitor* XRRAllocateMonitor(void*, int);
void XRRSetMonitor(void*, unsigned long, Monitor*);
int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const int count = atoi(argv[1]), width = atoi(argv[2]), height = atoi(argv[3]);
    void* display = XOpenDisplay(NULL);
    if (!display) return 1;
    const unsigned long root = XDefaultRootWindow(display);
    Resources* resources = XRRGetScreenResources(display, root);
    if (!resources || resources->noutput < 1) return 1;
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "MONITOR-%d", i + 1);
        Monitor* m = XRRAllocateMonitor(display, i == 0 ? 1 : 0);
        if (!m) return 1;
        m->name = XInternAtom(display, name, 0);
        m->primary = i == 0;
        m->x = i * width;
        m->y = 0;
        m->width = width;
        m->height = height;
        m->mwidth = width * 254 / 960; /* 96 pixels per inch */
        m->mheight = height * 254 / 960;
        if (i == 0) m->outputs[0] = resources->outputs[0];
        XRRSetMonitor(display, root, m);
    }
    XSync(display, 0);
    XCloseDisplay(display);
    return 0;
}
EOF
  cc -o "$dir/monitors" "$dir/monitors.c" -l:libXrandr.so.2 -l:libX11.so.6 2>"$dir/cc.log" &&
    "$dir/monitors" "$monitors" "$monitor_w" "$monitor_h" || status=1
  [ "$status" -eq 0 ] || cat "$dir/cc.log" >&2
  rm -rf "$dir"
  return "$status"
}

# heads: the Xinerama heads of the display, one "WxH @ X,Y" per line.
heads() {
  xdpyinfo -ext XINERAMA 2>/dev/null | sed -n 's/^ *head #[0-9]*: *//p'
}

if [ -n "$monitors" ]; then
  want=$(for i in $(seq 0 $((monitors - 1))); do echo "${monitor_w}x${monitor_h} @ $((i * monitor_w)),0"; done)
  if ! cut_into_monitors || [ "$(heads)" != "$want" ]; then
    echo "with-display: the screen $DISPLAY could not be cut into $monitors monitors; its heads: $(heads | tr '\n' ';')" >&2
    exit 1
  fi
fi

"$@"
