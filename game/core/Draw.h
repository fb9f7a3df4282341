// One frame of the game.
#pragma once

// Draws one frame in logical coordinates; swaps buffers when swap is non-zero.
void draw(int swap);
