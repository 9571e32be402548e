#!/usr/bin/env bash
# Installs, from Debian's own packages, whatever of the build and test dependencies is missing.
#   scripts/install-deps.sh           what building and testing on Linux needs
#   scripts/install-deps.sh windows   what scripts/windows-check.sh needs: the build and its tests
#   scripts/install-deps.sh windows-qt  what scripts/build-qt-windows.sh needs to build Qt
#   scripts/install-deps.sh windows-package  what scripts/windows-package.sh needs
#   scripts/install-deps.sh format    what scripts/format.sh needs
set -euo pipefail

linux_packages=(
    cmake g++ make
    qt6-base-dev           # Qt 6 Widgets, Gui, Core and Test
    libglib2.0-dev         # GIO: the desktop's MIME associations for the web link
    fonts-liberation2      # the narrow sans-serif the window is laid out for
    xvfb xauth imagemagick # a real display and screenshots for the look checks
    librsvg2-bin           # rsvg-convert renders the application icon's drawings to PNG
    desktop-file-utils appstream # checks of the desktop entry and the AppStream metainfo
    dpkg-dev debhelper file # the Debian package, built by dpkg-buildpackage and debhelper
    pkgconf dbus-daemon    # the rest of its build dependencies (debian/control)
    lintian devscripts     # Debian's policy checks of the package, and hardening-check
    reprotest disorderfs faketime diffoscope-minimal # two builds of the package compared
    at-spi2-core python3-pyatspi dbus # the assistive-technology interface and its test
    orca speech-dispatcher # the screen reader whose speech the Orca test reads
    xdotool                # key presses for the screenshots in docs/
    clang-14 libclang-rt-14-dev # libFuzzer and the sanitizer runtimes for the fuzz targets
    clang-format-15        # the C++ style check (scripts/format.sh)
)
windows_qt_packages=(
    cmake ninja-build
    g++-mingw-w64-x86-64-posix # the cross compiler Qt is built with
    qt6-base-dev-tools         # Debian's moc, rcc and uic serve the cross build as host tools
    dpkg-dev                   # unpacks Debian's qt6-base source package
)
windows_package_packages=(
    "${windows_qt_packages[@]}"
    qt6-base-dev    # Qt's host tools' CMake files, which the cross build of the program loads
    librsvg2-bin    # rsvg-convert draws the icon
    imagemagick     # writes the logo's raw pixels and packs the Windows icon file
    wixl unzip      # the MSI, made from the zip's files
    strip-nondeterminism python3-olefile # the zip's and the MSI's times and identities fixed
    python3         # gathers the notices of the code bundled into Qt
    osslsigncode    # signs the programs, libraries and the MSI when a certificate is given
)
windows_packages=(
    "${windows_package_packages[@]}"
    wine64                     # runs the tests of the Windows build
    xvfb xauth                 # a private display for Wine's windows
    fonts-liberation2          # Arial's metric twin, which the window is laid out in under Wine
    openssl osslsigncode       # a throw-away certificate to sign with, and the signatures checked
    msitools unzip             # the MSI installed, upgraded and removed
    xdotool imagemagick        # the program used from its zip: clicks and screenshots
    tesseract-ocr              # reads the window's texts off the screen
)
format_packages=(
    clang-format-15 # InsertBraces needs 15; Debian's default clang-format is 14
)

case "${1:-linux}" in
linux) packages=("${linux_packages[@]}") ;;
windows) packages=("${windows_packages[@]}") ;;
windows-qt) packages=("${windows_qt_packages[@]}") ;;
windows-package) packages=("${windows_package_packages[@]}") ;;
format) packages=("${format_packages[@]}") ;;
*)
    echo "usage: $0 [linux|windows|windows-qt|windows-package|format]" >&2
    exit 2
    ;;
esac

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
