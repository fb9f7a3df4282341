#!/usr/bin/env bash
# Records a scripted play-through of the demo world into a replay file, on a private X server,
# pressing keys as a person does: a check that real key presses reach the game the way route
# scripts assume (the committed replays are made from routes by tools/make-replays.sh).
# Usage: tools/record-replay.sh SCENARIO OUTPUT.replay [GAME_BINARY]
# Scenarios, each starting with a new game and its intro:
#   run-and-jump   run right, jump, run back
# Without GAME_BINARY the Release build is made and used.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SCENARIO="${1:?usage: tools/record-replay.sh SCENARIO OUTPUT.replay [GAME_BINARY]}"
OUTPUT="$(realpath -m "${2:?usage: tools/record-replay.sh SCENARIO OUTPUT.replay [GAME_BINARY]}")"
GAME="${3:-}"
if [ -z "$GAME" ]; then
    "$CORVANE_ROOT/tools/install-dependencies.sh"
    build_release
    GAME="$CORVANE_ROOT/build/release/corvane"
fi
GAME="$(realpath "$GAME")"

run_headless bash -c '
    set -euo pipefail
    # hold KEY SECONDS: keeps the key down for a while, as a finger does.
    hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

    "$1" --record "$2" & GAME_PID=$!
    WINDOW=$(timeout 30 xdotool search --sync --all --pid "$GAME_PID" --name "^Corvane$" | head -n 1)
    xdotool windowfocus --sync "$WINDOW"
    sleep 10
    case "$3" in
    run-and-jump)
        xdotool keydown Right; sleep 1.5
        hold space 0.4; sleep 1
        xdotool keyup Right
        hold Left 0.8; sleep 0.5
        ;;
    *)
        echo "unknown scenario $3" >&2
        kill "$GAME_PID"
        exit 2
        ;;
    esac
    xdotool keydown Escape
    wait "$GAME_PID"
    xdotool keyup Escape
' record "$GAME" "$OUTPUT" "$SCENARIO"
echo "Recorded $OUTPUT"
