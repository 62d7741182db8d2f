#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine (g++, cmake, googletest) lacks to build, test and run
# the program. Safe to run again: apt-get skips what is already there.
#   --tests  also what only the tests need (LibreOffice opens the tables of survey-data export;
#            Chromium prints the page of survey-data report, poppler's tools read the PDF)
#   --packaging  also what building and checking the Debian package needs (scripts/package.sh,
#                the package tests)
#   PACKAGE…     also these (the fuzz and benchmark scripts name what they need)
set -euo pipefail

tests=0
packaging=0
extra=()
for arg in "$@"; do
    case "$arg" in
        --tests) tests=1 ;;
        --packaging) packaging=1 ;;
        -*) echo "usage: $0 [--tests] [--packaging] [PACKAGE...]" >&2; exit 2 ;;
        *) extra+=("$arg") ;;
    esac
done

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libfreexl-dev
    xvfb xauth fonts-liberation fonts-dejavu-core
    openbox x11-utils xdotool
    python3-xlwt
    # The real-window test: a window manager, the session bus (the daemon itself, not only
    # dbus-bin), the accessibility bus and its Python client, screenshots and X input.
    dbus at-spi2-core python3-pyatspi imagemagick
    help2man
)
if [ "$tests" -eq 1 ]; then
    packages+=(libreoffice-calc-nogui chromium poppler-utils)
fi
if [ "$packaging" -eq 1 ]; then
    # dpkg-shlibdeps (dpkg-dev) and file find the libraries' packages for CPack; the rest
    # check the package and install it in a fresh root.
    packages+=(dpkg-dev file lintian desktop-file-utils man-db debootstrap)
fi

packages+=("${extra[@]}")

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
