#!/usr/bin/env bash
# Builds the Debian package twice with Debian's reprotest, as dpkg-buildpackage builds it
# (without its tests), from a copy of this source: the second build in another folder, at
# another time, with another umask, time zone, locale, home, PATH, host and domain name, kernel
# version, order of directory entries and number of CPUs; fails unless the two packages are the
# same bytes, and then shows where they differ (diffoscope).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh >&2
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-rebuild.XXXXXX")
trap 'rm -rf "$work"' EXIT

scripts/copy-source.sh "$work/quorvel"
# No other user to build as: the user variation needs a second account and sudo.
reprotest --vary=-user_group --min-cpus="$(nproc)" \
    --build-command 'DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b -Pnocheck' \
    "$work/quorvel" '../*.deb' -- null >"$work/reprotest.log" 2>&1 ||
    { tail -n 200 "$work/reprotest.log" >&2; exit 1; }
sed -n '/^Reproduction successful/,$p' "$work/reprotest.log"
