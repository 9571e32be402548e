#!/usr/bin/env bash
# Compares a published Windows release with your own rebuild of the same source by
# scripts/windows-package.sh, and fails on any difference. No one else can sign as we did, and
# removing a signature (osslsigncode remove-signature) does not give back the unsigned bytes: a
# program keeps the padding that signing added and a recomputed header checksum, an MSI's
# container is written anew. So a signed file is compared with its signature removed, against
# the rebuilt file signed with a key made for the check and that signature removed in turn. The
# zip is compared file by file; the MSI holds the zip's files as published (signed, if they
# are), so it is made anew from the published zip, as the release made it, and compared so.
#   scripts/check-release.sh PUBLISHED_DIR [REBUILT_DIR]
# PUBLISHED_DIR holds the published Quorvel-VERSION-windows-x86_64.zip and .msi; REBUILT_DIR is
# the rebuild's folder (build-windows-app).
set -euo pipefail
[ $# -ge 1 ] && [ $# -le 2 ] || { echo "usage: $0 PUBLISHED_DIR [REBUILT_DIR]" >&2; exit 2; }
cd "$(dirname "$0")/.."
published=$(realpath "$1")
rebuilt=$(realpath "${2:-build-windows-app}")
zip=$(cd "$published" && ls Quorvel-*-windows-x86_64.zip)
msi=${zip%.zip}.msi
version=${zip#Quorvel-}
version=${version%-windows-x86_64.zip}
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
differ=0

openssl req -x509 -newkey rsa:2048 -sha256 -days 1 -nodes -subj "/CN=Quorvel rebuild check" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

# same PUBLISHED REBUILT NAME: one file; a signed one without its signature, against the
# rebuild signed and unsigned again.
same() {
    local left=$1 right=$2
    # osslsigncode writes no file that is there already.
    rm -f "$work/signature"
    if osslsigncode extract-signature -in "$1" -out "$work/signature" >/dev/null 2>&1; then
        left=$work/published.unsigned right=$work/rebuilt.unsigned
        rm -f "$left" "$right" "$work/rebuilt.signed"
        osslsigncode remove-signature -in "$1" -out "$left" >/dev/null 2>&1 || true
        osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -in "$2" \
            -out "$work/rebuilt.signed" >/dev/null 2>&1 &&
            osslsigncode remove-signature -in "$work/rebuilt.signed" -out "$right" >/dev/null 2>&1 ||
            true
    fi
    if cmp -s "$left" "$right"; then
        echo "same: $3"
    else
        echo "DIFFERENT: $3"
        differ=$((differ + 1))
    fi
}

if cmp -s "$published/$zip" "$rebuilt/$zip"; then
    echo "same: $zip"
else
    unzip -q "$published/$zip" -d "$work/published"
    unzip -q "$rebuilt/$zip" -d "$work/rebuilt"
    if ! diff <(cd "$work/published" && find . | sort) <(cd "$work/rebuilt" && find . | sort); then
        echo "DIFFERENT: the zips hold other files"
        differ=$((differ + 1))
    fi
    while IFS= read -r -d '' file; do
        if [ -f "$work/rebuilt/$file" ]; then
            same "$work/published/$file" "$work/rebuilt/$file" "$zip: ${file#./}"
        fi
    done < <(cd "$work/published" && find . -type f -print0 | sort -z)
fi

SOURCE_DATE_EPOCH=$(scripts/source-date-epoch.sh) packaging/windows/make-msi.sh \
    "$published/$zip" "$version" "$rebuilt/assets/quorvel.ico" "$work/remade.msi"
same "$published/$msi" "$work/remade.msi" "$msi"
[ "$differ" -eq 0 ]
