#!/usr/bin/env bash
# Makes the committed replays anew from their route scripts (tests/data/routes/NAME.route gives
# tests/data/replays/NAME.replay) by playing each route on the real game, on a private X server.
# Run it when a change to the game or the levels changes what the routes play through.
# Usage: tools/make-replays.sh [ROUTE...]   (default: every route)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$CORVANE_ROOT/tools/install-dependencies.sh"
build_release

ROUTES=("$@")
if [ ${#ROUTES[@]} -eq 0 ]; then
    ROUTES=("$CORVANE_ROOT"/tests/data/routes/*.route)
fi
for route in "${ROUTES[@]}"; do
    replay="$CORVANE_ROOT/tests/data/replays/$(basename "$route" .route).replay"
    run_headless "$CORVANE_ROOT/build/release/tools/corvane_route" "$CORVANE_ROOT/build/release" \
        "$route" "$replay" | tail -n 1
    echo "Made $replay"
done
