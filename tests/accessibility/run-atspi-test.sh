#!/usr/bin/env bash
# Runs the calculator on a private X display and D-Bus session with its AT-SPI bridge on, and
# reads it with a Python script through AT-SPI; with --orca, the Orca screen reader runs too,
# with its debug log in ORCA_LOG, and every utterance that reaches the speech synthesizer is
# written, one a line, to SPOKEN_LOG. Every process it starts ends with it, also on a time-out.
#   run-atspi-test.sh [--orca] QUORVEL_EXECUTABLE SCRIPT
# Exits 77 (a skipped test) when Orca is wanted but cannot start.
set -euo pipefail

# Limits only: every wait ends as soon as what it waits for has happened, and a busy machine
# (a compile beside the test) makes each step many times slower than on an idle one.
readonly check_seconds=360
readonly display_wait_tenths=300
readonly orca_wait_tenths=600
readonly stop_wait_tenths=50
readonly skipped=77

if [ "${1:-}" = --in-session ]; then
    pids=()
    stop() {
        for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
        # Orca does not always heed a plain kill: whatever is still running after a while is
        # killed outright.
        for ((i = 0; i < stop_wait_tenths; i++)); do
            running=0
            for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && running=1; done
            [ $running -eq 0 ] && break
            sleep 0.1
        done
        for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
    }
    trap stop EXIT
    if [ -n "${ORCA_LOG:-}" ]; then
        # The speech server Orca talks to, with a synthesizer that says nothing: Orca then
        # speaks through its ordinary path rather than waiting on one it cannot start.
        speech-dispatcher --run-single --timeout 0 -C "$SPEECHD_CONFIG" >"$ORCA_LOG.speechd" 2>&1 &
        pids+=($!)
        for ((i = 0; i < orca_wait_tenths; i++)); do
            [ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ] && break
            sleep 0.1
        done
        # Never --replace: that would end every other Orca of this user on the machine.
        orca --debug-file "$ORCA_LOG" >"$ORCA_LOG.out" 2>&1 &
        pids+=($!)
        for ((i = 0; i < orca_wait_tenths; i++)); do
            [ -s "$SPOKEN_LOG" ] && break
            kill -0 "${pids[1]}" 2>/dev/null || break
            sleep 0.1
        done
        if [ ! -s "$SPOKEN_LOG" ]; then
            echo "SKIP: Orca did not start:" >&2
            cat "$ORCA_LOG.speechd" "$ORCA_LOG.out" >&2
            exit "$skipped"
        fi
    fi
    "$2" &
    pids+=($!)
    # Without a window manager nothing gives the window the focus that Orca follows.
    if [ -n "${ORCA_LOG:-}" ]; then
        xdotool search --sync --name '^Quorvel$' windowfocus --sync
    fi
    # Debian's own interpreter: pyatspi is installed for it, not for any other python3 on PATH.
    timeout --kill-after=5 "$check_seconds" /usr/bin/python3 "$3"
    exit
fi

with_orca=
if [ "${1:-}" = --orca ]; then
    with_orca=1
    shift
    if ! command -v orca >/dev/null; then
        echo "SKIP: Orca is not installed (scripts/install-deps.sh installs it)" >&2
        exit "$skipped"
    fi
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
if [ -n "$with_orca" ]; then
    # Orca keeps its settings under HOME; a fresh one gives its defaults.
    mkdir "$scratch/home"
    export HOME="$scratch/home" ORCA_LOG="$scratch/orca.log" SPEECHD_CONFIG="$scratch/speechd"
    # Audio goes to libao's null device; the synthesizer writes down what it is given to say
    # (Orca's debug log is written in blocks, too late to wait on).
    export SPOKEN_LOG="$scratch/spoken.log"
    echo "default_driver=null" >"$HOME/.libao"
    mkdir -p "$SPEECHD_CONFIG/modules"
    printf '%s\n' 'AudioOutputMethod "libao"' 'AddModule "silent" "sd_generic" "silent.conf"' \
        'DefaultModule silent' >"$SPEECHD_CONFIG/speechd.conf"
    printf '%s\n' "GenericExecuteSynth \"echo \\'\$DATA\\' >>$SPOKEN_LOG\"" \
        'AddVoice "en" "MALE1" "silent"' 'DefaultVoice "silent"' >"$SPEECHD_CONFIG/modules/silent.conf"
fi
# timeout signals its whole process group: the session bus, the AT-SPI bus and the program.
# Besides the check: the speech server's and Orca's starts, and the rest of the session's.
timeout --kill-after=5 $((check_seconds + 2 * orca_wait_tenths / 10 + 30)) \
    dbus-run-session -- bash "$0" --in-session "$quorvel" "$script"
