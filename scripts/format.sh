#!/usr/bin/env bash
# The C++ style of .clang-format, kept by Debian's clang-format-15 (InsertBraces needs 15;
# Debian's default clang-format 14 cannot read the file).
#   scripts/format.sh          formats every C++ file of the tree in place
#   scripts/format.sh --check  changes nothing; fails, naming each file and line, where one differs
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh format

mode=(-i)
case "${1:-}" in
"") ;;
--check) mode=(--dry-run -Werror) ;;
*)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-15 "${mode[@]}"
