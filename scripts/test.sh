#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests twice (a normal build and one with
# AddressSanitizer and UndefinedBehaviorSanitizer), and runs the whole suite in both through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests
jobs=$(nproc 2>/dev/null || echo 2)

for preset in default asan; do
    echo "=== ${preset}: configure and build ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== ${preset}: tests ==="
    ctest --preset "$preset" -j "$jobs"
done
