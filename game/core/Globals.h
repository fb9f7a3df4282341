// Game-wide globals and flags.
#pragma once

// The logical screen the game draws on; the window is this times SCREEN_SCALE_FACTOR.
constexpr int SCREEN_W_UNSCALED = 320;
constexpr int SCREEN_H_UNSCALED = 240;

extern int SCREEN_SCALE_FACTOR;
extern int SCREEN_W;
extern int SCREEN_H;

// Set to true to leave the main loop.
extern int GAME_EXIT_REQUESTED;
// The in-game menu is open: only the menu runs each tick.
extern int showInGameMenu;
// The save browser is open over the game: it runs each tick in place of the world.
extern int showSaveBrowser;
// Set by an inhabitant that walked through a map exit; from then on the current map's object
// vector is rebuilt at the end of every tick.
extern int rebuildMapSpecificWorldObjectVectorNextLoop;
// Set by a teleport that changed the map; the tick clears it and runs no more object logic.
extern int skipRunningMapSpecificWorldObjectLogicThisLoop;
// While true the main loop runs the level editor's step and frame instead of the game's.
extern int editorMode;

// Sets the whole-number screen scale and the window size; takes effect at the next video mode.
void setScreenScaleFactor(int factor);
