#!/usr/bin/env bash
# A short, repeatable fuzz run: fresh seeds, a fixed random seed, a time limit, and a hard kill
# should the fuzzer itself hang. The inputs of faults found before are replayed first, each on
# its own; a crash makes the fuzzer exit non-zero and keeps its input.
# Usage: smoke.sh FUZZER SEED_WRITER WORK_DIR SECONDS [REGRESSIONS_DIR]
set -euo pipefail
FUZZER="$1"
SEED_WRITER="$2"
WORK_DIR="$3"
SECONDS_TO_RUN="$4"
REGRESSIONS="${5:-}"
FUZZ_OPTIONS=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$WORK_DIR/crashes/")

rm -rf "$WORK_DIR/corpus"
mkdir -p "$WORK_DIR/corpus" "$WORK_DIR/crashes"
"$SEED_WRITER" "$WORK_DIR/corpus"
cd "$WORK_DIR"
if [ -n "$REGRESSIONS" ] && [ -d "$REGRESSIONS" ]; then
    mapfile -t INPUTS < <(find "$REGRESSIONS" -type f | sort)
    if [ "${#INPUTS[@]}" -gt 0 ]; then
        timeout -s KILL 120 "$FUZZER" "${FUZZ_OPTIONS[@]}" "${INPUTS[@]}"
    fi
fi
timeout -s KILL $((SECONDS_TO_RUN + 60)) "$FUZZER" -seed=1 -max_total_time="$SECONDS_TO_RUN" \
    "${FUZZ_OPTIONS[@]}" "$WORK_DIR/corpus"
