// One-time start-up and shutdown of the whole program.
#pragma once

// Starts the engine, opens the window and creates the game-wide objects; false on failure.
int init(const char* programPath);
// Releases everything init created; safe after a partial init.
void deinit();
