#include "Logic.h"

#include "Globals.h"
#include "Log.h"
#include "Settings.h"
#include "engine/Paxtor.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"

namespace {

constexpr int KEY_ESCAPE = 69;
constexpr const char* START_MAP = "./data/maps/arnion/arnion1";

// The menu key must be released once before it toggles, so it starts as held.
int _logicMenuKeyDown = PX_TRUE;

// Until the title screen exists, Escape leaves the game.
void readEscape() {
    if (PXKey(KEY_ESCAPE, PX_TRUE)) {
        GAME_EXIT_REQUESTED = PX_TRUE;
    }
}

// One press of the Menu control toggles the in-game menu once.
void readMenuToggle() {
    const Settings& settings = *Settings::instance();
    const bool held = PXKey(settings.keyMenu) || PXGamePadButton(settings.buttonMenu);
    if (held && !_logicMenuKeyDown) {
        showInGameMenu = ~showInGameMenu;
        _logicMenuKeyDown = PX_TRUE;
    } else if (!held) {
        _logicMenuKeyDown = PX_FALSE;
    }
}

// Each object of the current map, by index, so an object that changes the map's object list
// (a map change inside its logic) never leaves this loop on a freed vector.
void runMapObjectLogic() {
    for (size_t index = 0; index < globalMapSpecificWorldObjectVector->size(); index++) {
        (*globalMapSpecificWorldObjectVector)[index]->logic();
        if (skipRunningMapSpecificWorldObjectLogicThisLoop) {
            skipRunningMapSpecificWorldObjectLogicThisLoop = PX_FALSE;
            return;
        }
    }
}

void playTick() {
    readEscape();
    readMenuToggle();
    runMapObjectLogic();
    globalPlayer->inventoryObjectLogic();
    globalMap->logic();
    globalPlayer->doLogic();
    processPendingRemovalWorldObjects();
    removeObtainedWorldObjects();
    if (rebuildMapSpecificWorldObjectVectorNextLoop) {
        recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    }
}

} // namespace

int initNewGame() {
    // The loading screen will show this load's progress once it exists.
    loadWorldObjects(nullptr);
    if (!globalMap->load(START_MAP)) {
        globalLog->write("Unable to load default starting map.\n");
        return PX_FALSE;
    }
    globalPlayer->reset();
    int x = 0;
    int y = 0;
    globalMap->playerStartPosition(x, y);
    globalPlayer->setPosition(x, y);
    return PX_TRUE;
}

void logic() {
    // The in-game menu and the save browser take over the tick once they exist.
    if (!showInGameMenu) {
        playTick();
    }
}
