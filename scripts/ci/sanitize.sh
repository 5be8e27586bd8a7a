#!/usr/bin/env bash
# Builds the libraries, kestrix-info and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ (or $ASAN_BUILD_DIR) and runs every
# test there, the fuzz corpus replay included. Any report fails.
#
# The Qt layers stay out: under the sanitizers Qt's own dependencies report
# faults that are not ours (fontconfig keeps allocations to the end of the
# process, libxkbcommon-x11 reads past a buffer under Xvfb), and the slower
# widget tests lose keyboard focus. Everything below the Qt layers is
# covered here: core, storage, the page layout, kestrix-info, the fuzz replay.
set -euo pipefail
cd "$(dirname "$0")/../.."
scripts/install-deps.sh

build_dir=${ASAN_BUILD_DIR:-build-asan}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
log=$(mktemp)
trap 'rm -f "$log"' EXIT

if ! { cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DKESTRIX_SANITIZE=ON -DKESTRIX_WITH_GUI=OFF -DKESTRIX_WERROR=$werror &&
       cmake --build "$build_dir" -j2; } >"$log" 2>&1; then
    cat "$log"
    echo "sanitize: the sanitizer build failed" >&2
    exit 1
fi

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if ! ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2 >"$log" 2>&1; then
    cat "$log"
    echo "sanitize: tests failed under ASan/UBSan" >&2
    exit 1
fi
tail -n 3 "$log"
