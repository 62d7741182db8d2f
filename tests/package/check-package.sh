#!/usr/bin/env bash
# Builds the Debian package from a finished build tree and looks at it as an installation would:
# its file list and modes, its dependencies, the launcher, the manual pages, lintian, and the
# programs run from the unpacked package, the lab wrapper's checks included.
#
#   check-package.sh SOURCE_DIR BUILD_DIR OUT_DIR
#
# Leaves the package in OUT_DIR for the fresh-root test. Exit 77 (skipped) when the packaging
# tools are missing: scripts/install-deps.sh --packaging installs them.
set -euo pipefail

source_dir=$1
build_dir=$2
out_dir=$3

for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate lintian man; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh --packaging installs it)"
        exit 77
    fi
done

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- The package -------------------------------------------------------------------------------
rm -rf "$out_dir"
mkdir -p "$out_dir"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    echo "FAIL: cpack"
    exit 1
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
arch=$(dpkg --print-architecture)
deb_name="school-survey_${version}_${arch}.deb"
[ -f "$work/cpack/$deb_name" ] || {
    ls -l "$work/cpack"
    echo "FAIL: cpack wrote no $deb_name"
    exit 1
}
mv "$work/cpack/$deb_name" "$out_dir/"
deb="$out_dir/$deb_name"
echo "package: $deb ($(stat -c %s "$deb") bytes)"

# --- File list: exactly these files, owned by root, with these modes ------------------------------
doc=usr/share/doc/school-survey
expected=(
    "-rwxr-xr-x usr/bin/school-survey"
    "-rwxr-xr-x usr/bin/school-survey-lab"
    "-rwxr-xr-x usr/bin/survey-data"
    "-rw-r--r-- etc/school-survey/working-folder"
    "-rw-r--r-- usr/share/applications/school-survey.desktop"
    "-rw-r--r-- usr/share/icons/hicolor/scalable/apps/school-survey.svg"
    "-rw-r--r-- usr/share/icons/hicolor/48x48/apps/school-survey.png"
    "-rw-r--r-- usr/share/icons/hicolor/128x128/apps/school-survey.png"
    "-rw-r--r-- usr/share/icons/hicolor/256x256/apps/school-survey.png"
    "-rw-r--r-- usr/share/man/man1/school-survey.1.gz"
    "-rw-r--r-- usr/share/man/man1/school-survey-lab.1.gz"
    "-rw-r--r-- usr/share/man/man1/survey-data.1.gz"
    "-rw-r--r-- usr/share/lintian/overrides/school-survey"
    "-rw-r--r-- $doc/README.md"
    "-rw-r--r-- $doc/operator-guide.md"
    "-rw-r--r-- $doc/copyright"
    "-rw-r--r-- $doc/changelog.gz"
)
if [ -f "$source_dir/docs/record-layout.md" ]; then
    expected+=("-rw-r--r-- $doc/record-layout.md")
fi
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $1, $6 }' | sort >"$work/files"
diff -u "$work/expected" "$work/files" || fail "the file list differs (- expected, + in the package)"
dpkg-deb -c "$deb" | awk '$2 != "root/root" { print }' >"$work/owners"
[ ! -s "$work/owners" ] || fail "entries not owned by root: $(cat "$work/owners")"
dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' >"$work/dirs"
[ ! -s "$work/dirs" ] || fail "folders not 0755: $(cat "$work/dirs")"

# --- Control fields --------------------------------------------------------------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in 'libqt6widgets6' 'libfreexl1' 'qt6-qpa-plugins' 'fonts-liberation' \
    'fonts-dejavu-core' 'adduser' 'zenity | kdialog'; do
    case ", $depends," in
    *", $needed"[\ ,]*) ;;
    *) fail "Depends lacks $needed" ;;
    esac
done
dpkg-deb --ctrl-tarfile "$deb" | tar -t | sort | tr '\n' ' ' >"$work/control"
for member in ./conffiles ./postinst ./postrm; do
    grep -q -- "$member " "$work/control" || fail "control archive lacks $member"
done
[ "$(dpkg-deb -I "$deb" conffiles)" = /etc/school-survey/working-folder ] ||
    fail "conffiles is not /etc/school-survey/working-folder"

# --- Unpacked: the launcher, the manual pages, the programs ---------------------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/school-survey.desktop" ||
    fail "desktop-file-validate"
for page in school-survey school-survey-lab survey-data; do
    # As lintian reads them: any warning of groff or man is an error of the page.
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
    zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q '^\.SH NAME' || fail "$page.1 has no NAME"
done

help=$("$root/usr/bin/survey-data" --help) || fail "survey-data --help exits $?"
case $help in
*"Использование: survey-data"*) ;;
*) fail "survey-data --help says: $help" ;;
esac
[ "$("$root/usr/bin/survey-data" --version)" = "survey-data $version" ] ||
    fail "survey-data --version is not $version"

# The wrapper, in a copy of the unpacked bin folder whose school-survey reports where it was
# started and with what umask, instead of opening the survey window.
bin="$work/bin"
mkdir "$bin"
cp "$root/usr/bin/school-survey-lab" "$bin/"
printf '#!/bin/sh\necho "started in $(pwd) with umask $(umask)"\n' >"$bin/school-survey"
chmod 755 "$bin/school-survey"
lab() { # CONFIG_TEXT → prints what the wrapper said, then its exit status
    printf '%s' "$1" >"$work/config"
    set +e
    SCHOOL_SURVEY_LAB_CONFIG="$work/config" DISPLAY='' WAYLAND_DISPLAY='' \
        "$bin/school-survey-lab" 2>&1
    echo "exit $?"
    set -e
}
expect() { # NAME OUTPUT PATTERN
    case $2 in
    $3) echo "ok: wrapper, $1" ;;
    *) fail "wrapper, $1: $2" ;;
    esac
}
lab_dir="$work/lab"
mkdir -p "$lab_dir/STAT" "$work/nostat"
expect "started" "$(lab "# comment"$'\n\n'"  $lab_dir  "$'\r\n')" \
    "started in $lab_dir with umask 0002"$'\n'"exit 0"
expect "missing folder" "$(lab "$work/absent")" "*«$work/absent» не найдена*exit 1"
expect "no STAT" "$(lab "$work/nostat")" "*«$work/nostat» нет папки STAT*exit 1"
expect "relative path" "$(lab "lab")" "*нужен полный путь*exit 1"

# Write permission can only be taken away from someone who is not root.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
    chmod 755 "$work" "$bin" "$lab_dir"
    chmod 644 "$work/config"
    as_nobody() {
        set +e
        SCHOOL_SURVEY_LAB_CONFIG="$work/config" DISPLAY='' WAYLAND_DISPLAY='' \
            setpriv --reuid=nobody --regid=nogroup --clear-groups "$bin/school-survey-lab" 2>&1
        echo "exit $?"
        set -e
    }
    printf '%s\n' "$lab_dir" >"$work/config"
    chmod 755 "$lab_dir/STAT"
    expect "STAT not writable" "$(as_nobody)" "*не может записывать в папку «$lab_dir/STAT»*exit 1"
    chmod 777 "$lab_dir/STAT"
    : >"$lab_dir/STAT/save.lock"
    chmod 644 "$lab_dir/STAT/save.lock"
    expect "save.lock not writable" "$(as_nobody)" "*«$lab_dir/STAT/save.lock»*exit 1"
    chmod 666 "$lab_dir/STAT/save.lock"
    expect "started as another user" "$(as_nobody)" "started in $lab_dir with umask 0002*exit 0"
else
    echo "note: not root, the checks of write permission are left out"
fi

# --- lintian: no error and no warning; what it overrides is explained in the overrides file ------
lintian --fail-on error,warning --display-info --show-overrides "$deb" >"$work/lintian.all" 2>&1 ||
    fail "lintian"
grep -v 'running with root privileges is not recommended' "$work/lintian.all" >"$work/lintian" || true
if [ -s "$work/lintian" ]; then
    echo "lintian says:"
    sed 's/^/  /' "$work/lintian"
else
    echo "lintian: clean"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package checks passed"
