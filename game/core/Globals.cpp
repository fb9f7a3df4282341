#include "Globals.h"

#include "engine/PXInit.h"

int SCREEN_SCALE_FACTOR = 2;
int SCREEN_W = SCREEN_W_UNSCALED * SCREEN_SCALE_FACTOR;
int SCREEN_H = SCREEN_H_UNSCALED * SCREEN_SCALE_FACTOR;

int GAME_EXIT_REQUESTED = PX_FALSE;
int showInGameMenu = PX_FALSE;
int showSaveBrowser = PX_FALSE;
int rebuildMapSpecificWorldObjectVectorNextLoop = PX_FALSE;
int skipRunningMapSpecificWorldObjectLogicThisLoop = PX_FALSE;
int editorMode = PX_FALSE;

void setScreenScaleFactor(int factor) {
    SCREEN_SCALE_FACTOR = factor;
    SCREEN_W = SCREEN_W_UNSCALED * SCREEN_SCALE_FACTOR;
    SCREEN_H = SCREEN_H_UNSCALED * SCREEN_SCALE_FACTOR;
}
