#include "Initialization.h"

#include "DataPaths.h"
#include "Globals.h"
#include "Log.h"
#include "MapMusicNames.h"
#include "ResourceManager.h"
#include "Settings.h"
#include "TilesetNames.h"
#include "editor/EditorInitialization.h"
#include "engine/Paxtor.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/InGameMenu.h"
#include "game/screens/SaveGameBrowser.h"
#include "game/screens/SecretList.h"
#include "game/world/Camera.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"
#include "game/world/MusicPlayer.h"
#include "game/world/ParticleGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <optional>
#include <string>

TilesetNames* TILESET_NAMES = nullptr;
MapMusicNames* globalMapMusicNames = nullptr;

namespace {

constexpr const char* GAME_CAPTION = "Corvane";
constexpr double GAME_VERSION = 1.0;
constexpr int GAME_TICKS_PER_SECOND = 60;
constexpr int GAME_MIXING_CHANNELS = 64;
constexpr unsigned short AUDIO_SIGNED_16_BIT_LITTLE_ENDIAN = 0x8010;
constexpr int AUDIO_STEREO = 2;

struct AudioQuality {
    int frequency;
    int chunkSize;
};

// Low, normal and high audio quality.
constexpr AudioQuality kAudioQualities[] = {{11025, 256}, {22050, 512}, {44100, 1024}};

// Decides where files are read and written; false (with the reason) when the user's folder that
// should take the game's files cannot be made.
bool locateFolders(std::string& problem) {
    globalDataPaths = DataPaths::locate(PXExecutablePath.empty() ? DataPaths::programFolder(nullptr)
                                                                 : std::string());
    return globalDataPaths.prepareWriteFolder(problem);
}

// Without a folder to write to the game plays without saving, which the log (or, without a log
// file, standard error) tells.
void openLog() {
    std::string problem;
    const bool writable = locateFolders(problem);
    const std::optional<std::string> logPath = globalDataPaths.logPath();
    globalLog = new Log(logPath ? logPath->c_str() : nullptr, 1);
    globalLog->write("Corvane verion %0.1f -- ", GAME_VERSION);
    globalLog->writeDate();
    globalLog->write("------------------------\n");
    globalLog->write("%s", globalDataPaths.description().c_str());
    if (!writable) {
        const std::string message =
            "Unable to make the user folder (" + problem + "): nothing is saved.\n";
        globalLog->write("%s", message.c_str());
        fputs(message.c_str(), stderr);
    }
}

void loadSettings() {
    Settings::instance();
    globalLog->write("Loading Settings...\n");
    if (Settings::instance()->load()) {
        globalLog->write("Success!\n");
    } else {
        globalLog->write("Reverting to defaults...\n");
    }
}

// Applies the settings' screen mode; true when it asks for full screen.
bool applyScreenMode() {
    switch (Settings::instance()->screenMode) {
    case 1:
        setScreenScaleFactor(3);
        return false;
    case 2:
        return true;
    default:
        return false;
    }
}

// Creates one game-wide object; an allocation failure logs the message and gives false.
template <class T, class... Arguments>
bool create(T*& global, const char* failureMessage, Arguments... arguments) {
    try {
        global = new T(arguments...);
        return true;
    } catch (const std::bad_alloc&) {
        globalLog->write("%s", failureMessage);
        return false;
    }
}

// Deletes one game-wide object and forgets it, so a second shutdown finds nothing to delete.
template <class T> void destroy(T*& global) {
    delete global;
    global = nullptr;
}

// The music player starts at the user's music volume.
bool createMusicPlayer() {
    if (!create(globalMusicPlayer, "Couldn't create global music player instance\n")) {
        return false;
    }
    globalMusicPlayer->setVolume(Settings::instance()->musicVolume);
    return true;
}

} // namespace

int init(const char* programPath) {
    if (!PXInit(programPath)) {
        return PX_FALSE;
    }
    SDL_WM_SetCaption(GAME_CAPTION, GAME_CAPTION);
    openLog();
    loadSettings();
    const bool fullscreen = applyScreenMode();
    if (!PXVideoMode2D(SCREEN_W, SCREEN_H, fullscreen ? 1 : 0)) {
        return PX_FALSE;
    }
    PXSetTextureMode(1);
    PXInitGamePad();
    initAudioBasedOnSettings();
    PXSetMixingChannels(GAME_MIXING_CHANNELS);
    PXSetLogicInterval(GAME_TICKS_PER_SECOND);
    PXShowMouse(PX_FALSE);
    srand(static_cast<unsigned int>(time(nullptr)));
    if (!create(globalGameStats, "Couldn't create global game statistics instance\n") ||
        !create(globalSaveGameBrowser, "Couldn't create global save browser instance\n", 0) ||
        !create(globalMap, "Couldn't create global map instance\n") ||
        !create(globalMinimap, "Couldn't allocate Minimap\n") ||
        !create(globalPlayer, "Couldn't create global player instance\n") ||
        !create(globalCamera, "Couldn't create global Camera instance\n") || !createMusicPlayer() ||
        !create(globalInGameMenu, "Couldn't create globabl in-game menu instance\n") ||
        !create(globalWorldObjectVector, "Couldn't create global world object vector instance\n") ||
        !create(globalMapSpecificWorldObjectVector,
                "Couldn't create global map specific world object vector instance\n")) {
        return PX_FALSE;
    }
    globalCamera->setTarget(globalPlayer);
    if (!create(TILESET_NAMES, "Unable to instantiate tileset names object\n") ||
        !create(globalMapMusicNames, "Unable to instantiate map music names object\n") ||
        !create(globalParticleGenerator, "Unable to instantiate global particle generator\n")) {
        return PX_FALSE;
    }
    createSecretList();
    loadSecretList();
    return PX_TRUE;
}

void deinit() {
    globalLog->write("Deinitializing.\n");
    destroy(globalGameStats);
    destroy(globalSaveGameBrowser);
    destroy(globalMap);
    destroy(globalMinimap);
    destroy(globalPlayer);
    destroy(globalCamera);
    destroy(globalMusicPlayer);
    destroy(globalInGameMenu);
    destroy(globalParticleGenerator);
    destroyWorldObjects();
    cleanupSecretList();
    destroy(globalMapSpecificWorldObjectVector);
    // The overlays hold resources, so they go before the manager empties its caches.
    DarknessHalo::destroyInstance();
    Letterbox::destroyInstance();
    ResourceManager::instance()->cleanup();
    editorDeinitialization();
    destroy(TILESET_NAMES);
    destroy(globalMapMusicNames);
    PXDeInit();
}

int initAudioBasedOnSettings() {
    const int quality = Settings::instance()->audioQuality;
    if (quality < 0 || quality > 2) {
        return PX_FALSE;
    }
    return PXInitAudio(kAudioQualities[quality].frequency, AUDIO_SIGNED_16_BIT_LITTLE_ENDIAN,
                       AUDIO_STEREO, kAudioQualities[quality].chunkSize);
}
