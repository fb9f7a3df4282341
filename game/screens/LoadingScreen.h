// The loading screen that covers the start of a new game: the picture it opens over slides
// right, then the world's objects load while the screen brightens from black to white and the
// back picture shows from the bottom up.
#pragma once

class PXTexture;

// Slides the background (may be null) away, loads the world object list with its progress
// shown, then unloads the screen's two pictures.
void loadingScreen(PXTexture* background);
// Draws one frame of the screen: the background at the offset, progress current of total.
void _drawLoadingScreen(PXTexture* background, int offset, int current, int total);
// The progress callback of the load: keeps the window responsive and presents a frame when a
// tick was due since the last one, and always the last.
void _updateLoadingScreen(int current, int total);
