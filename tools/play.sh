#!/usr/bin/env bash
# Builds Corvane (Release) and starts it. Without a display it runs on a virtual X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$CORVANE_ROOT/tools/install-dependencies.sh"
build_release

GAME="$CORVANE_ROOT/build/release/corvane"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display found: Corvane runs on a virtual X server (Ctrl+C quits)."
    exec xvfb-run -a -s "$CORVANE_XVFB_SCREEN" "$GAME"
fi
exec "$GAME"
