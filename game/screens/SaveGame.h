// Saving the running game into a slot directory, with its progress screen.
#pragma once

// Writes the game state, the statistics and a preview into the slot directory (such as
// "./data/saves/007") all at once: on any failure the slot keeps its previous save. False (and
// logged) when the save failed.
bool saveGame(const char* slotPath);
// Progress of the world objects being written: draws the "Saving" bar over the captured screen.
void _updateSaveGameScreen(int current, int total);
