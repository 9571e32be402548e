#!/usr/bin/env bash
# Takes the screenshot of the window under a dark desktop colour scheme for the documentation:
# the calculator on a private Xvfb display, with LMP-based dating chosen and an EDD calculated,
# so that chosen, unchosen and unavailable options show together. The dark scheme is a KDE
# colour scheme in kdeglobals, which the toolkit's own KDE desktop support reads.
#   docs/make-dark-screenshot.sh BUILD_DIR    (needs xvfb, xdotool and imagemagick)
set -euo pipefail
build=$(realpath "$1")
cd "$(dirname "$0")"

# shellcheck source-path=SCRIPTDIR source=xvfb-session.sh
source ./xvfb-session.sh "$build"
readonly lmpOption="50 42" calcEddButton="560 258" # centres, in pixels from the window's corner

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
