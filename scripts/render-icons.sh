#!/usr/bin/env bash
# Draws the PNG sizes of the menu icon from packaging/icons/school-survey.svg (needs rsvg-convert,
# Debian's librsvg2-bin). Run it after changing the SVG, and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 48 128 256; do
    rsvg-convert -w "$size" -h "$size" school-survey.svg -o "school-survey-$size.png"
done
