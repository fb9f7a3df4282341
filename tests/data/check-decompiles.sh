#!/usr/bin/env bash
# Every built map, decompiled with its objects into a level source, compiles back to the same
# bytes: the sources rebuilt from the built maps give the same map files and the same whole world
# object list (the compiler writes objects in level and line order, the decompiler in list order).
# Usage: check-decompiles.sh MAP_COMPILER ASSETS_DIR BUILT_DATA_DIR
set -euo pipefail
MAP_COMPILER="$1"
ASSETS="$2"
BUILT="$(cd "$3" && pwd)"

FRESH="$(mktemp -d)"
trap 'rm -rf "$FRESH"' EXIT
mkdir -p "$FRESH/assets"
cp -r "$ASSETS/tilesets" "$FRESH/assets/tilesets"
count=0
for map in "$BUILT"/maps/*/*; do
    level="$FRESH/assets/maps/${map#"$BUILT"/maps/}.map"
    mkdir -p "$(dirname "$level")"
    "$MAP_COMPILER" --decompile "$ASSETS" "$map" "$BUILT/worldObjects.mol" > "$level"
    count=$((count + 1))
done
"$MAP_COMPILER" "$FRESH/assets" "$FRESH/maps" "$FRESH/worldObjects.mol"
diff -r "$BUILT/maps" "$FRESH/maps"
cmp "$BUILT/worldObjects.mol" "$FRESH/worldObjects.mol"
echo "All $count maps compile back from their decompiled sources to the same bytes."
