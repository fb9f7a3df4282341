#!/usr/bin/env bash
# Runs the real corvane binary for a number of seconds on a private X server and reports the
# processor time it used (user and system time of all its threads, Mesa's rasterisers among
# them, in cores, over the run after the first two seconds of start-up), its frames per second
# (from a recording of the run), its peak resident memory and how much of that is its own rather
# than shared library pages (Mesa's JIT library alone is most of it).
# Usage: bench/measure-binary.sh CORVANE_BINARY [SECONDS]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"
GAME="$(realpath "$1")"
SECONDS_TO_RUN="${2:-10}"
RECORDING="$(mktemp)"
trap 'rm -f "$RECORDING"' EXIT

run_headless bash -c '
    # Clock ticks of user and system time of all the threads of the process.
    cpu_ticks() { awk "{print \$14 + \$15}" "/proc/$1/stat"; }
    "$1" --record "$2" & GAME_PID=$!
    sleep 2
    START_TICKS=$(cpu_ticks "$GAME_PID")
    START=$(date +%s.%N)
    sleep "$(($3 - 2))"
    END_TICKS=$(cpu_ticks "$GAME_PID")
    END=$(date +%s.%N)
    awk -v ticks=$((END_TICKS - START_TICKS)) -v hz="$(getconf CLK_TCK)" -v start="$START" \
        -v end="$END" "BEGIN {printf \"processor time: %.2f cores\\n\", ticks / hz / (end - start)}"
    PEAK=$(awk "/VmHWM/ {print \$2}" "/proc/$GAME_PID/status")
    ANONYMOUS=$(awk "/RssAnon/ {print \$2}" "/proc/$GAME_PID/status")
    kill -TERM "$GAME_PID"
    wait "$GAME_PID"
    echo "peak resident memory: $((PEAK / 1024)) MiB"
    echo "resident memory of its own (heap, stacks, anonymous maps) at the end: $((ANONYMOUS / 1024)) MiB"
' measure "$GAME" "$RECORDING" "$SECONDS_TO_RUN"
awk '/^frames/ {printf "frames per second: %.1f (%d frames in %.1f s)\n", $2 * 1000 / $4, $2, $4 / 1000}' "$RECORDING"
