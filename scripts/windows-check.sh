#!/usr/bin/env bash
# Cross-builds the dating core and the Windows browser layer with MinGW-w64, with their checks
# that need no Qt, and runs the checks under Wine in a throw-away prefix. Ends with the line
# "N passed, N failed" and a non-zero status when anything failed. Debian has no Qt for Windows,
# so the Windows-only Qt code is compiled, without linking, against Debian's Qt headers.
#   WINDOWS_BUILD_DIR   the cross build's folder (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

scripts/install-deps.sh windows

build_dir=${WINDOWS_BUILD_DIR:-build-windows}
wine=/usr/lib/wine/wine64
check_time_limit=120s # each check runs in seconds; a hung one must not stall CI
checks=(tests/core/core_plaincheck tests/windows/win32shell_check tests/windows/resource_check)
windows_only_qt_sources=(weblink/shellplatform.cpp weblink/desktopweblink.cpp weblink/htmlprobefile.cpp)

echo "== Cross-build for Windows =="
# -O2, as the Linux builds: GCC 12 at -O3 warns falsely (-Wrestrict) on assigning a short
# literal to a std::string.
cmake -S . -B "$build_dir" --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUORVEL_PLAIN_ONLY=ON \
    -DQUORVEL_WERROR=ON >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

passed=0
failed=0

echo "== Compile the Windows-only Qt code against Qt's headers =="
qt_headers=$(qmake6 -query QT_INSTALL_HEADERS)
compiling=()
for source in "${windows_only_qt_sources[@]}"; do
    # Qt's headers, made for Linux, redeclare exports without dllimport; nothing else is waived.
    x86_64-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Werror -Wall -Wextra -Wpedantic \
        -Wshadow -Wold-style-cast -Wno-attributes -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN \
        -DNOMINMAX -I. -I"$qt_headers" -I"$qt_headers/QtCore" -I"$qt_headers/QtGui" \
        -I"$qt_headers/QtWidgets" "$source" &
    compiling+=($!)
done
for i in "${!compiling[@]}"; do
    if wait "${compiling[$i]}"; then
        passed=$((passed + 1))
    else
        echo "FAIL: ${windows_only_qt_sources[$i]} does not compile for Windows"
        failed=$((failed + 1))
    fi
done

echo "== Run the checks under Wine =="
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-wine.XXXXXX")
export WINEPREFIX=$prefix WINEDEBUG=-all
# No display: the checks are console programs. Mono and Gecko are not needed, nor offered.
export DISPLAY= WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
"$wine" wineboot --init >/dev/null 2>&1

for check in "${checks[@]}"; do
    echo "-- ${check##*/}"
    status=0
    output=$(timeout "$check_time_limit" "$wine" "$build_dir/$check.exe" 2>&1) || status=$?
    printf '%s\n' "$output"
    tally=$(printf '%s\n' "$output" | tail -n 1)
    if [[ $tally =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
        passed=$((passed + BASH_REMATCH[1]))
        failed=$((failed + BASH_REMATCH[2]))
    fi
    # A check that ended without its tally, or failing without counting it, counts as failed.
    if [[ ! $tally =~ ^[0-9]+\ passed ]] || { [ "$status" -ne 0 ] && [[ $tally =~ \ 0\ failed ]]; }; then
        failed=$((failed + 1))
    fi
done

echo "Windows checks took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
