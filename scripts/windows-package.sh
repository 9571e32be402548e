#!/usr/bin/env bash
# Cross-builds the whole Windows program on Debian (scripts/windows-build.sh, which builds Qt for
# Windows from Debian's own source when it is missing) and packs it as a portable zip and an MSI
# installer made from the zip's files, with their SHA256SUMS beside them
# (packaging/windows/pack.sh). With a certificate named in QUORVEL_SIGN_PKCS12 (see
# scripts/sign-windows.sh) every program and library is signed before packing, and the MSI
# after. Two runs on one commit give the same bytes, signatures aside. Prints the paths of the
# zip and the MSI on its last two lines.
#   scripts/windows-package.sh       (WINDOWS_APP_BUILD_DIR: the build folder, build-windows-app)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${WINDOWS_APP_BUILD_DIR:-build-windows-app}

scripts/windows-build.sh "$build_dir" -DBUILD_TESTING=OFF
echo "== Pack the zip and the MSI ==" >&2
packaging/windows/pack.sh "$build_dir"
