// One-time start-up and shutdown of the whole program.
#pragma once

class MapMusicNames;
class TilesetNames;

extern TilesetNames* TILESET_NAMES;
extern MapMusicNames* globalMapMusicNames;

// Starts the engine, opens the log, the settings, the window and audio, and creates the
// game-wide objects; false on failure, with earlier steps left for deinit to undo.
int init(const char* programPath);
// Releases everything init created; safe after a partial init.
void deinit();
// Opens audio at the rate the settings' audio quality selects; false when none is selected.
int initAudioBasedOnSettings();
