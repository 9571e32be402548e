#!/usr/bin/env bash
# The session the Windows build's tests run in under Wine, as CTest's fixture makes and ends it:
# a throw-away prefix set up as a Windows desktop is for the window (Arial, which it is laid out
# in, by its metric twin from fonts-liberation2), and a private X display for Wine's windows.
#   wine-session.sh start DIR            make DIR/prefix, start Xvfb (display number in
#                                        DIR/display) and the prefix's wine server
#   wine-session.sh run DIR PROGRAM...   run a Windows program in it; what it prints is passed
#                                        on when it ends
#   wine-session.sh stop DIR             end them and remove DIR
set -euo pipefail
readonly wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
readonly screen=1600x1000x24 display_wait_tenths=300
[ $# -ge 2 ] || { echo "usage: $0 start|run|stop DIR [PROGRAM...]" >&2; exit 2; }
action=$1
dir=$(realpath -m "$2")
# No Mono or Gecko, and no menu entries or file associations reaching the host.
export WINEPREFIX=$dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

case $action in
start)
    "$0" stop "$dir"
    mkdir -p "$dir"
    # Xvfb and the wine server outlive this script, until stop; neither holds its output, which
    # CTest would wait on.
    setsid Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$dir/display" \
        </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for ((i = 0; i < display_wait_tenths; i++)); do
        [ -s "$dir/display" ] && break
        sleep 0.1
    done
    [ -s "$dir/display" ] || { echo "Xvfb gave no display" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$dir/display")"
    {
        "$wineserver" --persistent
        "$wine" wineboot --init
        "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f
        # Wine keeps the windows itself, as Windows does: left to a window manager, where there
        # is none, each closing window would wait two seconds for one to answer.
        "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    } </dev/null >"$dir/wine.log" 2>&1 || { cat "$dir/wine.log" >&2; exit 1; }
    ;;
run)
    export DISPLAY=":$(head -n 1 "$dir/display")"
    # Wine's helper processes may outlive the program: they get a file, not CTest's pipe.
    output=$(mktemp "$dir/output.XXXXXX")
    trap 'cat "$output"; rm -f "$output"' EXIT
    "$wine" "${@:3}" </dev/null >"$output" 2>&1
    ;;
stop)
    if [ -d "$WINEPREFIX" ]; then
        "$wineserver" -k 2>/dev/null || true
    fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    fi
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|run|stop DIR [PROGRAM...]" >&2
    exit 2
    ;;
esac
