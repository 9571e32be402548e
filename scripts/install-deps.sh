#!/usr/bin/env bash
# Installs, from Debian's own packages, whatever of the build and test dependencies is missing.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev           # Qt 6 Widgets, Gui, Core and Test
    libglib2.0-dev         # GIO: the desktop's MIME associations for the web link
    fonts-liberation2      # the narrow sans-serif the window is laid out for
    xvfb xauth imagemagick # a real display and screenshots for the look checks
    desktop-file-utils appstream # checks of the desktop entry and the AppStream metainfo
    dpkg-dev file          # the Debian package: dpkg-shlibdeps finds its library dependencies
    at-spi2-core python3-pyatspi dbus # the assistive-technology interface and its test
    orca speech-dispatcher # the screen reader whose speech the Orca test reads
    xdotool                # key presses for the screenshots in docs/
    clang-14 libclang-rt-14-dev # libFuzzer and the sanitizer runtimes for the fuzz targets
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
