#!/usr/bin/env bash
# Keeps start-up under its budget: counts the instructions of the start-up
# probe (the program's own start, ended once its window is painted) and of
# the text floor (an empty window with a menu, a label and an edit) under
# callgrind, and fails when the probe takes more than STARTUP_MAX_RATIO
# (1.6) times the floor's. A ratio of instruction counts does not depend on
# the machine's load. Prints both counts and the inclusive costs that grew
# most. Uses the build test.sh made (build/, or $BUILD_DIR), building the two
# programs there when they are missing; takes well under a minute.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh

build_dir=${BUILD_DIR:-build}
probe=$build_dir/bench/kestrix-startup-probe
floor=$build_dir/bench/kestrix-startup-text-floor
if [ ! -x "$probe" ] || [ ! -x "$floor" ]; then
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    if ! { [ -f "$build_dir/build.ninja" ] || scripts/configure.sh; } >"$log" 2>&1 ||
        ! cmake --build "$build_dir" -j2 --target kestrix-startup-probe kestrix-startup-text-floor \
            >>"$log" 2>&1; then
        cat "$log"
        echo "startup-guard: building the probe failed" >&2
        exit 1
    fi
fi

python3 bench/callgrind_startup.py --probe "$probe" --floor "$floor" \
    --max-ratio "${STARTUP_MAX_RATIO:-1.6}"
