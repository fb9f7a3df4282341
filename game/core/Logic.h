// One game logic tick and the start of a new game.
#pragma once

// Puts the world and the player at the start of a new game; false when the start map is missing.
int initNewGame();
// Steps the game by one tick.
void logic();
