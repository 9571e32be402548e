#!/usr/bin/env bash
# Cross-builds the Windows program on Debian with MinGW-w64 against Qt for Windows, built from
# Debian's own source first when it is not cached (scripts/build-qt-windows.sh), into BUILD_DIR;
# the CMake options given are added (-DBUILD_TESTING=ON builds the tests too).
#   scripts/windows-build.sh BUILD_DIR [CMAKE_OPTION...]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [CMAKE_OPTION...]" >&2; exit 2; }
cd "$(dirname "$0")/.."
build_dir=$1

scripts/install-deps.sh windows-package >&2
# Two builds of one commit stamp the same time into what they make (Qt's resource compiler
# stores it for each file it compiles in).
SOURCE_DATE_EPOCH=$(scripts/source-date-epoch.sh)
export SOURCE_DATE_EPOCH
qt_dir=$(scripts/build-qt-windows.sh)

echo "== Cross-build for Windows against $qt_dir ==" >&2
# A folder configured before with another generator or against another Qt build starts anew:
# CMake keeps both from its first run.
toolchain=$qt_dir/lib/cmake/Qt6/qt.toolchain.cmake
cache=$build_dir/CMakeCache.txt
if [ -f "$cache" ] && ! { grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache" &&
    grep -qx "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$cache"; }; then
    rm -rf "$build_dir"
fi
# Qt's toolchain file finds the Windows Qt and Debian's host tools (moc, rcc, uic), and loads
# the project's MinGW-w64 toolchain. -O2, as the Linux builds: GCC 12 at -O3 warns falsely
# (-Wrestrict) on assigning a short literal to a std::string.
cmake -S . -B "$build_dir" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DQUORVEL_WERROR="${QUORVEL_WERROR:-OFF}" "${@:2}" >&2
cmake --build "$build_dir" --parallel "$(nproc)" >&2
