#!/usr/bin/env bash
# Copies the project's source into DEST as a checkout holds it: the files git tracks, and those
# it does not ignore, as they stand (no build folders); outside a git checkout, the whole folder
# but its build folders.
#   scripts/copy-source.sh DEST
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 DEST" >&2; exit 2; }
mkdir -p "$1"
dest=$(realpath "$1")
cd "$(dirname "$0")/.."
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git ls-files -z --cached --others --exclude-standard |
        tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -C "$dest" -xf -
else
    tar --exclude='./build*' --exclude='./obj-*' -cf - . | tar -C "$dest" -xf -
fi
