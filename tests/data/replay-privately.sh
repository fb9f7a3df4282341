#!/usr/bin/env bash
# Plays a recorded replay fast (drawing now and then) with a private copy of the game and its
# data, so the settings file the game writes never lands in the built data tree while other tests
# read it.
# Usage: replay-privately.sh CORVANE_BINARY REPLAY_FILE
set -euo pipefail
GAME="$1"
REPLAY="$(realpath "$2")"

INSTALLATION="$(mktemp -d)"
trap 'rm -rf "$INSTALLATION"' EXIT
cp -r "$(dirname "$GAME")/data" "$INSTALLATION/data"
cp "$GAME" "$INSTALLATION/corvane"
"$INSTALLATION/corvane" --replay "$REPLAY" --fast
