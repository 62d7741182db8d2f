#!/usr/bin/env bash
# Installs the package on a fresh Debian 12 in a throwaway root and starts it there as a pupil
# of the lab would: apt resolves its dependencies, survey-data answers, the launcher validates,
# the manual is found, and school-survey-lab opens the introduction on a virtual display in the
# working folder with umask 002.
#
#   fresh-root.sh PACKAGE.deb
#
# Needs root (chroot and mounts) and the package registry. Exit 77 (skipped), with the reason,
# without either. The bare root made by debootstrap is kept as a tarball, and the packages that
# apt fetches into it in a folder beside it (SURVEY_ROOT_CACHE, by default
# /var/cache/school-survey-tests), so that a second run needs neither download again.
set -euo pipefail

deb=$(readlink -f "$1")
suite=bookworm
cache=${SURVEY_ROOT_CACHE:-/var/cache/school-survey-tests}
started=$(date +%s)
step() { echo "[$(($(date +%s) - started)) s] $*"; }

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: the fresh-root test needs root (chroot and mounts); run it as root, as CI does"
    exit 77
fi
if ! command -v debootstrap >/dev/null; then
    echo "SKIP: debootstrap is not installed (scripts/install-deps.sh --packaging installs it)"
    exit 77
fi

# The mirror this machine's apt uses for the suite; debootstrap's own default when none is found.
mirror=$(
    {
        grep -h '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            sed 's/\[[^]]*\]//' | awk -v s="$suite" '$3 == s { print $2 }'
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
            awk -v s="$suite" 'BEGIN { RS = ""; FS = "\n" }
                { uri = ""; ok = 0
                  for (n = 1; n <= NF; n++) {
                      if ($n ~ /^URIs:/) { split($n, u, /[ \t]+/); uri = u[2] }
                      if ($n ~ /^Suites:/) for (k = split($n, w, /[ \t]+/); k > 1; k--) if (w[k] == s) ok = 1
                  }
                  if (ok && uri != "") print uri }'
    } | head -n 1
)
if [ -n "$mirror" ]; then
    probe=$(mktemp)
    if ! timeout 60 /usr/lib/apt/apt-helper download-file "$mirror/dists/$suite/Release" "$probe" \
        >/dev/null 2>&1; then
        rm -f "$probe"
        echo "SKIP: the package registry ($mirror) cannot be reached: no network"
        exit 77
    fi
    rm -f "$probe"
fi

# A run killed from outside (a timeout) could not clean up: its mounts go first, then its root.
for stale in /var/tmp/school-survey-root.*; do
    [ -d "$stale" ] || continue
    awk -v r="$stale/" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r |
        while read -r point; do umount -l "$point"; done
    grep -q " $stale/" /proc/mounts || rm -rf --one-file-system "$stale"
done

work=$(mktemp -d /var/tmp/school-survey-root.XXXXXX)
root="$work/root"
mkdir "$root"
mounts=()

# Every exit path comes here: the processes left in the root end, the mounts go in reverse order,
# and the root is deleted only when nothing is mounted inside it any more, so that a failure can
# never delete through a bind mount.
cleanup() {
    local status=$?
    set +e
    for link in /proc/[0-9]*/root; do
        if [ "$(readlink "$link" 2>/dev/null)" = "$root" ]; then
            pid=${link#/proc/}
            kill -KILL "${pid%/root}" 2>/dev/null
        fi
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}"
    done
    if grep -q " $root[/ ]" /proc/mounts; then
        echo "cleanup: something is still mounted under $root; it is left in place"
    else
        rm -rf --one-file-system "$work"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mount_in() { # mount arguments…, the mount point last
    mount "$@"
    mounts+=("${*: -1}")
}

mkdir -p "$cache/apt-archives/partial"
tarball="$cache/$suite-minbase.tar"
if [ -f "$tarball" ]; then
    step "unpacking the cached bare root"
    tar -C "$root" -xf "$tarball"
else
    step "debootstrap --variant=minbase $suite ${mirror:-(its default mirror)}"
    timeout 900 debootstrap --variant=minbase "$suite" "$root" ${mirror:+"$mirror"} >"$work/debootstrap.log" 2>&1 || {
        tail -n 30 "$work/debootstrap.log"
        echo "FAIL: debootstrap"
        exit 1
    }
    tar -C "$root" -cf "$tarball.$$" . && mv "$tarball.$$" "$tarball"
fi

step "mounting proc, /dev and the package cache"
mount_in -t proc proc "$root/proc"
mkdir -p "$root/dev/shm"
mount_in -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
for node in null zero urandom random full tty; do
    [ -e "$root/dev/$node" ] || : >"$root/dev/$node"
    mount_in --bind "/dev/$node" "$root/dev/$node"
done
mount_in --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# A throwaway root needs no fsync after every file dpkg unpacks, nor translated package lists.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/throwaway-root"
echo 'Acquire::Languages "none";' >"$root/etc/apt/apt.conf.d/99throwaway-root"
cp "$deb" "$root/tmp/"

# Runs a command in the root with a clean environment and a time limit, so that a hung step
# fails here, where the cleanup runs, and not by a kill from outside.
in_root() { # SECONDS COMMAND…
    local limit=$1
    shift
    timeout "$limit" chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}
apt_step() { # WHAT SECONDS COMMAND…
    local what=$1
    shift
    in_root "$@" >>"$work/apt.log" 2>&1 || {
        tail -n 40 "$work/apt.log"
        echo "FAIL: $what"
        exit 1
    }
}

# Without the recommended packages: what the program needs is in Depends, and the
# recommendations (a whole desktop of themes and helpers) would double the download in CI.
step "apt-get install ./$(basename "$deb")"
apt_step "apt-get update" 300 apt-get update -q
apt_step "the package does not install" 900 \
    sh -c "cd /tmp && apt-get install -y -q --no-install-recommends ./$(basename "$deb")"
step "installing the checking tools"
apt_step "the checking tools do not install" 600 \
    apt-get install -y -q --no-install-recommends desktop-file-utils man-db xvfb xauth xdotool

failures=0
check() { # NAME COMMAND…
    local name=$1
    shift
    if out=$("$@" 2>&1); then
        echo "ok: $name"
    else
        echo "FAIL: $name"
        printf '%s\n' "$out" | sed 's/^/  /'
        failures=$((failures + 1))
    fi
}

step "checks"
check "survey-data --help" in_root 60 survey-data --help
check "desktop-file-validate" in_root 60 desktop-file-validate /usr/share/applications/school-survey.desktop
check "man -w survey-data" in_root 60 man -w survey-data
check "the working folder is 2775 root:school-survey, save.lock 0664" in_root 60 sh -c '
    test "$(stat -c "%a %U:%G" /var/lib/school-survey/STAT)" = "2775 root:school-survey" &&
    test "$(stat -c "%a %U:%G" /var/lib/school-survey)" = "2775 root:school-survey" &&
    test "$(stat -c "%a %G" /var/lib/school-survey/STAT/save.lock)" = "664 school-survey"'

# A pupil's account in the group starts the wrapper on a virtual display; the introduction must
# appear within a minute, in the working folder and with umask 002.
in_root 60 useradd --create-home pupil
in_root 60 adduser --quiet pupil school-survey
cat >"$root/tmp/start-lab.sh" <<'EOF'
#!/bin/sh
school-survey-lab >/tmp/lab.log 2>&1 &
pid=$!
if ! timeout 60 xdotool search --sync --name Введение >/tmp/windows; then
    echo "no window named Введение within 60 s; the wrapper said:"
    cat /tmp/lab.log
    kill "$pid" 2>/dev/null
    exit 1
fi
echo "introduction window $(head -n 1 /tmp/windows)"
cwd=$(readlink /proc/$pid/cwd)
mask=$(awk '$1 == "Umask:" { print $2 }' /proc/$pid/status)
kill "$pid"
wait "$pid" 2>/dev/null
echo "working folder $cwd, umask $mask"
test "$cwd" = /var/lib/school-survey && test "$mask" = 0002
EOF
chmod 755 "$root/tmp/start-lab.sh"
check "school-survey-lab opens Введение" in_root 120 runuser -u pupil -- \
    xvfb-run -a -s "-screen 0 1280x1024x24" /tmp/start-lab.sh
echo "$out" | sed 's/^/  /'

step "done"
if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "fresh-root checks passed"
