#!/usr/bin/env bash
# Shows the application icon at the small sizes desktops use, for the documentation: at 16
# pixels in a menu row, at 24 in a dark task bar and at 32 in a window switcher, each at its
# real size, and below them the same renderings enlarged pixel for pixel.
#   docs/make-icon-sizes.sh BUILD_DIR    (needs imagemagick and the Liberation fonts)
set -euo pipefail
cd "$(dirname "$0")"

icons=$(realpath "$1/assets/icons")
readonly zoom=6 light='#f6f5f4' dark='#2e3436' desktop='#5d7b8a'
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# row WIDTH HEIGHT BACKGROUND TEXT-COLOUR SIZE FILE: an icon and the program's name, as a
# desktop lays them out.
row() {
    convert -size "$1x$2" "xc:$3" "$icons/icon-$5.png" -geometry "+6+$((($2 - $5) / 2))" \
        -composite -font Liberation-Sans -pointsize 12 -fill "$4" -gravity west \
        -annotate "+$((12 + $5))+0" Quorvel "$6"
}
row 180 24 "$light" '#2e3436' 16 "$scratch/menu.png"
row 180 32 "$dark" '#ffffff' 24 "$scratch/taskbar.png"
row 180 44 "$light" '#2e3436' 32 "$scratch/switcher.png"
convert -background "$desktop" "$scratch/menu.png" "$scratch/taskbar.png" "$scratch/switcher.png" \
    -splice 0x8 -append -bordercolor "$desktop" -border 8 "$scratch/real.png"

for size in 16 24 32; do
    convert "$icons/icon-$size.png" -scale "$((zoom * 100))%" -background "$light" -flatten \
        -bordercolor "$desktop" -border 8 "$scratch/zoom-$size.png"
done
convert -background "$desktop" -gravity south "$scratch/real.png" "$scratch"/zoom-{16,24,32}.png \
    +append +repage -depth 8 -strip icon-sizes.png
