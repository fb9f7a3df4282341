// Loading a saved game from a slot directory, with its progress screen.
#pragma once

#include "GameStatistics.h"
#include "game/objects/WorldObjectVector.h"

#include <cstdio>
#include <optional>
#include <string>

// A game state read whole from a "sav.cvs" stream and checked, not yet applied to the game.
struct SavedGame {
    int version = 0;
    std::string mapName;
    // The player's and the minimap's blocks as stored, for their own readers.
    std::string playerBlock;
    std::string minimapBlock;
    GameStatistics statistics;
    WorldObjectList objects;
    int collectedHexNuts = 0;
};

// Reads and checks a whole saved game state, touching nothing of the running game; nothing
// (logged) when a part is missing, short, out of range or followed by stray bytes.
std::optional<SavedGame> readSavedGame(FILE* stream, WorldObjectProgress progress);

// Replaces the running game with the slot's saved one. Everything, the map included, is read
// and checked first: false (and logged) leaves the running game exactly as it was.
bool loadGame(const char* slotPath);
// Progress of the world objects being read: draws the "Loading" bar over the captured screen.
void _updateLoadGameScreen(int current, int total);
