#!/usr/bin/env bash
# Builds the Debian package school-survey_<version>_<arch>.deb into the top of the checkout, from
# a fresh Debian 12 machine: installs what is missing, builds the program, the tool and their
# manual pages in a build folder of their own (no tests), and runs CPack.
#   sudo apt install ./school-survey_<version>_<arch>.deb    installs it (docs/operator-guide.md)
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)

scripts/install-deps.sh --packaging
jobs=$(nproc 2>/dev/null || echo 2)

build="$top/build-package"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSURVEY_BUILD_TESTS=OFF -DSURVEY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$staging" >"$staging/cpack.log" 2>&1 || {
    cat "$staging/cpack.log" >&2
    exit 1
}
for deb in "$staging"/*.deb; do
    mv -f "$deb" "$top/"
    echo "$top/$(basename "$deb")"
done
