#!/usr/bin/env bash
# Runs the calculator on a private X display and D-Bus session with its AT-SPI bridge on, and
# reads it with atspi_tree.py. Every process it starts ends with it, also on a time-out.
#   run-atspi-test.sh QUORVEL_EXECUTABLE ATSPI_SCRIPT
set -euo pipefail

readonly check_seconds=60
readonly display_wait_tenths=100

if [ "${1:-}" = --in-session ]; then
    "$2" &
    app=$!
    trap 'kill "$app" 2>/dev/null || true; wait "$app" 2>/dev/null || true' EXIT
    # Debian's own interpreter: pyatspi is installed for it, not for any other python3 on PATH.
    timeout --kill-after=5 "$check_seconds" /usr/bin/python3 "$3"
    exit
fi

quorvel=$(realpath "$1")
script=$(realpath "$2")
scratch=$(mktemp -d)
xvfb=
cleanup() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
for ((i = 0; i < display_wait_tenths; i++)); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
if [ ! -s "$scratch/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
fi

mkdir -m 700 "$scratch/runtime"
export DISPLAY=":$(head -n1 "$scratch/display")"
export XDG_RUNTIME_DIR="$scratch/runtime"
export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# timeout signals its whole process group: the session bus, the AT-SPI bus and the program.
timeout --kill-after=5 $((check_seconds + 20)) \
    dbus-run-session -- bash "$0" --in-session "$quorvel" "$script"
