#!/usr/bin/env bash
# Signs Windows programs, libraries and installers in place with osslsigncode (Authenticode,
# SHA-256), with the certificate named in the environment:
#   QUORVEL_SIGN_PKCS12          the code-signing certificate and its key, a PKCS#12 (.pfx) file
#   QUORVEL_SIGN_PASSWORD_FILE   a file holding its password (none when unset)
#   QUORVEL_SIGN_TIMESTAMP_URL   an RFC 3161 timestamp server, so that signatures outlive the
#                                certificate (no timestamp when unset)
#   scripts/sign-windows.sh FILE...
set -euo pipefail
: "${QUORVEL_SIGN_PKCS12:?names the PKCS#12 file to sign with}"
options=(-pkcs12 "$QUORVEL_SIGN_PKCS12" -h sha256 -n Quorvel -i https://www.quorvel.org/)
if [ -n "${QUORVEL_SIGN_PASSWORD_FILE:-}" ]; then
    options+=(-readpass "$QUORVEL_SIGN_PASSWORD_FILE")
fi
if [ -n "${QUORVEL_SIGN_TIMESTAMP_URL:-}" ]; then
    options+=(-ts "$QUORVEL_SIGN_TIMESTAMP_URL")
fi
for file; do
    osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
done
