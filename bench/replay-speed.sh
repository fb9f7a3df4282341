#!/usr/bin/env bash
# Plays a replay fast, as the replay test does, and reports the logic ticks per second of play.
# Usage: bench/replay-speed.sh CORVANE_BINARY REPLAY_FILE   (a Release build gives real figures)
set -euo pipefail
GAME="$(realpath "$1")"
REPLAY="$(realpath "$2")"
REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUTPUT="$(SDL_AUDIODRIVER=dummy SDL12COMPAT_OPENGL_SCALING=0 xvfb-run -a \
    "$REPO/tests/data/replay-privately.sh" "$GAME" "$REPLAY")"
echo "$OUTPUT"
echo "$OUTPUT" | awk '/^played/ { printf "%.0f ticks per second (%.1f minutes of play in %.2f s)\n", $2 / ($5 / 1000), $2 / 3600, $5 / 1000 }'
