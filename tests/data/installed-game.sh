#!/usr/bin/env bash
# Installs the game into a temporary prefix, makes the installed tree read-only and plays it as a
# user with a home of their own: the command line, an options change, a save at a save station
# (through a replay), and loading that save in a new run. Everything the game writes must land in
# the user's folder; the prefix must be left exactly as installed. Runs on a private X server, so
# no other test's window takes the keys it presses.
# Usage: installed-game.sh BUILD_DIR SAVE_REPLAY VERSION
set -euo pipefail
BUILD="$1"
REPLAY="$(realpath "$2")"
VERSION="$3"

WORK="$(mktemp -d)"
GAME_PID=""
XVFB_PID=""
finish() {
    for pid in $GAME_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
    done
    chmod -R u+w "$WORK"
    rm -rf "$WORK"
}
trap finish EXIT
fail() {
    echo "FAILED: $*" >&2
    [ -f "$USER_FOLDER/log.txt" ] && tail -n 20 "$USER_FOLDER/log.txt" >&2
    exit 1
}

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
chmod -R a-w "$PREFIX"
GAME="$PREFIX/bin/corvane"
for installed in share/corvane/worldObjects.mol share/applications/corvane.desktop \
    share/icons/hicolor/64x64/apps/corvane.png share/icons/hicolor/128x128/apps/corvane.png \
    share/doc/corvane/README.md; do
    [ -f "$PREFIX/$installed" ] || fail "$installed is not installed"
done
# Every path with its mode and every file's checksum.
listing() {
    (cd "$PREFIX" && find . -printf '%p %m\n' | sort && find . -type f -exec sha256sum {} + | sort)
}
BEFORE="$(listing)"

export HOME="$WORK/home" XDG_DATA_HOME="$WORK/xdg"
USER_FOLDER="$XDG_DATA_HOME/corvane"
mkdir -p "$HOME"

# The command line.
HELP="$("$GAME" --help)" || fail "--help did not exit with 0"
for expected in --record --replay --fast --editor "data folder: $PREFIX/share/corvane" \
    "user folder: $USER_FOLDER"; do
    grep -qF -- "$expected" <<<"$HELP" || fail "--help lacks $expected: $HELP"
done
[ "$("$GAME" --version)" = "corvane $VERSION" ] || fail "--version: $("$GAME" --version)"
CODE=0
"$GAME" --no-such-option >"$WORK/out" 2>"$WORK/err" || CODE=$?
[ "$CODE" = 2 ] && [ ! -s "$WORK/out" ] && grep -qF -- "--replay FILE" "$WORK/err" ||
    fail "a bad option gave $CODE: $(cat "$WORK/out" "$WORK/err")"

mkfifo "$WORK/display"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
read -r DISPLAY_NUMBER <"$WORK/display"
export DISPLAY=":$DISPLAY_NUMBER"

# Runs the game with the options and waits for its window.
launch() {
    "$GAME" "$@" 2>>"$WORK/stderr" &
    GAME_PID=$!
    WINDOW="$(timeout 30 xdotool search --sync --all --pid "$GAME_PID" --name '^Corvane$' |
        head -n 1)"
    [ -n "$WINDOW" ] || fail "no window"
}
press() {
    local key
    for key in "$@"; do
        xdotool windowfocus --sync "$WINDOW" keydown "$key"
        sleep 0.2
        xdotool keyup "$key"
    done
}
waitForLog() {
    for _ in $(seq 150); do
        grep -qF "$1" "$USER_FOLDER/log.txt" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "the log never said: $1"
}
# True while the game runs (an ended child stays a zombie until it is waited for).
running() {
    local state
    state="$(ps -o stat= -p "$GAME_PID" || true)"
    [ -n "$state" ] && [ "${state:0:1}" != Z ]
}
waitForExit() {
    for _ in $(seq 300); do
        if ! running; then
            local code=0
            wait "$GAME_PID" || code=$?
            GAME_PID=""
            [ "$code" = 0 ] || fail "the game ended with $code"
            return 0
        fi
        sleep 0.1
    done
    fail "the game did not end"
}
toTitle() {
    press Return
    waitForLog "titleForeground.png"
    sleep 0.5
}

# Options: lower the music volume for a second, "Back" saves it, then quit.
launch
toTitle
press Down Down Down Return
sleep 1
press Down Down
xdotool windowfocus --sync "$WINDOW" keydown Left
sleep 1
xdotool keyup Left
press Down Down Down Down Return
waitForLog "Saving Settings... success!"
press Down Return
waitForExit
[ "$(stat -c %s "$USER_FOLDER/gameSettings.txt")" = 80 ] || fail "no settings file"
MUSIC_VOLUME="$(od -An -tu4 -j8 -N4 "$USER_FOLDER/gameSettings.txt" | tr -d ' ')"
[ "$MUSIC_VOLUME" -lt 108 ] || fail "the music volume stayed at $MUSIC_VOLUME"

# A save at the station of the first map.
"$GAME" --replay "$REPLAY" --fast >/dev/null 2>>"$WORK/stderr" || fail "the save replay failed"
for file in sav.cvs sav.cvt prv.bmp sav.sum; do
    [ -s "$USER_FOLDER/saves/001/$file" ] || fail "the save lacks $file"
done

# A new run reads the settings and loads the save from the title's "Load game".
launch
waitForLog "Loading Settings...
Success!"
toTitle
press Down Return
sleep 1
press Down Return
waitForLog "Loading saved game on map: arnion1"
# The platform's quit request ends play cleanly, however slowly the machine answers keys.
kill -TERM "$GAME_PID"
waitForExit

# A user folder that cannot be made: the game still plays, and saves nothing.
touch "$WORK/a-file"
XDG_DATA_HOME="$WORK/a-file" "$GAME" --replay "$REPLAY" --fast >/dev/null 2>"$WORK/unsaved" ||
    fail "without a user folder the replay failed: $(cat "$WORK/unsaved")"
grep -qF "Unable to make the user folder" "$WORK/unsaved" || fail "$(cat "$WORK/unsaved")"
cat "$WORK/unsaved" >>"$WORK/stderr"

grep -q "Sanitizer\|runtime error" "$WORK/stderr" && fail "$(cat "$WORK/stderr")"
[ "$(listing)" = "$BEFORE" ] || fail "the prefix changed: $(diff <(echo "$BEFORE") <(listing))"
echo "the installed game kept its files in $USER_FOLDER and left the prefix untouched"
