#!/usr/bin/env bash
# One entry point for people and CI:
#   ./build.sh run    install what is missing, build, open the calculator
#   ./build.sh test   install what is missing, build, run every test headless
# BUILD_DIR, BUILD_TYPE, QUORVEL_WERROR, QUORVEL_SANITIZE and QUORVEL_BENCHMARK may be set in the
# environment.
set -euo pipefail
cd "$(dirname "$0")"

action=${1:-run}
build_dir=${BUILD_DIR:-build}
build_type=${BUILD_TYPE:-RelWithDebInfo}
jobs=$(nproc)

scripts/install-deps.sh
# Two builds of one commit stamp the same time into what they make (Qt's resource compiler
# stores it for each file it compiles in).
SOURCE_DATE_EPOCH=$(scripts/source-date-epoch.sh)
export SOURCE_DATE_EPOCH

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" \
    -DQUORVEL_WERROR="${QUORVEL_WERROR:-OFF}" -DQUORVEL_SANITIZE="${QUORVEL_SANITIZE:-OFF}" \
    -DQUORVEL_BENCHMARK="${QUORVEL_BENCHMARK:-OFF}" >/dev/null
# Opening the calculator needs only the program; testing needs everything.
targets=()
if [ "$action" = run ]; then
    targets=(--target quorvel)
fi
cmake --build "$build_dir" --parallel "$jobs" "${targets[@]}"

case "$action" in
run)
    exec "$build_dir/window/quorvel"
    ;;
test)
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$build_dir" --output-on-failure --parallel "$jobs"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
