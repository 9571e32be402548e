#!/usr/bin/env bash
# Builds the Debian package twice, as dpkg-buildpackage builds it (without its tests), from two
# copies of this source in folders of other names and depths, one after the other, with another
# umask, time zone and locale, and fails unless the two packages are the same bytes; diffoscope
# then shows where they differ.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >&2
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-rebuild.XXXXXX")
trap 'rm -rf "$work"' EXIT

# build FOLDER UMASK TZ LOCALE: the package from a copy of the source in FOLDER.
build() {
    scripts/copy-source.sh "$1"
    (cd "$1" && umask "$2" && env -u SOURCE_DATE_EPOCH TZ="$3" LC_ALL="$4" \
        DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b -Pnocheck) >"$1.log" 2>&1 ||
        { tail -n 40 "$1.log" >&2; exit 1; }
}
build "$work/first/quorvel" 0022 UTC C.UTF-8
build "$work/second/deeper/quorvel-1.0" 0002 Pacific/Chatham C
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
version=$(dpkg-parsechangelog -S Version)
for package in quorvel quorvel-dbgsym; do
    first=$work/first/${package}_${version}_$arch.deb
    second=$work/second/deeper/${package}_${version}_$arch.deb
    if ! cmp -s "$first" "$second"; then
        echo "FAIL: two builds of $package differ:" >&2
        diffoscope --text - "$first" "$second" >&2 || true
        exit 1
    fi
    echo "$package: $(sha256sum <"$first" | cut -d' ' -f1), the same in both builds"
done
