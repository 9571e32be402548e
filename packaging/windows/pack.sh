#!/usr/bin/env bash
# Packs a Windows build as users get it: the portable zip (CPack; every program and library
# signed first when QUORVEL_SIGN_PKCS12 names a certificate, see scripts/sign-windows.sh), the
# MSI made from its files (make-msi.sh beside this script, then signed too), and their
# SHA256SUMS. Both packages stamp SOURCE_DATE_EPOCH (else the last commit's time) where they
# would stamp the time, so that two builds of one commit pack to the same bytes. Prints the
# paths of the zip and the MSI on its last two lines.
#   packaging/windows/pack.sh BUILD_DIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build_dir=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
SOURCE_DATE_EPOCH=$("$here/../../scripts/source-date-epoch.sh")
export SOURCE_DATE_EPOCH

(cd "$build_dir" && cpack -G ZIP >&2)
zip=$(ls "$build_dir"/Quorvel-*-windows-x86_64.zip)
# CPack records the packing user's owner, modes and local times; Debian's normaliser leaves the
# entries in name order with the one time, no owner, and modes 644 or 755.
strip-nondeterminism --type zip --timestamp "$SOURCE_DATE_EPOCH" "$zip" >&2
version=${zip##*/Quorvel-}
version=${version%%-windows-x86_64.zip}
msi=${zip%.zip}.msi
"$here/make-msi.sh" "$zip" "$version" "$build_dir/assets/quorvel.ico" "$msi"
if [ -n "${QUORVEL_SIGN_PKCS12:-}" ]; then
    "$here/../../scripts/sign-windows.sh" "$msi"
fi
(cd "$build_dir" && sha256sum "${zip##*/}" "${msi##*/}" >SHA256SUMS)
printf '%s\n' "$zip" "$msi"
