#!/usr/bin/env bash
# The title bars as a desktop shows them: the program runs on a virtual X display (the xcb
# platform) under a window manager, and the title of each window it opens must be the window's
# caption alone, with nothing appended by the toolkit.
#   titlebars.sh PROGRAM
set -euo pipefail
program=$(readlink -f "$1")

if [ -z "${DISPLAY_READY:-}" ]; then
    for tool in xvfb-run openbox xdotool xprop; do
        command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install-deps.sh)"; exit 1; }
    done
    DISPLAY_READY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export LC_ALL=C.UTF-8
folder=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$folder"
}
trap cleanup EXIT

openbox >/dev/null 2>&1 &
pids+=($!)
mkdir "$folder/STAT"
(cd "$folder" && QT_QPA_PLATFORM=xcb exec "$program") >"$folder/program.log" 2>&1 &
pids+=($!)

# The title as the window manager shows it: the window's UTF-8 name property.
title_of() {
    xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

# The window of this caption, once it is shown (start-up pauses two seconds on the splash).
window_named() {
    local caption=$1 id
    for _ in $(seq 1 200); do
        id=$(xdotool search --onlyvisible --name "^$caption" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window named $caption appeared" >&2
    cat "$folder/program.log" >&2
    return 1
}

failures=0
expect_title() {
    local caption=$1 id title name
    id=$(window_named "$caption")
    title=$(title_of "$id")
    name=$(xdotool getwindowname "$id")
    if [ "$title" = "$caption" ] && [ "$name" = "$caption" ]; then
        echo "PASS: \"$caption\""
    else
        echo "FAIL: \"$caption\" reads \"$title\" (window name \"$name\")"
        failures=$((failures + 1))
    fi
}

expect_title "Введение"

# "Продолжить" at the bottom of the introduction leads to the class and gender screen.
intro=$(window_named "Введение")
eval "$(xdotool getwindowgeometry --shell "$intro")"
xdotool mousemove --sync $((X + 512)) $((Y + 627)) click 1
expect_title "Координаты"

exit "$failures"
