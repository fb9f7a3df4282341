#include "Logic.h"

#include "DataPaths.h"
#include "Globals.h"
#include "Log.h"
#include "Settings.h"
#include "engine/Paxtor.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/InGameMenu.h"
#include "game/screens/LoadingScreen.h"
#include "game/screens/SaveGame.h"
#include "game/screens/SaveGameBrowser.h"
#include "game/screens/ScreenCommon.h"
#include "game/screens/TitleScreen.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"
#include "game/world/MusicPlayer.h"
#include "game/world/ParticleGenerator.h"

#include <ctime>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace {

// Silence between two plays of the map's song, in ticks (30 to 60 seconds).
constexpr int MUSIC_SILENCE_MIN_TICKS = 1800;
constexpr int MUSIC_SILENCE_MAX_TICKS = 3600;

// The menu key must be released once before it toggles, so it starts as held.
int _logicMenuKeyDown = PX_TRUE;
// Created on first use; a failed creation is tried again the next tick.
std::unique_ptr<PXTimer> _logicMusicSilenceTimer;

// Play pauses behind the title screen; then the game ends, starts over, or goes on with the
// map's song fading in again.
void openTitleScreen() {
    PXStopAllSounds();
    std::unique_ptr<PXTexture> capture = captureScreen();
    const int choice = titleScreen(PX_TRUE, capture.get());
    capture.reset();
    if (choice == TitleScreen::kQuit) {
        GAME_EXIT_REQUESTED = PX_TRUE;
    } else if (choice == TitleScreen::kNewGame) {
        // A start map that cannot be loaded is logged, and play goes on where it was.
        initNewGame();
        PXResetLogicLoop();
    } else {
        globalMusicPlayer->stop();
        globalMusicPlayer->startSongFadingIn(globalMap->getMusicName());
    }
}

// Escape opens the title screen; runs without it (recordings, replays) end on Escape.
void readEscape() {
    if (!PXKey(PXKeyCode::kEscape, PX_TRUE)) {
        return;
    }
    if (titleScreenInUse()) {
        openTitleScreen();
    } else {
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

// With the map powerup, the minimap shows only while its control is held.
void showMinimapWhileHeld() {
    if (globalMinimap == nullptr || !globalPlayer->hasPowerup(player::kPowerupMap)) {
        return;
    }
    const Settings& settings = *Settings::instance();
    if (PXKey(settings.keyMinimap) || PXGamePadButton(settings.buttonMinimap)) {
        globalMinimap->enable();
        globalMinimap->logic();
    } else {
        globalMinimap->disable();
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
    showMinimapWhileHeld();
}

// The save browser runs in place of the world; a confirmed slot is saved into, unless it is Exit.
void saveBrowserTick() {
    globalSaveGameBrowser->logic();
    const std::optional<std::string> path = globalSaveGameBrowser->getSelectedSaveRelativePath();
    if (!path) {
        return;
    }
    showSaveBrowser = PX_FALSE;
    globalSaveGameBrowser->resetSelectedSaveRelativePath();
    if (!path->starts_with(SaveGameBrowser::EXIT_STRING)) {
        // A save that failed was not made: the statistics do not count it.
        const GameStatistics before = *globalGameStats;
        globalGameStats->recordSave(static_cast<int32_t>(time(nullptr)));
        if (!saveGame(path->c_str())) {
            *globalGameStats = before;
        }
    }
    globalPlayer->forcePreventJumpFromKeyPassthrough();
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
    if (globalMinimap != nullptr) {
        globalMinimap->visitCurrentCell();
    }
    DarknessHalo::instance()->logic();
    Letterbox::instance()->logic();
    runMusicSilence();
    globalMusicPlayer->logic();
    if (globalParticleGenerator != nullptr) {
        globalParticleGenerator->logic();
    }
}

// A new game starts as the first one did: the sounds of the game before fall silent, the menu key
// waits for its first release, the music's silence is timed anew and the current map's objects
// are rebuilt only on map changes again.
void forgetPreviousPlay() {
    PXStopAllSounds();
    _logicMenuKeyDown = PX_TRUE;
    _logicMusicSilenceTimer.reset();
    rebuildMapSpecificWorldObjectVectorNextLoop = PX_FALSE;
}

} // namespace

// Under the title screen the loading screen shows the objects' progress; without it they load
// without drawing.
int initNewGame() {
    return initNewGameOnMap(globalDataPaths.readPath(START_MAP).c_str());
}

int initNewGameOnMap(const char* mapPath) {
    if (titleScreenInUse()) {
        std::unique_ptr<PXTexture> capture = captureScreen();
        loadingScreen(capture.get());
    } else {
        loadWorldObjects(nullptr);
    }
    globalMusicPlayer->stop();
    if (!globalMap->load(mapPath)) {
        if (mapPath == globalDataPaths.readPath(START_MAP)) {
            globalLog->write("Unable to load default starting map.\n");
        } else {
            globalLog->write("Unable to load the map %s.\n", mapPath);
        }
        // The objects were read anew: the map that stays shows its own again.
        recreateMapSpecificWorldObjectVector(globalMap->getFilename());
        return PX_FALSE;
    }
    forgetPreviousPlay();
    globalGameStats->reset();
    globalMinimap->reset();
    globalPlayer->reset();
    int x = 0;
    int y = 0;
    globalMap->playerStartPosition(x, y);
    globalPlayer->setPosition(x, y);
    return PX_TRUE;
}

void logic() {
    // Play time runs on while a menu or the save browser is shown.
    if (globalGameStats != nullptr) {
        globalGameStats->logic();
    }
    // The world stays frozen under the in-game menu.
    if (showInGameMenu) {
        globalInGameMenu->logic();
        return;
    }
    if (showSaveBrowser && globalSaveGameBrowser != nullptr) {
        saveBrowserTick();
    } else {
        playTick();
    }
    commonTail();
}
