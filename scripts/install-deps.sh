#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine (g++, cmake, googletest) lacks to build, test and run
# the program. Safe to run again: apt-get skips what is already there.
#   --packaging  also what building and checking the Debian package needs (scripts/package.sh,
#                the package tests)
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libfreexl-dev
    xvfb xauth fonts-liberation fonts-dejavu-core
    python3-xlwt
    help2man
)
for option in "$@"; do
    case $option in
    --packaging)
        # dpkg-shlibdeps (dpkg-dev) and file find the libraries' packages for CPack; the rest
        # check the package and install it in a fresh root.
        packages+=(dpkg-dev file lintian desktop-file-utils man-db debootstrap)
        ;;
    *)
        echo "usage: $0 [--packaging]" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
