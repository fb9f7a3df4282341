#!/usr/bin/env bash
# Builds the data tree again from the sources into a fresh folder and compares it with the built
# one: the generators must give identical bytes, and the built tree must hold nothing stale.
# Usage: check-deterministic.sh PYTHON MAP_COMPILER ASSETS_DIR BUILT_DATA_DIR
set -euo pipefail
PYTHON="$1"
MAP_COMPILER="$2"
ASSETS="$3"
BUILT="$4"
GENERATORS="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/data" && pwd)"

FRESH="$(mktemp -d)"
trap 'rm -rf "$FRESH"' EXIT
PYTHONDONTWRITEBYTECODE=1 "$PYTHON" "$GENERATORS/build_data.py" "$ASSETS" "$FRESH/data" > /dev/null
"$MAP_COMPILER" "$ASSETS" "$FRESH/data/maps" "$FRESH/data/worldObjects.mol" > /dev/null
# Files the game writes into its data folder when run from the build tree are not generated.
diff -r --exclude=gameSettings.txt --exclude=s.list --exclude=saves "$BUILT" "$FRESH/data"
echo "The data tree rebuilt from its sources is identical."
