// The game's main function, called by the platform entry with the command line.
#pragma once

// Runs the whole program; returns the process exit code.
int gameMain(int argc, char** argv);
// Runs logic ticks and frames until the window closes or the game asks to exit.
void runMainLoop();
