#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (or $FUZZ_BUILD_DIR)
# and runs each for a bounded time on a scratch copy of its seed corpus, so
# the committed corpus never changes. Any crash, leak or broken invariant
# fails; the input that caused it is kept under <build dir>/crashes/.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh

build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=(fuzz_record_loader fuzz_catalogue_reader)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! { cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DKESTRIX_FUZZ=ON -DKESTRIX_WITH_GUI=OFF &&
       cmake --build "$build_dir" -j2 --target "${targets[@]}"; } >"$scratch/build.log" 2>&1; then
    cat "$scratch/build.log"
    echo "fuzz: the fuzz build failed" >&2
    exit 1
fi

crashes="$build_dir/crashes"
mkdir -p "$crashes"
for target in "${targets[@]}"; do
    corpus="$scratch/$target"
    cp -R "fuzz/corpus/$target" "$corpus"
    if ! "$build_dir/fuzz/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 \
            -timeout=10 -print_final_stats=1 -artifact_prefix="$crashes/$target-" \
            >"$scratch/$target.log" 2>&1; then
        tail -n 60 "$scratch/$target.log"
        echo "fuzz: $target failed; the input is in $crashes/" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/$target.log")
    echo "fuzz: $target ran ${runs:-?} inputs in ${seconds}s without a fault"
done
