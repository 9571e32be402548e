#!/usr/bin/env bash
# Checks that every program and library in the zip, and the MSI, carry a valid signature by the
# certificate (PEM) that QUORVEL_SIGN_CHECK_CERT names; exits 77 (skipped) when none is named,
# as the packages are then unsigned.
#   tests/windows/signature-check.sh ZIP MSI
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 ZIP MSI" >&2; exit 2; }
if [ -z "${QUORVEL_SIGN_CHECK_CERT:-}" ]; then
    echo "No certificate named in QUORVEL_SIGN_CHECK_CERT: the packages are unsigned"
    exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-signatures.XXXXXX")
trap 'rm -rf "$work"' EXIT
unzip -q "$1" -d "$work"
unsigned=0
while IFS= read -r -d '' file; do
    if ! osslsigncode verify -CAfile "$QUORVEL_SIGN_CHECK_CERT" -in "$file" >"$work/verify.log" 2>&1; then
        echo "FAIL: ${file#"$work"/} is not signed by $QUORVEL_SIGN_CHECK_CERT"
        unsigned=$((unsigned + 1))
    fi
done < <(find "$work" "$2" \( -name '*.exe' -o -name '*.dll' -o -name '*.msi' \) -print0)
[ "$unsigned" -eq 0 ]
