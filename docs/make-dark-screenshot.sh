#!/usr/bin/env bash
# Takes the screenshot of the window under a dark desktop colour scheme for the documentation:
# the calculator on a private Xvfb display, with LMP-based dating chosen and an EDD calculated,
# so that chosen, unchosen and unavailable options show together. The dark scheme is a KDE
# colour scheme in kdeglobals, which the toolkit's own KDE desktop support reads.
#   docs/make-dark-screenshot.sh BUILD_DIR    (needs xvfb, xdotool and imagemagick)
set -euo pipefail
cd "$(dirname "$0")"

quorvel=$(realpath "$1/window/quorvel")
readonly width=640 height=367 settle_seconds=2
readonly lmpOption="50 42" calcEddButton="560 258" # centres, in pixels from the window's corner
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# The dark colours of the desktop: window, buttons, views, selection and tooltips.
cat >"$scratch/kdeglobals" <<'SCHEME'
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=239,240,241
[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=27,30,32
ForegroundNormal=239,240,241
[Colors:Window]
BackgroundNormal=42,46,50
ForegroundNormal=239,240,241
SCHEME

Xvfb -displayfd 3 -screen 0 1400x800x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
while [ ! -s "$scratch/display" ]; do sleep 0.1; done
export DISPLAY=":$(head -n1 "$scratch/display")" QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$scratch" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5

"$quorvel" 2>/dev/null &
pids+=($!)
sleep "$settle_seconds"
# shellcheck disable=SC2086 # the coordinates are two words
xdotool mousemove $lmpOption click 1
sleep "$settle_seconds"
# shellcheck disable=SC2086
xdotool mousemove $calcEddButton click 1
sleep "$settle_seconds"
# With no window manager the window sits at the top left, undecorated.
import -window root -crop ${width}x${height}+0+0 +repage window-dark.png
