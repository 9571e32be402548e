#!/usr/bin/env bash
# Checks what the Windows zip owes its users against the Qt build it was made from: a notice for
# every bundled library compiled into Qt, one for every run-time library shipped, the read-me
# and SOURCE.txt naming the Debian source version the Qt build came from, a Qt cache key that
# changes with Debian's revision, and every program and library with ASLR and DEP. Fails
# when any step does.
#   tests/windows/package-check.sh ZIP QT_DIR
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 ZIP QT_DIR" >&2; exit 2; }
zip=$(realpath "$1")
qt_dir=$2
project=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-package-check.XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/checks.sh"

unzip -q "$zip" -d "$work/zip"
top=$(find "$work/zip" -mindepth 1 -maxdepth 1 -type d)
debian_version=$(sed -n 's/^set(QT_DEBIAN_VERSION "\(.*\)")$/\1/p' "$qt_dir/quorvel-build.cmake")

# A bundled library's folder with any file compiled into Qt must have a notice for one of the
# entries its attribution file lists, and the read-me must point to it.
noticed() {
    local ids id
    ids=$(tar -xOf "$qt_dir"/source/*.orig.tar.* --wildcards "*/src/3rdparty/$1/qt_attribution.json" |
        sed -n 's/^ *"Id": *"\([^"]*\)".*/\1/p')
    for id in $ids; do
        if [ -s "$top/licences/$id.txt" ] && grep -q -F "licences\\$id.txt" "$top/README.txt"; then
            return 0
        fi
    done
    echo "no notice of $1 (entries: $ids)"
    return 1
}
for library in $(zcat "$qt_dir/compiled-files.txt.gz" | sed -n 's|^src/3rdparty/\([^/]*\)/.*|\1|p' | sort -u); do
    check "the bundled $library has its notice" noticed "$library"
done

runtime_noticed() {
    local file
    file=$(tr -d '\r' <"$top/README.txt" | sed -n "s/^ *$1: licences\\\\\\(.*\\)$/\\1/p")
    [ -n "$file" ] && [ -s "$top/licences/$file" ]
}
for dll in "$top"/lib*.dll; do
    check "the run-time library ${dll##*/} has its notice" runtime_noticed "${dll##*/}"
done
check "Qt's own licence is shipped" test -s "$top/licences/LGPL-3.txt"

check "the Qt build names its Debian source version" test -n "$debian_version"
check "SOURCE.txt names Debian's qt6-base $debian_version" \
    grep -q -F "qt6-base source package, version $debian_version" "$top/SOURCE.txt"
check "the read-me names Debian's qt6-base $debian_version" \
    grep -q -F "qt6-base source package $debian_version" "$top/README.txt"

key_changes() {
    local this next
    this=$("$project/scripts/build-qt-windows.sh" --key "$debian_version")
    next=$("$project/scripts/build-qt-windows.sh" --key "${debian_version%-*}-$((${debian_version##*-} + 1))")
    echo "$this $next"
    [ "$this" != "$next" ] && [[ $qt_dir == *"-$this" ]]
}
check "the Qt cache key changes with Debian's revision" key_changes

# High-entropy ASLR, a movable base and DEP (DllCharacteristics 0x20, 0x40 and 0x100).
hardened() {
    local flags
    flags=$(x86_64-w64-mingw32-objdump -p "$1" | awk '$1 == "DllCharacteristics" { print $2 }')
    echo "DllCharacteristics $flags"
    [ -n "$flags" ] && [ $((0x$flags & 0x160)) -eq $((0x160)) ]
}
while IFS= read -r -d '' binary; do
    check "${binary#"$top"/} keeps ASLR and DEP" hardened "$binary"
done < <(find "$top" \( -name '*.exe' -o -name '*.dll' \) -print0)

finish
