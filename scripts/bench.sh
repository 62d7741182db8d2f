#!/usr/bin/env bash
# Runs the benchmarks and prints their table, each figure as a ratio to a peer measured in the
# same run (these machines are noisy), and writes it with the machine and the date to
# bench/RESULTS.md. Never part of the test suite.
#
#   scripts/bench.sh [QUICK]     QUICK=1: fewer repetitions and a 10 s idle span, for trying
#
# Runs on a virtual X display of its own (Xvfb) at the lowest priority.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
quick=${1:-0}

if [ -z "${SURVEY_BENCH_DISPLAY:-}" ]; then
    scripts/install-deps.sh hyperfine python3-xlrd python3-xlwt time xvfb xauth libxcb1-dev
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake --preset default "${launcher[@]}" >/dev/null
    nice -n 19 cmake --build --preset default -j "$(nproc 2>/dev/null || echo 2)" --target \
        school_survey survey-data bench_bare_window bench_idle bench_startup_probe \
        bench_statistics_file
    # Everything below runs on a display of its own, without a window manager.
    SURVEY_BENCH_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

build="$root/build"
work=$(mktemp -d "${TMPDIR:-/tmp}/survey-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -m 700 "$XDG_RUNTIME_DIR"
low="nice -n 19"
runs=5
idle=60
saves=20
[ "$quick" = "1" ] && runs=3 idle=10 saves=6

rows=()   # "| what | ours | peer | ratio | target | met |"
row() { rows+=("| $1 | $2 | $3 | $4 | $5 | $6 |"); echo "$1: $2 vs $3 -> $4 (target $5): $6"; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
calc() { awk "BEGIN {printf \"%.2f\", $1}"; }
verdict() { awk "BEGIN {print ($1) ? \"yes\" : \"**no**\"}"; }

# --- Start-up: from the start to the introduction shown, less the splash's 2000 ms pause -------
mkdir -p "$work/run/STAT"
probe="$build/bench/bench_startup_probe"
(
    cd "$work/run"
    # Warm the caches, then take turns so that both feel the same noise.
    $low "$probe" Введение "$build/school_survey" >/dev/null
    $low "$probe" "Bare window" "$build/bench/bench_bare_window" >/dev/null
    for _ in $(seq "$runs"); do
        $low "$probe" Введение "$build/school_survey" >>"$work/survey_start"
        $low "$probe" "Bare window" "$build/bench/bench_bare_window" >>"$work/bare_start"
    done
)
survey_start=$(median <"$work/survey_start")
bare_start=$(median <"$work/bare_start")
survey_net=$(calc "$survey_start - 2000")
ratio=$(calc "$survey_net / $bare_start")
row "Start-up to the introduction shown (median of $runs, ms; ours less the 2000 ms pause)" \
    "$survey_net" "$bare_start (bare window)" "${ratio}×" "≤ 1.3×" "$(verdict "$ratio <= 1.3")"

# Peak resident memory of a whole run: start, introduction, its window closed (the program ends).
rss() {
    local title=$1 program=$2 out="$work/time.txt"
    (cd "$work/run" && $low "$probe" --close "$title" /usr/bin/time -v -o "$out" "$program" >/dev/null)
    awk -F': ' '/Maximum resident set size/ {print $2}' "$out"
}
for _ in 1 2 3; do
    rss Введение "$build/school_survey" >>"$work/survey_rss"
    rss "Bare window" "$build/bench/bench_bare_window" >>"$work/bare_rss"
done
survey_rss=$(median <"$work/survey_rss")
bare_rss=$(median <"$work/bare_rss")
extra=$(calc "($survey_rss - $bare_rss) / 1024")
row "Peak resident memory of a run to the introduction and out (median of 3, KiB)" \
    "$survey_rss" "$bare_rss (bare window)" "+${extra} MiB" "≤ +12 MiB" "$(verdict "$extra <= 12")"

# --- Roster reading: survey-data roster against python3-xlrd ------------------------------------
/usr/bin/python3 bench/make_workbooks.py "$work"
if "$build/tools/survey-data" --help 2>/dev/null | grep -q "^ *roster"; then
    for book in roster40 roster60000; do
        file="$work/$book.xls"
        # The names as the grids hold them: the report's «Абрамова····» lines, and the peer's
        # texts fitted the same way (12 characters, the blanks at the end aside).
        "$build/tools/survey-data" roster "$file" | grep -oP '^\s+[A-Z]+[0-9]+\s+«\K.*(?=»$)' |
            sed 's/·/ /g; s/ *$//' >"$work/$book.ours" || true
        /usr/bin/python3 bench/xlrd_first_column.py "$file" | /usr/bin/python3 -c '
import sys
for line in sys.stdin:
    print(line.rstrip("\n")[:12].rstrip(" "))' >"$work/$book.peer"
        same=yes
        [ -s "$work/$book.ours" ] && cmp -s "$work/$book.ours" "$work/$book.peer" || same=no
        echo "$book: $(wc -l <"$work/$book.ours") names read, identical to the peer's: $same"
        $low hyperfine -N -i --warmup 2 --runs "$runs" --export-json "$work/$book.json" \
            "$build/tools/survey-data roster $file" "/usr/bin/python3 bench/xlrd_first_column.py $file" \
            >/dev/null
        read -r ours peer < <(/usr/bin/python3 -c 'import json,sys
r=json.load(open(sys.argv[1]))["results"]; print(r[0]["mean"]*1000, r[1]["mean"]*1000)' "$work/$book.json")
        speed=$(calc "$peer / $ours")
        row "Roster $book.xls (mean ms; names identical: $same)" "$(calc "$ours")" \
            "$(calc "$peer") (python3-xlrd)" "${speed}× faster" "≥ 5× faster" \
            "$(verdict "$speed >= 5 && \"$same\" == \"yes\"")"
    done
else
    row "Roster reading (survey-data roster)" "pending" "python3-xlrd" "–" "≥ 5× faster" \
        "pending: survey-data has no roster subcommand yet"
fi

# --- Saving: one save against writing the same bytes, fsync and rename -------------------------
$low "$build/bench/bench_statistics_file" "${TMPDIR:-/var/tmp}" "$saves" | tee "$work/save.txt"
while read -r records bytes count save floor ratio flushed own; do
    [[ "$records" =~ ^[0-9]+$ ]] || continue
    row "Save into a file of $records records (median of $count, ms)" "$save" \
        "$floor (write, fsync, rename); $flushed with the folder flushed too" \
        "${ratio}×; ${own}× the second" "≤ 1.5×" "$(verdict "$ratio <= 1.5")"
done <"$work/save.txt"

# --- Idle: a question screen with the nine one-second timers ---------------------------------
survey_idle=$($low "$build/bench/bench_idle" survey "$idle")
bare_idle=$($low "$build/bench/bench_idle" bare "$idle")
row "Idle question screen, $idle s (% of one core)" "$survey_idle" \
    "$bare_idle (bare window, nine timers)" "+$(calc "$survey_idle - $bare_idle") points" \
    "≤ 0.3 %" "$(verdict "$survey_idle <= 0.3")"

# --- Export: 100 files of 30 records against iconv ----------------------------------------------
if "$build/tools/survey-data" --help 2>/dev/null | grep -q "^ *export"; then
    mkdir -p "$work/export/STAT"
    /usr/bin/python3 bench/make_statistics_files.py "$work/export/STAT" 100 30
    # Both through bash, so that both pay the same for it; the output goes nowhere.
    $low hyperfine --shell=bash -i --warmup 2 --runs "$runs" --export-json "$work/export.json" \
        "'$build/tools/survey-data' export '$work/export/STAT' >/dev/null" \
        "cd '$work/export/STAT' && iconv -f cp1251 -t utf-8 -- * >/dev/null" >/dev/null
    read -r ours peer < <(/usr/bin/python3 -c 'import json,sys
r=json.load(open(sys.argv[1]))["results"]; print(r[0]["mean"]*1000, r[1]["mean"]*1000)' "$work/export.json")
    row "Export of 100 files × 30 records (mean ms)" "$(calc "$ours")" "$(calc "$peer") (iconv)" \
        "$(calc "$ours / $peer")×" "reported" "–"
else
    row "Export of 100 files × 30 records" "pending" "iconv" "–" "reported" \
        "pending: survey-data has no export subcommand yet"
fi

# --- The table -------------------------------------------------------------------------------
cpu=$(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)
{
    echo "# Benchmark results"
    echo
    echo "Written by \`scripts/bench.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'); $(uname -srm);"
    echo "$cpu, $(nproc) cores; load average at the end $(cut -d' ' -f1-3 /proc/loadavg)."
    echo "Everything ran under \`nice -n 19\` on Xvfb; each figure is a ratio to its peer in the same run."
    echo
    echo "| Measurement | Ours | Peer | Ratio | Target | Met |"
    echo "|---|---|---|---|---|---|"
    printf '%s\n' "${rows[@]}"
    if [ -f bench/NOTES.md ]; then
        echo
        cat bench/NOTES.md
    fi
} >bench/RESULTS.md
echo
cat bench/RESULTS.md
