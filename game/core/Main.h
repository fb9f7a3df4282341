// The game's main function, called by the platform entry with the command line.
#pragma once

// Runs the whole program; returns the process exit code. Options: "--record FILE" records the
// play into a replay file; "--replay FILE" plays one back and fails (exit code 3) when it ends
// in another state than recorded; "--editor [MAP]" opens the level editor on the map (by default
// the start map).
int gameMain(int argc, char** argv);
