#!/usr/bin/env bash
# Cross-builds the whole Windows program on Debian, with Qt for Windows built from Debian's own
# source when it is missing (scripts/build-qt-windows.sh), and packs it as a portable zip and an
# MSI installer made from the zip's files. With a certificate named in QUORVEL_SIGN_PKCS12 (see
# scripts/sign-windows.sh) every program and library is signed before packing, and the MSI
# after. Prints the paths of the zip and the MSI on its last two lines.
#   scripts/windows-package.sh       (WINDOWS_APP_BUILD_DIR: the build folder, build-windows-app)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows-package >&2
qt_dir=$(scripts/build-qt-windows.sh)
build_dir=${WINDOWS_APP_BUILD_DIR:-build-windows-app}

echo "== Cross-build quorvel.exe against $qt_dir ==" >&2
# Qt's toolchain file finds the Windows Qt and Debian's host tools (moc, rcc, uic), and loads
# the project's MinGW-w64 toolchain. -O2, as the Linux builds: GCC 12 at -O3 warns falsely
# (-Wrestrict) on assigning a short literal to a std::string.
cmake -S . -B "$build_dir" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="$qt_dir/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DBUILD_TESTING=OFF \
    -DQUORVEL_WERROR="${QUORVEL_WERROR:-OFF}" >&2
cmake --build "$build_dir" --parallel "$(nproc)" >&2

echo "== Pack the zip and the MSI ==" >&2
(cd "$build_dir" && cpack -G ZIP >&2)
zip=$(ls "$PWD/$build_dir"/Quorvel-*-windows-x86_64.zip)
version=${zip##*/Quorvel-}
version=${version%%-windows-x86_64.zip}
msi=${zip%.zip}.msi
packaging/windows/make-msi.sh "$zip" "$version" "$build_dir/assets/quorvel.ico" "$msi"
if [ -n "${QUORVEL_SIGN_PKCS12:-}" ]; then
    scripts/sign-windows.sh "$msi"
fi
printf '%s\n' "$zip" "$msi"
