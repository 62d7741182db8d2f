#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests twice (a normal build and one with
# AddressSanitizer and UndefinedBehaviorSanitizer), and runs the whole suite in both through ctest.
# The package tests (label "package", normal build only) run last, on their own: they build the
# Debian package and install it in a fresh Debian 12 root. Before the builds, every source file is
# compiled for Windows, syntax only (scripts/check-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --tests --packaging
jobs=$(nproc 2>/dev/null || echo 2)

echo "=== windows: syntax-only compile ==="
scripts/check-windows.sh

for preset in default asan; do
    echo "=== ${preset}: configure and build ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== ${preset}: tests ==="
    ctest --preset "$preset" -j "$jobs" -LE '^package$'
done
echo "=== default: package tests ==="
ctest --preset default -L '^package$'
