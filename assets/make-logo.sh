#!/usr/bin/env bash
# Draws the Quorvel logo with ImageMagick at 253 x 244 pixels (and twice that), then scales it
# with Qt to the size of its place in the window: logo.png at 188 x 167 pixels and logo@2x.png
# at 376 x 334 for screens scaled to 200 %. Both PNGs beside this script are its output.
set -euo pipefail
cd "$(dirname "$0")"

readonly width=253 height=244
readonly placed_width=188 placed_height=167
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2046 # pkg-config's flags are words
g++ -std=c++17 -fPIC scalelogo.cpp -o "$work/scalelogo" $(pkg-config --cflags --libs Qt6Gui)

# draw SCALE FILE: the same drawing, every length multiplied by SCALE.
draw() {
    local k=$1
    convert -size $((width * k))x$((height * k)) gradient:'#f4f1fb'-'#dfe9f3' \
        -affine "$k,0,0,$k,0,0" \
        -fill '#2a7f8f' -draw 'circle 126,96 126,18' \
        -fill '#ffffff' -draw 'roundrectangle 82,52 170,140 8,8' \
        -fill '#c0392b' -draw 'roundrectangle 82,52 170,74 8,8' -draw 'rectangle 82,66 170,74' \
        -fill '#ffffff' -draw 'circle 104,58 104,54' -draw 'circle 148,58 148,54' \
        -fill '#2a7f8f' \
        -draw 'circle 98,88 98,84'  -draw 'circle 115,88 115,84' -draw 'circle 132,88 132,84' \
        -draw 'circle 149,88 149,84' -draw 'circle 98,104 98,100' -draw 'circle 115,104 115,100' \
        -draw 'circle 149,104 149,100' -draw 'circle 98,120 98,116' -draw 'circle 115,120 115,116' \
        -draw 'circle 132,120 132,116' \
        -fill '#c0392b' -draw 'circle 132,104 132,98' \
        -fill none -stroke '#2a7f8f' -strokewidth 3 -draw 'arc 40,150 212,176 0,180' \
        +affine -stroke none -fill '#1d5c68' -font Liberation-Sans-Bold -pointsize $((34 * k)) \
        -gravity south -annotate +0+$((22 * k)) 'Quorvel' \
        -fill '#5a7d86' -font Liberation-Sans -pointsize $((12 * k)) \
        -annotate +0+$((8 * k)) 'pregnancy dating' \
        -depth 8 "$2"
}

draw 1 "$work/drawn.png"
draw 2 "$work/drawn@2x.png"
"$work/scalelogo" "$work/drawn.png" logo.png $placed_width $placed_height
"$work/scalelogo" "$work/drawn@2x.png" logo@2x.png $((placed_width * 2)) $((placed_height * 2))
# Re-encoded with every row filtered against its left neighbour: the same pixels, decoded in
# about two thirds of the work Qt's own choice of filters takes. The build writes logo.png out
# as raw pixels; logo@2x.png is decoded at start-up on screens scaled to 200 %.
for logo in logo.png logo@2x.png; do
    convert "$logo" -strip -define png:compression-filter=1 -define png:compression-level=9 \
        "$work/filtered.png"
    mv "$work/filtered.png" "$logo"
done
