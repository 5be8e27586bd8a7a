#!/usr/bin/env bash
# Builds everything and runs every test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/configure.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --no-tests=error -j2
