#!/usr/bin/env bash
# Renders the icon sizes the package installs from resources/icon.svg into resources/icons/.
# The PNGs are committed, so that building and packaging need no image tool; run this after
# changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh librsvg2-bin
for size in 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "resources/icons/icon-$size.png" \
        resources/icon.svg
done
ls -l resources/icons
