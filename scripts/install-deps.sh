#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine (g++, cmake, googletest) lacks to build, test and run
# the program. Safe to run again: apt-get skips what is already there.
#   --tests  also what only the tests need (LibreOffice opens the tables of survey-data export)
set -euo pipefail

tests=0
for arg in "$@"; do
    case "$arg" in
        --tests) tests=1 ;;
        *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
    esac
done

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libfreexl-dev
    xvfb xauth fonts-liberation fonts-dejavu-core
    python3-xlwt
)
if [ "$tests" -eq 1 ]; then
    packages+=(libreoffice-calc-nogui)
fi

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
