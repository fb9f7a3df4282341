// Recording and replaying play. A replay file holds the random seed and, for every logic tick,
// the input the game saw, so a replay runs the same ticks to the same end. Text, versioned:
//
//   corvane-replay 1
//   seed 1733526000
//   input 0 keys=- buttons=0 hat=0 axes=0,0,0,0,0,0,0,0
//   input 35 keys=100,133 buttons=0 hat=0 axes=0,0,0,0,0,0,0,0
//   ticks 600
//   state map=arnion1 player=152,336 camera=0,240 powers=0x01 nuts=1 happy=1,0,0,0,0,0 secrets=-
//   frames 612 milliseconds 10016
//
// An "input" line is written only for ticks whose input differs from the tick before; "keys"
// lists the engine key codes held. "state" is the game's state after the last tick; "frames"
// is optional (how many frames were drawn while recording, and in how long).
#pragma once

#include "engine/PXKeyboard.h"

#include <array>
#include <map>
#include <optional>
#include <string>

struct ReplayInput {
    std::array<bool, PX_KEY_LAST + 1> keys{};
    int buttons = 0;
    int hat = 0;
    std::array<int, 8> axes{};

    bool operator==(const ReplayInput&) const = default;
};

// The engine's input tables as they are now.
ReplayInput currentReplayInput();
// Sets the engine's input tables to the input, pressing and releasing keys and buttons as the
// event pump would, so once-queries behave as in the recorded play.
void applyReplayInput(const ReplayInput& input);
// The state a replay must end in: the current map, the player's position, the camera, the
// powerup bits, the hex nuts collected, the happy inhabitants of each race (Flowrian, Dom,
// Negg, Oller, Raam, Vonil) and the unlocked secrets.
std::string replayStateLine();

struct Replay {
    static constexpr int kVersion = 1;

    unsigned int seed = 0;
    int ticks = 0;
    // Input by the tick from which it holds.
    std::map<int, ReplayInput> inputs;
    std::string finalState;
    int frames = 0;
    unsigned int milliseconds = 0;

    // The input of a tick: the last change at or before it.
    ReplayInput inputAt(int tick) const;
    // Appends a tick's input, stored only when it differs from the tick before.
    void recordTick(const ReplayInput& input);

    // Writes the replay through a temporary file; false on any write error.
    bool save(const std::string& path) const;
    // Reads a replay; nothing when the file is missing, of another version or malformed.
    static std::optional<Replay> load(const std::string& path);
};

// Where playing a replay ended.
struct ReplayOutcome {
    std::string reachedState;
    unsigned int milliseconds = 0;
};

// Starts a new game as the recording did (its seed, the secrets list without its file) and plays
// every tick of the replay, drawing a frame after each or, fast, only now and then and after the
// last; nothing when the new game cannot start.
std::optional<ReplayOutcome> playReplay(const Replay& replay, bool fast);
