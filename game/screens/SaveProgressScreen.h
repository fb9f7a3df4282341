// The progress screen shown while a game is saved or loaded: a bar with a label over a capture
// of the screen.
#pragma once

class PXTexture;

// The bar's fill for the step: current / total within 0..1, full for a total of 0 or less.
float saveProgressFraction(int current, int total);
// One step of a save or load: keeps the window responsive and, when a tick was due since the
// last frame or the step is the last, presents the label and the bar over the background (none
// for null).
void showSaveProgress(const char* label, PXTexture* background, int current, int total);
