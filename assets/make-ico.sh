#!/usr/bin/env bash
# Packs the application icon, as the build renders it, into quorvel.ico beside this script for
# the Windows program: one image for each size Windows asks for, from 16 to 256 pixels.
#   assets/make-ico.sh BUILD_DIR    (needs imagemagick)
set -euo pipefail
cd "$(dirname "$0")"

icons=$(realpath "$1/assets/icons")
convert "$icons"/icon-{16,24,32,48,64,128,256}.png -strip quorvel.ico
