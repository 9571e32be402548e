#!/usr/bin/env bash
# Cross-builds the dating core and the Windows browser layer with MinGW-w64, with their checks
# that need no Qt, and runs the checks under Wine in a throw-away prefix; then cross-builds the
# whole program with its zip and installer (scripts/windows-package.sh, which builds Qt for
# Windows first when it is not cached) and uses the program from the unpacked zip under Wine
# (tests/windows/program-check.sh, within a time limit). Ends with the line
# "N passed, N failed" and a non-zero status when anything failed.
#   WINDOWS_BUILD_DIR   the cross build's folder (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

scripts/install-deps.sh windows

build_dir=${WINDOWS_BUILD_DIR:-build-windows}
wine=/usr/lib/wine/wine64
check_time_limit=120s # each check runs in seconds; a hung one must not stall CI
# The program check reads the window off the screen many times: minutes, not more.
program_check_time_limit=1200s
checks=(tests/core/core_plaincheck tests/windows/win32shell_check tests/windows/resource_check)

passed=0
failed=0
# tally OUTPUT STATUS: adds a check's closing "N passed, N failed" to the counts; a check that
# ended without it, or failed without counting a failure, counts as one failure.
tally() {
    local last
    last=$(printf '%s\n' "$1" | tail -n 1)
    if [[ $last =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
        passed=$((passed + BASH_REMATCH[1]))
        failed=$((failed + BASH_REMATCH[2]))
    fi
    if [[ ! $last =~ ^[0-9]+\ passed ]] || { [ "$2" -ne 0 ] && [[ $last =~ \ 0\ failed ]]; }; then
        failed=$((failed + 1))
    fi
}

echo "== Cross-build the Qt-free layers and their checks for Windows =="
# -O2, as the Linux builds: GCC 12 at -O3 warns falsely (-Wrestrict) on assigning a short
# literal to a std::string.
cmake -S . -B "$build_dir" --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUORVEL_PLAIN_ONLY=ON \
    -DQUORVEL_WERROR=ON -DCMAKE_EXE_LINKER_FLAGS=-static >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

echo "== Run the checks under Wine =="
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-wine.XXXXXX")
export WINEPREFIX=$prefix WINEDEBUG=-all
# No display: the checks are console programs. Mono and Gecko are not needed, nor offered.
export DISPLAY= WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$prefix" "$prefix"-*
}
trap cleanup EXIT
"$wine" wineboot --init >/dev/null 2>&1

for check in "${checks[@]}"; do
    echo "-- ${check##*/}"
    status=0
    output=$(timeout "$check_time_limit" "$wine" "$build_dir/$check.exe" 2>&1) || status=$?
    printf '%s\n' "$output"
    tally "$output" "$status"
done

echo "== Cross-build the whole program, the zip and the MSI, signed with a throw-away certificate =="
# A self-signed code-signing certificate made for this run: the signing step is exercised as a
# maintainer with a real certificate runs it, and every signature is verified against it.
openssl req -x509 -newkey rsa:3072 -sha256 -days 2 -nodes -subj "/CN=Quorvel check signing" \
    -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning \
    -keyout "$prefix-key.pem" -out "$prefix-cert.pem" 2>/dev/null
openssl rand -hex 16 >"$prefix-password"
openssl pkcs12 -export -inkey "$prefix-key.pem" -in "$prefix-cert.pem" -out "$prefix-cert.p12" \
    -passout file:"$prefix-password"
packages=$(QUORVEL_SIGN_PKCS12=$prefix-cert.p12 QUORVEL_SIGN_PASSWORD_FILE=$prefix-password \
    scripts/windows-package.sh)
printf '%s\n' "$packages"
zip=$(printf '%s\n' "$packages" | grep '\.zip$')
msi=$(printf '%s\n' "$packages" | grep '\.msi$')

echo "== Check the notices and the source named =="
status=0
output=$(tests/windows/package-check.sh "$zip" "$(scripts/build-qt-windows.sh)" 2>&1) || status=$?
printf '%s\n' "$output"
tally "$output" "$status"

echo "== Verify the signatures =="
verify() { # every program and library in the zip, and the MSI
    local unpacked=$prefix-unpacked ok=0 bad=0 file
    unzip -q -o "$zip" -d "$unpacked"
    while IFS= read -r -d '' file; do
        if osslsigncode verify -CAfile "$prefix-cert.pem" -in "$file" >/dev/null 2>&1; then
            ok=$((ok + 1))
        else
            bad=$((bad + 1))
            echo "FAIL: ${file#"$unpacked"/} is not signed by the check's certificate"
        fi
    done < <(find "$unpacked" "$msi" \( -name '*.exe' -o -name '*.dll' -o -name '*.msi' \) -print0)
    rm -rf "$unpacked"
    echo "$ok passed, $bad failed"
    [ "$bad" -eq 0 ]
}
status=0
output=$(verify) || status=$?
printf '%s\n' "$output"
tally "$output" "$status"

echo "== Use the program from the unpacked zip under Wine =="
status=0
output=$(timeout -k 30s "$program_check_time_limit" tests/windows/program-check.sh \
    "$zip" "$build_dir/tests/windows/urllogger.exe" 2>&1) || status=$?
printf '%s\n' "$output"
tally "$output" "$status"

echo "== Install, upgrade and remove the MSI under Wine =="
status=0
output=$(timeout -k 30s "$program_check_time_limit" tests/windows/msi-check.sh "$msi" "$zip" \
    "${WINDOWS_APP_BUILD_DIR:-build-windows-app}/assets/quorvel.ico" \
    tests/windows/program-check.sh "$build_dir/tests/windows/urllogger.exe" 2>&1) || status=$?
printf '%s\n' "$output"
tally "$output" "$status"

echo "Windows checks took $((SECONDS - started)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
