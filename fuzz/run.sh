#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time from the seed corpus.
# Any crash, sanitizer report or broken property stops that target and fails the run; the
# input that did it is kept in the build folder (see the "artifact" line of the output) and
# replays with: BUILD/<target> ARTIFACT
#   fuzz/run.sh [seconds per target, default 20]     BUILD_DIR defaults to build-fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
targets=(datetext wholenumber dating)
# Generous for one input: a hang is a failure too.
per_input_timeout=5

cmake -S fuzz -B "$build_dir" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++-14}" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

mkdir -p "$build_dir/artifacts"
for t in "${targets[@]}"; do
    # New inputs go to a scratch folder, so the corpus in the repository stays as written.
    scratch=$(mktemp -d)
    echo "-- ${t}_fuzzer for ${seconds} s"
    status=0
    "$build_dir/${t}_fuzzer" "$scratch" "fuzz/corpus/$t" -max_total_time="$seconds" \
        -timeout="$per_input_timeout" -print_final_stats=1 \
        -artifact_prefix="$build_dir/artifacts/${t}-" >"$build_dir/$t.log" 2>&1 || status=$?
    rm -rf "$scratch"
    grep -E '^(stat::number_of_executed_units|stat::new_units_added)' "$build_dir/$t.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$build_dir/$t.log"
        echo "${t}_fuzzer failed (exit $status)" >&2
        exit 1
    fi
done
