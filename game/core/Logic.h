// One game logic tick and the start of a new game.
#pragma once

// The map a new game starts on, inside the data tree.
inline constexpr const char* START_MAP = "maps/arnion/arnion1";

// Puts the world and the player at the start of a new game; false when the start map is missing.
int initNewGame();
// The same on another map (the editor's); false when that map cannot be loaded.
int initNewGameOnMap(const char* mapPath);
// Steps the game by one tick.
void logic();
