#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (or $FUZZ_BUILD_DIR)
# and runs each for a bounded time on a scratch copy of its seed corpus, so
# the committed corpus never changes. Any crash, leak or broken invariant
# fails; the input that caused it is kept under <build dir>/crashes/.
#
# The metafile converter's target runs libwmf and libemf2svg, which the
# editor only ever runs in a separate, limited process. It runs in fork mode
# and carries on past faults; each fault is replayed and judged by the top
# frame of its stack: a fault inside those libraries is reported as a
# finding with its input kept, and fails nothing, because the editor's own
# tests prove that the separate process contains it; a fault in our code,
# a broken invariant among them, fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh

build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=(fuzz_record_loader fuzz_catalogue_reader fuzz_recovery_copy)
contained_targets=(fuzz_metafile_converter)
third_party='lib(wmf|wmflite|emf2svg|uemf)[-.0-9]*\.so'
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! { cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DKESTRIX_FUZZ=ON -DKESTRIX_WITH_GUI=OFF &&
       cmake --build "$build_dir" -j2 --target "${targets[@]}" "${contained_targets[@]}"; } \
        >"$scratch/build.log" 2>&1; then
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

# The first stack frame of a fault report that lies in our sources or in a
# metafile library; frames of the sanitizer (its interceptors among them),
# libFuzzer and the C library come before those and decide nothing.
top_frame() {
    # A report may hold no frame of either kind (a timeout deep in a system
    # library): an empty answer, never a failure that would end the script.
    { grep -E '^ *#[0-9]+ 0x[0-9a-f]+ in ' "$1" | grep -E "$third_party| $(pwd)/[^ ]+:[0-9]+" |
        head -n 1; } || true
}

for target in "${contained_targets[@]}"; do
    corpus="$scratch/$target"
    artifacts="$scratch/$target-artifacts"
    mkdir -p "$artifacts"
    cp -R "fuzz/corpus/$target" "$corpus"
    (cd "$scratch" && "$OLDPWD/$build_dir/fuzz/$target" "$corpus" -fork=1 -ignore_crashes=1 \
        -ignore_ooms=1 -ignore_timeouts=1 -max_total_time="$seconds" -rss_limit_mb=2048 \
        -timeout=10 -artifact_prefix="$artifacts/") >"$scratch/$target.log" 2>&1 || true
    if ! grep -q 'INFO: exiting\|DONE' "$scratch/$target.log"; then
        tail -n 60 "$scratch/$target.log"
        echo "fuzz: $target did not run to its end" >&2
        exit 1
    fi
    ours=0
    findings=0
    for artifact in "$artifacts"/*; do
        [ -e "$artifact" ] || continue
        report="$artifact.report"
        kept="$crashes/$target-$(basename "$artifact")"
        cp "$artifact" "$kept"
        replayed=0
        "$build_dir/fuzz/$target" "$artifact" -rss_limit_mb=2048 -timeout=10 >"$report" 2>&1 ||
            replayed=$?
        frame=$(top_frame "$report")
        if [ "$replayed" -eq 0 ]; then
            findings=$((findings + 1))
            echo "fuzz: $target: a fault that did not happen again on replay: $kept"
        elif grep -q 'invariant broken' "$report" ||
            { [ -n "$frame" ] && ! grep -qE "$third_party" <<<"$frame"; }; then
            ours=$((ours + 1))
            tail -n 60 "$report"
            echo "fuzz: $target: a fault in our code; the input is $kept" >&2
        else
            findings=$((findings + 1))
            # No frame of ours on the stack: a metafile library's fault, or
            # a timeout or memory limit reached in a system library (the
            # converter process has hard limits for both; in-process fuzzing
            # has not).
            echo "fuzz: $target: finding outside our code (contained by the converter process): $kept"
            echo "      $(sed -n 's/^==[0-9]*==ERROR: //p; s/^SUMMARY: //p' "$report" | head -n 1)"
            echo "      at $frame"
        fi
    done
    [ "$ours" -eq 0 ] || exit 1
    runs=$(grep -oE '#[0-9]+' "$scratch/$target.log" | tail -n 1)
    echo "fuzz: $target ran ${runs:-?} inputs in ${seconds}s; $findings finding(s) inside the libraries, none in our code"
done
