#include "Logic.h"

#include "Globals.h"
#include "Log.h"
#include "Settings.h"
#include "engine/Paxtor.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/MusicPlayer.h"
#include "game/world/ParticleGenerator.h"

#include <memory>
#include <new>

namespace {

constexpr int KEY_ESCAPE = 69;
constexpr const char* START_MAP = "./data/maps/arnion/arnion1";
// Silence between two plays of the map's song, in ticks (30 to 60 seconds).
constexpr int MUSIC_SILENCE_MIN_TICKS = 1800;
constexpr int MUSIC_SILENCE_MAX_TICKS = 3600;

// The menu key must be released once before it toggles, so it starts as held.
int _logicMenuKeyDown = PX_TRUE;
// Created on first use; a failed creation is tried again the next tick.
std::unique_ptr<PXTimer> _logicMusicSilenceTimer;

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

// Once the map's song has ended, the game stays silent for a while, then plays it once more.
void runMusicSilence() {
    if (globalPlayer->inIntroSequence()) {
        return;
    }
    if (!_logicMusicSilenceTimer) {
        globalLog->write("Creating music silence timer.\n");
        try {
            _logicMusicSilenceTimer = std::make_unique<PXTimer>();
        } catch (const std::bad_alloc&) {
            globalLog->write("Unable to create timer for music silence.\n");
            return;
        }
        _logicMusicSilenceTimer->setMinMaxTimeout(MUSIC_SILENCE_MIN_TICKS, MUSIC_SILENCE_MAX_TICKS);
        return;
    }
    if (!globalMusicPlayer->isPlaying() && _logicMusicSilenceTimer->tick()) {
        globalMusicPlayer->startSongFadingIn(globalMap->getMusicName());
    }
}

// The end of every tick that is not the in-game menu's.
void commonTail() {
    DarknessHalo::instance()->logic();
    Letterbox::instance()->logic();
    runMusicSilence();
    globalMusicPlayer->logic();
    if (globalParticleGenerator != nullptr) {
        globalParticleGenerator->logic();
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
        commonTail();
    }
}
