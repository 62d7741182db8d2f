#!/usr/bin/env bash
# Counts the instructions of the program's start-up with callgrind, which gives the same figures
# whatever the load of the machine, against the bare window of the start-up benchmark: each is
# started on a virtual X display of its own, its window closed once shown. Prints, in millions of
# instructions: the whole run, the libraries loaded, the QApplication made and, for the program,
# the splash (from its creation through the pause), the font database, the blur of the splash's
# shadows and the screens. The bare window's count includes its ending, about half of it.
#
#   scripts/profile-startup.sh           the callgrind files are left in build/profile/
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ -z "${SURVEY_PROFILE_DISPLAY:-}" ]; then
    scripts/install-deps.sh valgrind xvfb xauth libxcb1-dev
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake --preset default "${launcher[@]}" >/dev/null
    cmake --build --preset default -j "$(nproc 2>/dev/null || echo 2)" --target school_survey \
        bench_bare_window bench_startup_probe
    SURVEY_PROFILE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

out="$root/build/profile"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/survey-profile-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/STAT" "$work/xdg"
chmod 700 "$work/xdg"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/xdg"
probe="$root/build/bench/bench_startup_probe"
(
    cd "$work"
    "$probe" --close Введение valgrind --tool=callgrind --callgrind-out-file="$out/survey.out" \
        "$root/build/school_survey" >/dev/null 2>"$out/survey.log"
    "$probe" --close "Bare window" valgrind --tool=callgrind \
        --callgrind-out-file="$out/bare.out" "$root/build/bench/bench_bare_window" \
        >/dev/null 2>"$out/bare.log"
)

# The inclusive count of the first function whose name matches, in millions.
count() {
    callgrind_annotate --inclusive=yes "$1" 2>/dev/null |
        awk -v pattern="$2" '!found && $0 ~ pattern {gsub(",", "", $1); printf "%.1f", $1 / 1e6; found = 1}'
}
# The same, counted in the function itself only.
self() {
    callgrind_annotate "$1" 2>/dev/null |
        awk -v pattern="$2" '!found && $0 ~ pattern {gsub(",", "", $1); printf "%.1f", $1 / 1e6; found = 1}'
}
for run in survey bare; do
    file="$out/$run.out"
    echo "$run: $(count "$file" "PROGRAM TOTALS") in all;" \
        "libraries $(count "$file" "rtld.c:_dl_start ")," \
        "QApplication $(count "$file" "QApplication::QApplication")"
done
file="$out/survey.out"
startup=$(count "$file" "app/Startup.cpp:startUp")
screens=$(count "$file" "SurveyRun.cpp:SurveyRun::createScreens")
echo "survey: start-up after the QApplication $startup: the splash" \
    "$(awk "BEGIN {printf \"%.1f\", $startup - $screens}")," \
    "of it the font database $(count "$file" "QFontDatabasePrivate::ensureFontDatabase")" \
    "and the blur of the shadows $(self "$file" "ShadowLabel.cpp:ShadowLabel::renderShadow");" \
    "the screens $screens"
echo "callgrind files: $out (callgrind_annotate --inclusive=yes FILE)"
