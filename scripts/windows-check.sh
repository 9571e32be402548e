#!/usr/bin/env bash
# Cross-builds the Windows program with its tests (scripts/windows-build.sh, which builds Qt for
# Windows first when it is not cached) and runs them with CTest under Wine: the dating core's
# and the window's tests on Qt's Windows platform, the shell layer and the program's resources,
# then the packages as users get them, packed and signed with a certificate made for this run
# (see tests/windows/CMakeLists.txt). CTest's summary is the one count.
#   WINDOWS_BUILD_DIR   the build folder (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

scripts/install-deps.sh windows
build_dir=${WINDOWS_BUILD_DIR:-build-windows}

# A self-signed code-signing certificate made for this run: the signing step is exercised as a
# maintainer with a real certificate runs it, and every signature is verified against it.
keys=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-signing.XXXXXX")
trap 'rm -rf "$keys"' EXIT
openssl req -x509 -newkey rsa:3072 -sha256 -days 2 -nodes -subj "/CN=Quorvel check signing" \
    -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning \
    -keyout "$keys/key.pem" -out "$keys/cert.pem" 2>/dev/null
openssl rand -hex 16 >"$keys/password"
openssl pkcs12 -export -inkey "$keys/key.pem" -in "$keys/cert.pem" -out "$keys/cert.p12" \
    -passout file:"$keys/password"
export QUORVEL_SIGN_PKCS12=$keys/cert.p12 QUORVEL_SIGN_PASSWORD_FILE=$keys/password
export QUORVEL_SIGN_CHECK_CERT=$keys/cert.pem

scripts/windows-build.sh "$build_dir" -DBUILD_TESTING=ON
echo "== Run the tests under Wine =="
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
echo "Windows build and tests took $((SECONDS - started)) s"
