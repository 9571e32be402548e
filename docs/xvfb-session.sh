# shellcheck shell=bash disable=SC2034 # the variables are for the scripts that source this
# Sourced by the screenshot scripts, with the absolute build folder as its argument: the
# program's path, the window's size, a scratch folder, and a private Xvfb display that the
# calling script's exit takes down with every process it adds to pids.
quorvel=$1/window/quorvel
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
DISPLAY=":$(head -n1 "$scratch/display")"
export DISPLAY QT_QPA_PLATFORM=xcb
