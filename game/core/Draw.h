// One frame of the game.
#pragma once

#include <functional>

// Draws one frame in logical coordinates; swaps buffers when swap is non-zero.
void draw(int swap);

// Presents one frame: the drawing, in logical 320 x 240 coordinates, scaled to the window, then
// the buffers swapped. Every loop that draws (the game, each screen) presents its frames this
// way.
void presentFrame(const std::function<void()>& drawLogical);
