#!/usr/bin/env bash
# Writes a sample class roster workbook (25 pupils, Excel 97-2003 .xls) into a working folder,
# for trying the roster screens: scripts/make-rosters.sh DIR [NAME.xls ...] (default 8А.xls).
# Needs python3-xlwt for Debian's /usr/bin/python3 (scripts/install-deps.sh installs it).
set -euo pipefail
if [ "$#" -lt 1 ]; then
    echo "usage: $0 DIR [NAME.xls ...]" >&2
    exit 2
fi
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
[ "$#" -gt 0 ] || set -- "8А.xls"
for name in "$@"; do
    /usr/bin/python3 "$here/tests/fixtures/make_rosters.py" --sample "$folder/$name"
done
