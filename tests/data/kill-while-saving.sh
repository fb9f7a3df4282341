#!/usr/bin/env bash
# Kills the real game with SIGKILL at random moments while it saves into one slot again and
# again, with private copies of the game and its data. Every run first checks what the killed
# run before it left: the slot must load whole as the previous or the new save (see SaveLoop.cpp).
# The kills are shared between two lanes, each with its own copy, that run side by side.
# Usage: kill-while-saving.sh SAVE_LOOP_PROGRAM DATA_DIR [KILLS]   (SEED=n repeats a run)
set -euo pipefail
PROGRAM="$1"
DATA="$2"
KILLS="${3:-200}"
SEED="${SEED:-$$}"
echo "kills: $KILLS, seed: $SEED"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# Reads a run's report up to "ready" (or its end) from descriptor 3 into $report, counting a save
# the kill before cut off, and whether the slot then held that new save or the previous one. The
# window a kill falls in grows while killed runs finish no save (a loaded machine saves slowly)
# and shrinks while they finish several, so kills hit first saves and later ones alike.
read_report() {
    local line
    report=""
    while IFS= read -r line <&3; do
        report+="$line"$'\n'
        if [[ "$line" =~ ^slot\ holds\ save\ ([0-9]+)\ \(begun\ ([0-9]+),\ made\ ([0-9]+)\)$ ]]; then
            local held="${BASH_REMATCH[1]}" begun="${BASH_REMATCH[2]}" made="${BASH_REMATCH[3]}"
            if [ "$begun" != "$made" ]; then
                interrupted=$((interrupted + 1))
                [ "$held" = "$begun" ] && finished=$((finished + 1))
            fi
            if [ "$made" -eq "$last_made" ]; then
                window=$((window < 1000 ? window + 100 : window))
            elif [ $((made - last_made)) -gt 3 ]; then
                window=$((window > 100 ? window - 50 : window))
            fi
            last_made="$made"
        fi
        [ "$line" = ready ] && return 0
    done
    return 1
}

# One lane: its own copy of the game, killed the given number of times, then checked once more.
lane() {
    local name="$1" kills="$2" installation="$WORK/$1" pid status delay
    RANDOM=$((SEED + $1))
    interrupted=0
    finished=0
    window=200
    last_made=-1
    mkdir "$installation"
    cp -r "$DATA" "$installation/data"
    rm -rf "$installation/data/saves"
    cp "$PROGRAM" "$installation/save-loop"
    mkfifo "$installation/report"
    for ((kill = 0; kill <= kills; kill++)); do
        local mode=save
        [ "$kill" -eq "$kills" ] && mode=check
        "$installation/save-loop" "$mode" > "$installation/report" 2>&1 &
        pid=$!
        exec 3< "$installation/report"
        if ! read_report && [ "$mode" = save ]; then
            printf 'lane %s: the game stopped by itself:\n%s' "$name" "$report"
            return 1
        fi
        if [ "$mode" = save ]; then
            delay=$((RANDOM % window))
            sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
            kill -KILL "$pid"
        fi
        status=0
        wait "$pid" 2> /dev/null || status=$?
        exec 3<&-
        if [ "$status" -ne "$([ "$mode" = save ] && echo 137 || echo 0)" ]; then
            printf 'lane %s: the game ended with status %d:\n%s' "$name" "$status" "$report"
            return 1
        fi
    done
    printf 'lane %s: %d kills; %d cut a save off, after which the slot held the new save %d times' \
        "$name" "$kills" "$interrupted" "$finished"
    printf ' and the previous one %d times; %s' "$((interrupted - finished))" "$report"
}

lane 1 $((KILLS / 2)) &
first=$!
lane 2 $((KILLS - KILLS / 2)) &
second=$!
status=0
wait "$first" || status=1
wait "$second" || status=1
exit "$status"
