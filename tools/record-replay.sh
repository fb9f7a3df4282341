#!/usr/bin/env bash
# Records a scripted play-through of the demo world (after the intro: run right, jump, run back)
# into a replay file, on a private X server. The replay test plays the committed one back.
# Usage: tools/record-replay.sh OUTPUT.replay
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

OUTPUT="$(realpath -m "${1:?usage: tools/record-replay.sh OUTPUT.replay}")"
"$CORVANE_ROOT/tools/install-dependencies.sh"
build_release

run_headless bash -c '
    set -euo pipefail
    "$1" --record "$2" & GAME_PID=$!
    WINDOW=$(timeout 30 xdotool search --sync --all --pid "$GAME_PID" --name "^Corvane$" | head -n 1)
    xdotool windowfocus --sync "$WINDOW"
    sleep 10
    xdotool keydown Right; sleep 1.5
    xdotool keydown space; sleep 0.4; xdotool keyup space; sleep 1
    xdotool keyup Right
    xdotool keydown Left; sleep 0.8; xdotool keyup Left; sleep 0.5
    xdotool keydown Escape
    wait "$GAME_PID"
    xdotool keyup Escape
' record "$CORVANE_ROOT/build/release/corvane" "$OUTPUT"
echo "Recorded $OUTPUT"
