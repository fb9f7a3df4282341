#!/usr/bin/env bash
# Soak run: plays the whole-game replay fast from a new game again and again, in one process, for
# the given time, in the sanitizer build and in the release build at the same time (on one private
# X server), and prints each build's peak and current resident memory and heap in use after every
# pass.
# It fails when a pass ends in another state than recorded, when a sanitizer reports anything,
# or when, from the second pass on, the heap a build holds between passes grows by more than
# 2 MiB, or the release build's peak resident memory does.
# The sanitizer build's peak is printed but not judged: its allocator keeps freed blocks in
# quarantine and in fixed size classes, and its footprint creeps up (about 50 KiB a pass, even
# with no quarantine) while the bytes it has handed out stay the same to a few KiB.
# Usage: tools/soak.sh [DURATION]   (seconds, or with s, m or h: 90s, 30m, 1h; default 5m)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

DURATION="${1:-5m}"
REPLAY="$CORVANE_ROOT/tests/data/replays/whole-game.replay"
ALLOWED_GROWTH_KIB=2048

seconds_of() {
    local amount="${1%[smh]}"
    if ! [[ "$amount" =~ ^[0-9]+$ ]]; then
        echo "soak: bad duration '$1' (seconds, or with s, m or h)" >&2
        exit 2
    fi
    case "$1" in
    *h) echo $((amount * 3600)) ;;
    *m) echo $((amount * 60)) ;;
    *) echo "$amount" ;;
    esac
}
SECONDS_PER_BUILD="$(seconds_of "$DURATION")"

# build_soak DIR CMAKE_OPTION...: configures the build once, then brings the program and data up
# to date.
build_soak() {
    local dir="$1"
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$CORVANE_ROOT" -B "$dir" -G Ninja -DCORVANE_BUILD_TESTS=OFF \
            -DCORVANE_BUILD_BENCHMARKS=OFF "$@"
    fi
    cmake --build "$dir" -j "$(nproc)" --target corvane_soak corvane_data
}
build_soak "$CORVANE_ROOT/build/soak-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON
build_soak "$CORVANE_ROOT/build/soak-rel" -DCMAKE_BUILD_TYPE=Release

WORK="$(mktemp -d)"
XVFB_PID=""
cleanup() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

# A private X server on the first free display, which it writes to the file.
Xvfb -displayfd 3 $CORVANE_XVFB_SCREEN -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
done
if [ ! -s "$WORK/display" ]; then
    echo "soak: the X server did not start" >&2
    cat "$WORK/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$WORK/display")"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy SDL12COMPAT_OPENGL_SCALING=0
export LSAN_OPTIONS="suppressions=$CORVANE_ROOT/tests/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Fixed thresholds: glibc then hands large freed blocks back to the system at once instead of
# keeping them, so the release figures show what the game holds.
export MALLOC_MMAP_THRESHOLD_=131072 MALLOC_TRIM_THRESHOLD_=131072

# soak_build NAME BUILD_DIR JUDGE_PEAK: plays the passes with a private copy of the build's data
# (the game writes its log and settings beside it), printing them as they come, and judges the
# heap, and the peak when JUDGE_PEAK is 1, from the second pass on; its status is the verdict.
soak_build() {
    local name="$1" build="$2" judgePeak="$3"
    local game="$WORK/$name"
    mkdir -p "$game"
    cp -r "$build/data" "$game/data"
    local status=0
    # A pass may start just before the time is up; the margin lets it finish.
    timeout -k 10 $((SECONDS_PER_BUILD * 2 + 600)) "$build/tools/corvane_soak" "$game" "$REPLAY" \
        "$SECONDS_PER_BUILD" 2>"$game/stderr" | tee "$game/passes" | sed -u "s/^/[$name] /" ||
        status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ]; then
        echo "[$name] FAILED: the soak program exited with status $status" >&2
    fi
    if grep -qE "ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: " "$game/stderr"; then
        echo "[$name] FAILED: the sanitizers reported:" >&2
        status=1
    fi
    if [ "$status" -ne 0 ]; then
        sed "s/^/[$name] /" "$game/stderr" >&2
        return 1
    fi
    # Every pass from the second on stays within the allowed growth of the second pass's heap,
    # the sharper test of memory the game keeps, and of its peak where that is judged.
    awk -v name="$name" -v allowed="$ALLOWED_GROWTH_KIB" -v base=2 -v judgePeak="$judgePeak" '
        $1 == "pass" {
            passes = $2
            if ($2 == base) { basePeak = $8; baseHeap = $12 }
            if ($8 > highest) highest = $8
            if ($12 > highestHeap) highestHeap = $12
        }
        END {
            if (passes < base) {
                printf "[%s] FAILED: %d passes, too few to judge from pass %d\n", name, passes, base > "/dev/stderr"
                exit 1
            }
            growth = highest - basePeak
            heapGrowth = highestHeap - baseHeap
            printf "[%s] %d passes; peak resident memory %d KiB after pass %d, %d KiB at the end (+%d KiB); heap in use %d KiB after pass %d, at most %d KiB (+%d KiB)%s\n", name, passes, basePeak, base, highest, growth, baseHeap, base, highestHeap, heapGrowth, judgePeak ? "" : "; the peak is not judged"
            if ((judgePeak && growth > allowed) || heapGrowth > allowed) {
                printf "[%s] FAILED: memory grew by more than %d KiB\n", name, allowed > "/dev/stderr"
                exit 1
            }
        }' "$game/passes"
}

echo "Soaking both builds for $SECONDS_PER_BUILD seconds each, at the same time, on display $DISPLAY"
soak_build sanitizers "$CORVANE_ROOT/build/soak-asan" 0 &
SANITIZERS_PID=$!
soak_build release "$CORVANE_ROOT/build/soak-rel" 1 &
RELEASE_PID=$!
verdict=0
wait "$SANITIZERS_PID" || verdict=1
wait "$RELEASE_PID" || verdict=1
if [ "$verdict" -ne 0 ]; then
    echo "SOAK FAILED" >&2
    exit 1
fi
echo "Soak passed"
