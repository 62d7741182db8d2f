#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in a demo working folder that has a
# STAT folder (where the statistics files appear) and a sample class roster.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc 2>/dev/null || echo 2)" --target school_survey

demo="$root/demo-run"
mkdir -p "$demo/STAT"
# A roster for class 8 stream А: choose 8, А and a gender to see the roster screens; any other
# class goes the way without a roster.
scripts/make-rosters.sh "$demo" "8А.xls"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "This machine has no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the"
    echo "program's windows cannot be shown here. Run this command on a desktop, or start the"
    echo "program on a virtual display yourself:"
    echo "    cd \"$demo\" && xvfb-run -a -s '-screen 0 1280x1024x24' \"$root/build/school_survey\""
    exit 1
fi

echo "Working folder: $demo (records go to $demo/STAT)"
cd "$demo"
exec "$root/build/school_survey"
