#!/usr/bin/env bash
# Compiles every source file of the program and of survey-data for a Windows target, syntax only,
# with Debian's mingw-w64 against the installed Qt 6 headers. Nothing is linked or run: this only
# catches what would stop the Windows build from compiling, a Windows branch that no longer
# compiles, or a POSIX header included outside the Linux branch of storage/OsPlatform.cpp.
# Exits 1 and prints each failing file with its errors. Given files, checks only those.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

compiler=x86_64-w64-mingw32-g++-posix
if ! command -v "$compiler" >/dev/null; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends g++-mingw-w64-x86-64-posix
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# FreeXL's header alone: the whole of /usr/include would shadow mingw's own C library.
mkdir "$work/include" "$work/logs"
cp /usr/include/freexl.h "$work/include/"

qt=/usr/include/x86_64-linux-gnu/qt6
flags=(
    -std=c++20 -fsyntax-only -H
    -Wall -Wextra -Wpedantic -Werror
    # Qt's headers, built for Linux, declare a few things dllimport that mingw then ignores.
    -Wno-attributes
    # What Qt's CMake package defines for every Windows target.
    -DUNICODE -D_UNICODE -DWIN32 -DWIN64
    # What cmake/SurveyTarget.cmake defines for every target of the project.
    -DQT_NO_KEYWORDS -DQT_NO_FOREACH -DQT_NO_CAST_TO_ASCII -DQT_USE_QSTRINGBUILDER
    -DSURVEY_VERSION='"0"'
    -I"$root" -isystem "$work/include"
    -isystem "$qt" -isystem "$qt/QtCore" -isystem "$qt/QtGui" -isystem "$qt/QtWidgets"
)

# mingw carries these POSIX headers, the Windows compilers do not: our code must not include
# them. Nor fcntl.h and sys/stat.h: Windows has them, but only POSIX file calls want them here,
# and those belong to the Linux branch of the platform file.
posix_headers='unistd.h|dirent.h|strings.h|libgen.h|getopt.h|pthread.h|sched.h|semaphore.h'
posix_headers+='|sys/time.h|sys/file.h|sys/param.h|sys/unistd.h|fcntl.h|sys/stat.h'

check_one() {
    local file=$1
    local log=$work/logs/${file//\//-}
    local output
    if output=$("$compiler" "${flags[@]}" "$file" 2>&1); then :; else
        { echo "=== $file ==="
          printf '%s\n' "$output" | grep -v '^\.\+ ' | sed '/^Multiple include guards/,$d'
        } >"$log"
        return 0
    fi
    # -H prints the include tree, one dot per level: find POSIX headers whose includer is ours.
    # A header that a system header included first is not opened, nor printed, again: pthread.h,
    # which <thread> brings along under mingw, goes unseen.
    local includes
    includes=$(printf '%s\n' "$output" | awk -v root="$root/" -v main="$file" \
        -v posix="/($posix_headers)\$" '
        /^\.+ / {
            depth = index($0, " ") - 1
            path = substr($0, depth + 2)
            parents[depth] = path
            includer = depth == 1 ? main : parents[depth - 1]
            # Our headers are found through -I"$root" or next to their includer.
            ours = index(includer, "/") != 1 || index(includer, root) == 1
            if (ours && path ~ posix)
                printf "%s: includes POSIX header %s\n", includer, path
        }')
    if [ -n "$includes" ]; then
        printf '=== %s ===\n%s\n' "$file" "$includes" >"$log"
    fi
}
export -f check_one
# xargs starts a new bash per file: the array travels quoted in a variable.
flags_list=$(printf '%q ' "${flags[@]}")
export compiler root work posix_headers flags_list

if [ "$#" -gt 0 ]; then
    sources=("$@")
else
    mapfile -t sources < <(find state storage app widgets screens tools -name '*.cpp' | sort)
fi
printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -I{} bash -c \
    'eval "flags=($flags_list)"; check_one "$1"' _ {}

failed=0
for log in "$work"/logs/*; do
    [ -e "$log" ] || continue
    failed=$((failed + 1))
    cat "$log"
done
if [ "$failed" -ne 0 ]; then
    echo "check-windows: $failed of ${#sources[@]} files do not compile for Windows" >&2
    exit 1
fi
echo "check-windows: all ${#sources[@]} files compile for Windows (syntax only)"
