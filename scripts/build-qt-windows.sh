#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source package, with Debian's MinGW-w64
# and Debian's Qt host tools (moc, rcc, uic), when it is not already built, and prints the folder
# that holds it. Built anywhere, by anyone, the libraries come out the same bytes. The build is
# kept under ~/.cache/quorvel (or $XDG_CACHE_HOME/quorvel), keyed on Debian's full source
# version, the cross compiler's version and this script with its toolchain file, so that a
# security update, a new compiler or a changed option each builds Qt anew.
#   scripts/build-qt-windows.sh                 build when missing, then print the Qt folder
#   scripts/build-qt-windows.sh --key [VERSION] print the cache key, for VERSION of qt6-base if given
# Beside the libraries the folder keeps what the package owes its users: Debian's source package
# as fetched (source/), the configure options and compiler (quorvel-build.cmake), and the list of
# source files compiled into the shipped libraries (compiled-files.txt.gz), from which the
# notices of the bundled third-party code are gathered. Debian's apt configuration is left as it is: the source is
# fetched through a private one.
set -euo pipefail
cd "$(dirname "$0")/.."
project_dir=$PWD
script=$project_dir/scripts/build-qt-windows.sh
toolchain=$project_dir/cmake/mingw-w64-x86_64.cmake
compiler=x86_64-w64-mingw32-g++-posix

# Qt's libraries for the program and its tests, and nothing more: Core, Gui and Widgets with the
# Windows platform plugin, Test for the tests run under Wine (never shipped), the third-party
# libraries bundled, every module and feature they do not use left out (the program paints
# with GDI, so Direct2D's plugin is not built either). The tablet support needs wintab, which
# Debian's +dfsg source lacks.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF -DFEATURE_tabletevent=OFF -DFEATURE_directwrite3=OFF
    -DFEATURE_direct2d=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
    # The link time is left out of the libraries' export tables, so that they rebuild to the
    # same bytes; the packages stamp the header times when they strip them.
    -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-insert-timestamp
    -DCMAKE_MODULE_LINKER_FLAGS=-Wl,--no-insert-timestamp
    -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp
)

# cache_key DEBIAN_VERSION COMPILER_VERSION: the first 12 hex digits naming one Qt build.
cache_key() {
    { printf '%s\n' "qt6-base $1" "$compiler $2" "${qt_options[@]}"; cat "$script" "$toolchain"; } |
        sha256sum | cut -c1-12
}

if [ "${1:-}" != --key ]; then
    scripts/install-deps.sh windows-qt >&2
fi
# qt6-base-dev-tools comes from the same source package as the Qt being built, and must match it.
debian_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || echo unknown)
compiler_version="$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null || echo unknown) \
($($compiler -dumpfullversion 2>/dev/null || echo unknown))"
if [ "${1:-}" = --key ]; then
    cache_key "${2:-$debian_version}" "$compiler_version"
    exit 0
fi

key=$(cache_key "$debian_version" "$compiler_version")
qt_version=${debian_version%%+*}
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel
qt_dir=$cache_root/qt-${debian_version//:/_}-windows-x86_64-$key

if [ -f "$qt_dir/.complete" ]; then
    echo "$qt_dir"
    exit 0
fi

say() { echo "[qt for windows] $*" >&2; }
started=$SECONDS
say "Qt $debian_version for Windows is not built yet; building it into $qt_dir."
say "The first build takes about 15 minutes on two cores; later runs reuse it."

work=$cache_root/qt-${debian_version//:/_}-work-$key
rm -rf "$work"
mkdir -p "$work"

say "Fetching Debian's qt6-base source package $debian_version ..."
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial"
cat >"$apt_dir/sources.list.d/deb-src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_private=(-o APT::Sandbox::User=root -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
    -o Dir::State::Lists="$apt_dir/lists")
apt-get "${apt_private[@]}" update -qq >&2
mkdir -p "$work/source"
(cd "$work/source" && apt-get "${apt_private[@]}" source -qq "qt6-base=$debian_version" >&2)
source_dir=$(find "$work/source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

say "Configuring ..."
# The libraries name their sources (__FILE__) relative to the work folder, not by where this
# home folder keeps it, and what the build stamps with a time (the resources Qt compiles in)
# takes the date of Debian's source package, so that anyone's build of them gives the same bytes.
path_flags="-ffile-prefix-map=$work/="
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Timestamp)
export SOURCE_DATE_EPOCH
cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_C_FLAGS="$path_flags" -DCMAKE_CXX_FLAGS="$path_flags" \
    -DCMAKE_INSTALL_PREFIX="$qt_dir" "${qt_options[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 40 "$work/configure.log" >&2; exit 1; }

say "Compiling (progress as ninja's [done/total]) ..."
# One line in fifty, so that CI's log shows progress without thousands of lines.
cmake --build "$work/build" --parallel "$(nproc)" 2>&1 | tee "$work/build.log" |
    awk '/^\[[0-9]+\/[0-9]+\]/ { if (++n % 50 == 0) { print $1; fflush() } } /^FAILED:|error:/ { print; fflush() }' >&2
[ "${PIPESTATUS[0]}" -eq 0 ] || { tail -n 40 "$work/build.log" >&2; exit 1; }

say "Installing ..."
rm -rf "$qt_dir"
cmake --install "$work/build" >"$work/install.log" 2>&1 || { tail -n 20 "$work/install.log" >&2; exit 1; }

# Every source file and header that went into an object of a shipped library (the test library
# is not shipped), relative to the source tree: which bundled code is in the libraries is read
# from this, not assumed.
(cd "$work/build" && ninja -t deps |
    awk '/^[^ ]/ { shipped = $1 !~ /^src\/testlib\// } /^    / && shipped { print substr($0, 5) }' |
    sort -u |
    xargs -d '\n' realpath -m --relative-to="$source_dir") | grep -v -e '^\.\./' -e '^/' |
    sort -u | gzip -9n >"$qt_dir/compiled-files.txt.gz"
mkdir -p "$qt_dir/source"
find "$work/source" -maxdepth 1 -type f -exec mv -t "$qt_dir/source" {} +
{
    echo "set(QT_DEBIAN_VERSION \"$debian_version\")"
    echo "set(QT_COMPILER \"$compiler $compiler_version\")"
    echo "set(QT_CONFIGURE_OPTIONS \"${qt_options[*]} -DCMAKE_C_FLAGS=-ffile-prefix-map=WORK/= \
-DCMAKE_CXX_FLAGS=-ffile-prefix-map=WORK/=, WORK being the folder holding source/ and build/, \
with SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH (the date of Debian's changelog entry)\")"
} >"$qt_dir/quorvel-build.cmake"
touch "$qt_dir/.complete"
rm -rf "$work"
say "Built in $(((SECONDS - started) / 60)) min."
echo "$qt_dir"
