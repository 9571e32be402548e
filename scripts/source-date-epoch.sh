#!/usr/bin/env bash
# Prints the time a build stamps into what it makes (SOURCE_DATE_EPOCH, as reproducible builds
# define it), so that two builds of one source agree: the caller's when set, else the last
# commit's, else, outside a git checkout, the date of the newest entry of debian/changelog (the
# time dpkg-buildpackage gives the Debian package).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
elif [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git log -1 --format=%ct
else
    dpkg-parsechangelog -l debian/changelog -S Timestamp
fi
