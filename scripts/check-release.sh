#!/usr/bin/env bash
# Compares a published Windows package (the zip or the MSI) with your own rebuild of the same
# source by scripts/windows-package.sh, and fails on any difference. A signed file, which no
# one else can sign as we did, is compared after its published signature is attached to the
# rebuilt file (osslsigncode attach-signature): the result must be the published file, byte for
# byte. Every other file is compared as it is; in the zip, file by file.
#   scripts/check-release.sh PUBLISHED REBUILT
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PUBLISHED REBUILT (both .zip or both .msi)" >&2; exit 2; }
published=$(realpath "$1")
rebuilt=$(realpath "$2")
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
differ=0

# same PUBLISHED REBUILT NAME: one file, its published signature (if any) attached to the rebuild.
same() {
    local candidate=$2
    if osslsigncode extract-signature -in "$1" -out "$work/signature" >/dev/null 2>&1; then
        candidate=$work/signed
        rm -f "$candidate"
        osslsigncode attach-signature -sigin "$work/signature" -in "$2" -out "$candidate" \
            >/dev/null 2>&1 || true
    fi
    if cmp -s "$1" "$candidate"; then
        echo "same: $3"
    else
        echo "DIFFERENT: $3"
        differ=$((differ + 1))
    fi
}

case $published in
*.zip)
    unzip -q "$published" -d "$work/published"
    unzip -q "$rebuilt" -d "$work/rebuilt"
    if ! diff <(cd "$work/published" && find . | sort) <(cd "$work/rebuilt" && find . | sort); then
        echo "DIFFERENT: the zips hold other files"
        differ=$((differ + 1))
    fi
    while IFS= read -r -d '' file; do
        [ -f "$work/rebuilt/$file" ] && same "$work/published/$file" "$work/rebuilt/$file" "${file#./}"
    done < <(cd "$work/published" && find . -type f -print0 | sort -z)
    ;;
*)
    same "$published" "$rebuilt" "${published##*/}"
    ;;
esac
[ "$differ" -eq 0 ]
