#!/usr/bin/env bash
# Builds the game, runs it on a private virtual X server and saves a picture of its window.
# Usage: tools/screenshot.sh [OUTPUT.png] [SECONDS_BEFORE_THE_SHOT]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

OUTPUT="$(realpath -m "${1:-corvane.png}")"
DELAY="${2:-2}"

"$CORVANE_ROOT/tools/install-dependencies.sh"
build_release

run_headless bash -c '
    set -euo pipefail
    "$1" & GAME_PID=$!
    WINDOW=$(timeout 30 xdotool search --sync --all --pid "$GAME_PID" --name "^Corvane$" | head -n 1)
    sleep "$3"
    import -window "$WINDOW" "$2"
    xdotool windowfocus --sync "$WINDOW" keydown Escape
    wait "$GAME_PID"
    xdotool keyup Escape
' screenshot "$CORVANE_ROOT/build/release/corvane" "$OUTPUT" "$DELAY"
echo "Saved $OUTPUT"
