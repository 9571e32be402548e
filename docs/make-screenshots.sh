#!/usr/bin/env bash
# Takes the screenshots of the window at 100 % and 200 % screen scaling for the documentation:
# the calculator on a private Xvfb display, Enter pressed once to show an EDD.
#   docs/make-screenshots.sh BUILD_DIR    (needs xvfb, xdotool and imagemagick)
set -euo pipefail
build=$(realpath "$1")
cd "$(dirname "$0")"

# shellcheck source-path=SCRIPTDIR source=xvfb-session.sh
source ./xvfb-session.sh "$build"

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
