#!/usr/bin/env bash
# Builds the game and its data, then draws pictures of the data with the game's own code on a
# private X server: every sprite's first frame, the tilesets, the title screen composed, and each
# map whole at 1:1 with its backgrounds.
# Usage: tools/gallery.sh [OUTPUT_DIR]   (default: gallery/)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

OUTPUT="$(realpath -m "${1:-gallery}")"
"$CORVANE_ROOT/tools/install-dependencies.sh"
build_release

mkdir -p "$OUTPUT"
run_headless "$CORVANE_ROOT/build/release/tools/corvane_gallery" "$CORVANE_ROOT/build/release" \
    "$CORVANE_ROOT/assets/sprites/catalog.txt" "$OUTPUT"
for bitmap in "$OUTPUT"/*.bmp; do
    convert "$bitmap" "${bitmap%.bmp}.png"
    rm "$bitmap"
done
echo "Pictures in $OUTPUT"
