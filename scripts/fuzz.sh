#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz": clang-14, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each of them for SECONDS seconds, one after another, at
# the lowest priority:
#
#   scripts/fuzz.sh SECONDS [TARGET…]      (default: every target, 600 s is a fair run)
#
# Needs Debian's clang-14 and libclang-rt-14-dev (installed here when missing). The corpora grow
# in build-fuzz/corpus/TARGET from the seeds (the test workbooks, the statistics files of
# fuzz/seeds). A crashing input lands in build-fuzz/findings/TARGET/; once the fault is mended,
# copy it to fuzz/regressions/TARGET/, where tests/fuzz replays it in the ordinary suite.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "$#" -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(roster_workbook statistics_file record_line)

scripts/install-deps.sh clang-14 libclang-rt-14-dev

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake --preset fuzz "${launcher[@]}" >/dev/null
nice -n 19 cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)"

out="$root/build-fuzz"
seeds="$out/seeds"
rm -rf "$seeds/roster_workbook"
mkdir -p "$seeds/roster_workbook"
/usr/bin/python3 tests/fixtures/make_rosters.py --out "$seeds/roster_workbook"

# FreeXL reads files by name: the inputs and the reader's copies of them go to a RAM folder.
ram=/dev/shm
[ -d "$ram" ] && [ -w "$ram" ] || ram=${TMPDIR:-/tmp}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

status=0
for target in "${targets[@]}"; do
    exe="$out/fuzz/fuzz_$target"
    if [ ! -x "$exe" ]; then
        echo "=== $target: not built, skipped ===" >&2
        status=1
        continue
    fi
    corpus="$out/corpus/$target"
    findings="$out/findings/$target"
    mkdir -p "$corpus" "$findings"
    dirs=("$corpus")
    for extra in "$seeds/$target" "fuzz/seeds/$target" "fuzz/regressions/$target"; do
        [ -d "$extra" ] && dirs+=("$extra")
    done
    echo "=== $target: ${seconds} s ==="
    # A generous time-out: at the lowest priority on a busy machine a unit of a few milliseconds
    # can wait minutes for the processor (seen: over 60 s inside the sanitizer's allocator).
    started=$(date +%s)
    if TMPDIR="$ram" nice -n 19 "$exe" -max_total_time="$seconds" -timeout=300 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" "${dirs[@]}" \
        >"$out/$target.log" 2>&1; then
        result="clean"
    else
        result="FOUND SOMETHING (see $out/$target.log and $findings/)"
        status=1
    fi
    grep -E "^stat::(number_of_executed_units|peak_rss_mb|new_units_added)" "$out/$target.log" || true
    echo "=== $target: $(( $(date +%s) - started )) s, $result ==="
done
exit "$status"
