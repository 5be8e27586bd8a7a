#!/usr/bin/env bash
# Builds a Release tree in build-bench/ (or $BENCH_BUILD_DIR), runs the
# micro-benchmarks and the start-up comparison, and writes every figure to
# <build>/bench-results/: the raw JSON of each part and summary.md, which is
# printed at the end. Timings on a shared machine are noisy: run it when
# `uptime` shows little load, and compare ratios, not times.
#   BENCH_REPETITIONS  repetitions of each micro-benchmark (default 10)
#   BENCH_RUNS         start-up runs of each program per scenario (default 20)
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
build_dir=${BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j2

results="$build_dir/bench-results"
mkdir -p "$results"
echo "Load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for benchmark in bench_core bench_storage bench_print bench_catalogue_editor; do
    # Repetitions run in random order across the benchmarks of one program,
    # so a program and its floor (the raw file I/O) share the machine's load.
    QT_QPA_PLATFORM=offscreen "$build_dir/bench/$benchmark" \
        --benchmark_repetitions="${BENCH_REPETITIONS:-10}" \
        --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true \
        --benchmark_out="$results/$benchmark.json" --benchmark_out_format=json
done

python3 bench/compare_startup.py \
    --measure "$build_dir/bench/kestrix-measure-process" \
    --probe "$build_dir/bench/kestrix-startup-probe" \
    --baseline "$build_dir/bench/kestrix-startup-baseline" \
    --floor "$build_dir/bench/kestrix-startup-text-floor" \
    --data-dir "$build_dir/bench" \
    --runs "${BENCH_RUNS:-20}" \
    --json "$results/startup.json"

python3 bench/pdf_party.py --kestrix "$build_dir/app/kestrix" \
    --runs "${BENCH_PDF_RUNS:-5}" --json "$results/pdf_party.json"

python3 bench/catalogue_editor_process.py --kestrix "$build_dir/app/kestrix" \
    --entries 1000000 --json "$results/catalogue_editor_process.json"

python3 bench/summarize.py "$results" >"$results/summary.md"
echo
cat "$results/summary.md"
