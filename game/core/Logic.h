// One game logic tick.
#pragma once

// Steps the game by one tick.
void logic();
