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
    # Past the logo, up from the title menu's first entry to "Quit", and confirm it.
    xdotool windowfocus --sync "$WINDOW"
    for key in Return Up Return; do
        xdotool keydown "$key"; sleep 0.2; xdotool keyup "$key"; sleep 0.5
    done
    wait "$GAME_PID"
' screenshot "$CORVANE_ROOT/build/release/corvane" "$OUTPUT" "$DELAY"
echo "Saved $OUTPUT"
