#!/usr/bin/env bash
# Uses the Windows program as a Windows user would, under Wine: unpacks the portable zip into a
# fresh folder, starts quorvel.exe in a fresh Wine prefix on a private Xvfb display, reads the
# window off the screen (tesseract), dates a pregnancy from the last menstrual period by
# clicking, and clicks the link with no browser registered, then with a logging program
# registered as the browser for https addresses, then for .htm files alone. Every wait polls for
# what it waits for, within a limit. Fails when any step does.
#   tests/windows/program-check.sh ZIP LOGGER   (SHOTS_DIR: where to keep the screenshots)
#   tests/windows/program-check.sh FOLDER LOGGER   the program installed in FOLDER instead
# LOGGER is tests/windows/urllogger.exe of the Qt-free cross build: it writes the arguments it
# is started with to the file QUORVEL_URL_LOG names.
set -euo pipefail
cd "$(dirname "$0")/../.."
package=$(realpath "$1")
logger=$(realpath "$2")

scripts/install-deps.sh windows >&2

readonly wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
readonly xvfb_timeout=30 window_timeout=120 answer_timeout=60 poll_interval=0.5
readonly ocr_scale=2 dpi=192 scale=2
readonly screen_width=1600 screen_height=1000
# The start-up arrangement with "LMP-based" chosen is 1 January 2000, whose EDD is 280 days on.
readonly expected_edd="7 October 2000"
# The EDD result's own area in the window, in pixels at 100 % (left top width height): the
# inside of the result field in the EDD frame, without its border.
readonly edd_area=(58 326 125 13)
readonly site=https://www.quorvel.org/
# A browser registered as browsers are, with a switch before the address.
readonly browser_dir='C:\Program Files\My Browser'
readonly browser_command="\"$browser_dir\\browser.exe\" --new-window \"%1\""
# Captions from every corner of the window: seeing them all means the whole window is drawn.
readonly captions=("Mode" "Scan data" "Measurement" "Calculate EDD" "Cancel and RESTART"
    "www.quorvel.org")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-wine-program.XXXXXX")
shots=${SHOTS_DIR:-$scratch/shots}
mkdir -p "$shots"
pids=()
cleanup() {
    WINEPREFIX=$scratch/prefix "$wineserver" -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
# Ended from outside (CTest's time limit), it still cleans up.
trap 'exit 143' TERM INT

work=$scratch
source tests/windows/checks.sh

# wait_for LIMIT COMMAND...: runs COMMAND until it succeeds, for at most LIMIT seconds.
wait_for() {
    local deadline=$((SECONDS + $1))
    until "${@:2}"; do
        [ $SECONDS -lt "$deadline" ] || return 1
        sleep "$poll_interval"
    done
}

Xvfb -displayfd 3 -screen 0 ${screen_width}x${screen_height}x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
if ! wait_for "$xvfb_timeout" test -s "$scratch/display"; then
    echo "FAIL: Xvfb gives no display within $xvfb_timeout s"
    exit 1
fi
export DISPLAY=":$(head -n1 "$scratch/display")"
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Where the logging browser writes its arguments, as Windows and as Debian name it.
export QUORVEL_URL_LOG='C:\url.log'
url_log=$WINEPREFIX/drive_c/url.log

echo "== A fresh Wine prefix, with no program registered for web pages or web addresses =="
"$wine" wineboot --init >/dev/null 2>&1
for root in 'HKLM\Software\Classes' 'HKCU\Software\Classes'; do
    for key in .htm .html .shtml .xhtml htmlfile xhtmlfile http https; do
        "$wine" reg delete "$root\\$key" /f >/dev/null 2>&1 || true
    done
done

# Windows has Arial, which the window is laid out in; Wine has none, so its metric twin, which
# Debian's fonts-liberation2 brings, stands in for it as it would on a Windows desktop.
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
# At 200 % scaling, which the program declares it handles on each monitor: its texts are then
# large enough to be read reliably off the screen.
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
# The logging program, installed as a browser would be; registered only where a check says.
mkdir -p "$WINEPREFIX/drive_c/Program Files/My Browser"
cp "$logger" "$WINEPREFIX/drive_c/Program Files/My Browser/browser.exe"

echo "== Unpack the zip (unless installed) and start quorvel.exe =="
if [ -d "$package" ]; then
    program=$package/quorvel.exe
else
    mkdir "$scratch/unpacked"
    (cd "$scratch/unpacked" && unzip -q "$package")
    program=$(find "$scratch/unpacked" -name quorvel.exe | head -n 1)
fi
check "the package holds quorvel.exe" test -f "$program"
(cd "$(dirname "$program")" && exec "$wine" quorvel.exe >"$scratch/program.log" 2>&1) &
pids+=($!)
disown # ended with the prefix's wineserver, unannounced

# window_id TITLE: the first mapped window with exactly this title, waiting for it.
window_id() {
    local deadline=$((SECONDS + $2)) id
    while [ $SECONDS -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.5
    done
    return 1
}

# shoot NAME WINDOW: a screenshot of WINDOW's area of the screen as NAME.png, and its words
# with their places (in screen pixels) as NAME.words: left top width height text. Tesseract
# reads a whole window's many small framed texts badly, so it also reads nine overlapping
# quarters of it, each on its own.
shoot() {
    local x y w h tx ty tw th
    eval "$(xdotool getwindowgeometry --shell "$2" | sed 's/^/local /')"
    x=$X y=$Y w=$WIDTH h=$HEIGHT
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$1.png"
    : >"$shots/$1.words"
    tw=$((w / 2)) th=$((h / 2))
    for tile in "$w $h 0 0" \
        "$tw $th 0 0" "$tw $th $((w / 4)) 0" "$tw $th $((w / 2)) 0" \
        "$tw $th 0 $((h / 4))" "$tw $th $((w / 4)) $((h / 4))" "$tw $th $((w / 2)) $((h / 4))" \
        "$tw $th 0 $((h / 2))" "$tw $th $((w / 4)) $((h / 2))" "$tw $th $((w / 2)) $((h / 2))"; do
        read -r tw th tx ty <<<"$tile"
        # Two readings: enlarged in grey, and black on white at its size, which frames and
        # coloured text disturb less.
        for reading in "-filter Lanczos -resize $((ocr_scale * 100))% -colorspace Gray" \
            "-colorspace Gray -threshold 60%"; do
            # shellcheck disable=SC2086 # the reading's options, word by word
            convert "$shots/$1.png" -crop "${tw}x${th}+${tx}+${ty}" +repage $reading "$scratch/ocr.png"
            tesseract "$scratch/ocr.png" - --psm 11 tsv 2>/dev/null |
                awk -F'\t' -v s="$(identify -format %w "$scratch/ocr.png")" -v tw="$tw" \
                    -v x="$((x + tx))" -v y="$((y + ty))" \
                    'NR > 1 && $12 != "" { f = tw / s; printf "%d %d %d %d %s\n", x + $7 * f, y + $8 * f, $9 * f, $10 * f, $12 }' \
                    >>"$shots/$1.words"
        done
        tw=$((w / 2)) th=$((h / 2))
    done
}

# find_text NAME TEXT: the screen point at the middle of TEXT's words in screenshot NAME.
find_text() {
    awk -v text="$2" '
        { left[NR] = $1; top[NR] = $2; width[NR] = $3; height[NR] = $4; word[NR] = $5 }
        END {
            n = split(text, want, " ")
            for (i = 1; i + n - 1 <= NR; i++) {
                ok = 1
                for (j = 1; j <= n; j++) if (word[i + j - 1] != want[j]) { ok = 0; break }
                if (ok) {
                    last = i + n - 1
                    printf "%d %d\n", (left[i] + left[last] + width[last]) / 2, top[i] + height[i] / 2
                    exit 0
                }
            }
            exit 1
        }' "$shots/$1.words"
}

shows() { find_text "$1" "$2" >/dev/null; }

click_text() { # click_text NAME TEXT
    local point
    point=$(find_text "$1" "$2") || return 1
    # shellcheck disable=SC2086 # x and y, two words
    xdotool mousemove --sync $point click 1
}

# read_area NAME LEFT TOP WIDTH HEIGHT: the text tesseract reads, on one line, in the area of
# screenshot NAME given in window pixels at 100 %.
read_area() {
    convert "$shots/$1.png" -crop "$(($4 * scale))x$(($5 * scale))+$(($2 * scale))+$(($3 * scale))" \
        +repage -filter Lanczos -resize $((ocr_scale * 100))% -colorspace Gray "$scratch/area.png"
    tesseract "$scratch/area.png" - --psm 7 2>/dev/null | tr '\n\f' '  ' | tr -s ' ' | sed 's/^ //; s/ $//'
}

shows_all() { # shows_all NAME WINDOW CAPTION...: a new screenshot shows every CAPTION
    local caption
    shoot "$1" "$2"
    for caption in "${@:3}"; do shows "$1" "$caption" || return 1; done
}

edd_reads() { # edd_reads NAME WINDOW TEXT: a new screenshot's EDD area reads TEXT
    shoot "$1" "$2"
    [ "$(read_area "$1" "${edd_area[@]}")" = "$3" ]
}

gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
no_message() { gone "Browser Not Found" && gone "URL Failed"; }

logged() { # logged TEXT: the logging browser has written its arguments, and they are TEXT
    [ -s "$url_log" ] && [ "$(iconv -f UTF-16LE -t UTF-8 "$url_log")" = "$1" ]
}

# register KEY VALUE: a class registration of the whole machine, which is what Wine's
# HKEY_CLASSES_ROOT shows.
register() { "$wine" reg add "HKLM\\Software\\Classes\\$1" /ve /d "$2" /f >/dev/null 2>&1; }
unregister() { "$wine" reg delete "HKLM\\Software\\Classes\\$1" /f >/dev/null 2>&1 || true; }

# link_starts_browser SET-UP: clicks the link and waits for the logging browser.
link_starts_browser() {
    rm -f "$url_log"
    check "the link is clicked ($1)" click_text edd "www.quorvel.org"
    check "$1: the browser gets the address after its switch, as registered" \
        wait_for "$answer_timeout" logged "--new-window
$site"
    check "$1: no message" no_message
}

window=$(window_id Quorvel "$window_timeout") || window=
check "the window opens, titled Quorvel" test -n "$window"
if [ -n "$window" ]; then
    check "the window shows every corner's captions" \
        wait_for "$window_timeout" shows_all start "$window" "${captions[@]}"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    check "the window lies wholly on the screen (${WIDTH}x${HEIGHT} at $X,$Y)" \
        test "$X" -ge 0 -a "$Y" -ge 0 -a $((X + WIDTH)) -le $screen_width -a $((Y + HEIGHT)) -le $screen_height
    for caption in "${captions[@]}"; do
        check "the window shows \"$caption\"" shows start "$caption"
    done
    # The logo: its picture's colours are on the screen at its place, not a blank.
    colours=$(convert "$shots/start.png" -crop $((188 * scale))x$((167 * scale))+$((440 * scale))+$((8 * scale)) \
        +repage -format %k info:)
    check "the window shows the logo ($colours colours where it stands)" test "$colours" -gt 100

    echo "== Date from the last menstrual period =="
    check "\"LMP-based\" is clicked" click_text start "LMP-based"
    check "the LMP date is asked for" wait_for "$answer_timeout" shows_all lmp "$window" "Date of LMP"
    before=$(read_area lmp "${edd_area[@]}")
    check "no EDD is shown before Calculate EDD (the EDD area reads \"$before\")" \
        test "$before" != "$expected_edd"
    check "\"Calculate EDD\" is clicked" click_text lmp "Calculate EDD"
    check "the EDD area then reads $expected_edd" \
        wait_for "$answer_timeout" edd_reads edd "$window" "$expected_edd"

    echo "== The link, with no browser registered =="
    check "the link is clicked" click_text edd "www.quorvel.org"
    message=$(window_id "Browser Not Found" "$answer_timeout") || message=
    check "a message titled \"Browser Not Found\" appears" test -n "$message"
    if [ -n "$message" ]; then
        shoot message "$message"
        check "it says \"Could not find associated Browser\"" \
            shows message "Could not find associated Browser"
        xdotool windowfocus --sync "$message" key Return
        check "the message closes" wait_for "$answer_timeout" gone "Browser Not Found"
    fi
    check "no browser was started" test ! -e "$url_log"

    echo "== The link, with a browser registered for https addresses =="
    register 'https\shell\open\command' "$browser_command"
    link_starts_browser "https"
    unregister https

    echo "== The link, with a browser registered for .htm files alone =="
    register .htm quorvel.test.htm
    register 'quorvel.test.htm\shell\open\command' "$browser_command"
    link_starts_browser ".htm alone"
    xdotool windowclose "$window" 2>/dev/null || true
fi

echo "Screenshots and the words read from them: $shots"
finish
