#!/usr/bin/env bash
# Takes the screenshots of the window at 100 % and 200 % screen scaling for the documentation:
# the calculator on a private Xvfb display, Enter pressed once to show an EDD.
#   docs/make-screenshots.sh BUILD_DIR    (needs xvfb, xdotool and imagemagick)
set -euo pipefail
cd "$(dirname "$0")"

quorvel=$(realpath "$1/window/quorvel")
readonly width=640 height=367 settle_seconds=2
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1400x800x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
while [ ! -s "$scratch/display" ]; do sleep 0.1; done
export DISPLAY=":$(head -n1 "$scratch/display")" QT_QPA_PLATFORM=xcb

for scale in 1 2; do
    QT_SCALE_FACTOR=$scale "$quorvel" 2>/dev/null &
    app=$!
    sleep "$settle_seconds"
    # With no window manager nothing gives the window the keyboard; give it, then press Enter.
    xdotool search --sync --pid "$app" --class Quorvel windowfocus --sync key Return
    sleep "$settle_seconds"
    # With no window manager the window sits at the top left, undecorated.
    import -window root -crop $((width * scale))x$((height * scale))+0+0 +repage \
        "window-$((scale * 100)).png"
    kill "$app"
    wait "$app" 2>/dev/null || true
done
