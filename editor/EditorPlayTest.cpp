#include "EditorPlayTest.h"

#include "EditorHistory.h"
#include "EditorInfo.h"
#include "EditorLogic.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/screens/SecretList.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"

#include <optional>
#include <string>

namespace {

// Everything a play can change that the editor or the game after it shows.
struct BeforePlay {
    EditorSnapshot world;
    std::string player;
    std::optional<std::string> minimap;
    std::optional<GameStatistics> statistics;
    std::optional<SecretListState> secrets;
    int viewX;
    int viewY;
    int cameraX;
    int cameraY;
    CameraTargetable* cameraTarget;
    int rebuildMapObjectsEveryTick;
};

std::optional<BeforePlay> _beforePlay;

std::optional<BeforePlay> recordBeforePlay() {
    std::optional<EditorSnapshot> world = EditorSnapshot::capture();
    std::optional<std::string> player =
        PXBytesWrittenBy([](FILE* stream) { return globalPlayer->save(stream) != 0; });
    if (!world || !player) {
        return std::nullopt;
    }
    BeforePlay before{std::move(*world),
                      std::move(*player),
                      std::nullopt,
                      std::nullopt,
                      std::nullopt,
                      editorInfo->viewX,
                      editorInfo->viewY,
                      globalCamera->getXPos(),
                      globalCamera->getYPos(),
                      globalCamera->getTarget(),
                      rebuildMapSpecificWorldObjectVectorNextLoop};
    if (globalMinimap != nullptr) {
        before.minimap = PXBytesWrittenBy([](FILE* stream) { return globalMinimap->save(stream); });
        if (!before.minimap) {
            return std::nullopt;
        }
    }
    if (globalGameStats != nullptr) {
        before.statistics = *globalGameStats;
    }
    return before;
}

// The mouse's map position, or the map's player start when the mouse is off the map.
EditorPoint playStart() {
    const EditorPoint mouse = editorMouseOnMap();
    if (mouse.x >= 0 && mouse.y >= 0 && mouse.x < globalMap->widthInPixels() &&
        mouse.y < globalMap->heightInPixels()) {
        return mouse;
    }
    EditorPoint start{};
    globalMap->playerStartPosition(start.x, start.y);
    return start;
}

// Loading the player is the one way to make it stand still, with empty hands, where it is put.
bool placePlayer(const EditorPoint& at) {
    const std::optional<std::string> placed = PXBytesWrittenBy([&at](FILE* stream) {
        for (const int value :
             {at.x, at.y, globalPlayer->getDirection(), globalPlayer->state().powerups}) {
            PXPutL(value, stream);
        }
        return true;
    });
    return placed &&
           PXReadBytesWith(*placed, [](FILE* stream) { return globalPlayer->load(stream) != 0; });
}

void restoreGameState(const BeforePlay& before) {
    PXReadBytesWith(before.player, [](FILE* stream) { return globalPlayer->load(stream) != 0; });
    if (before.minimap) {
        PXReadBytesWith(*before.minimap, [](FILE* stream) { return globalMinimap->load(stream); });
    }
    if (before.statistics) {
        *globalGameStats = *before.statistics;
    }
    if (before.secrets) {
        restoreSecretList(*before.secrets);
    }
    showInGameMenu = PX_FALSE;
    showSaveBrowser = PX_FALSE;
    skipRunningMapSpecificWorldObjectLogicThisLoop = PX_FALSE;
    rebuildMapSpecificWorldObjectVectorNextLoop = before.rebuildMapObjectsEveryTick;
    globalCamera->setPosition(before.cameraX, before.cameraY);
    // Only the player outlives the objects' restoring.
    globalCamera->setTarget(before.cameraTarget == globalPlayer ? globalPlayer : nullptr);
    editorInfo->viewX = before.viewX;
    editorInfo->viewY = before.viewY;
}

} // namespace

bool editorPlayTestStart() {
    if (_beforePlay || editorInfo == nullptr) {
        return false;
    }
    _beforePlay = recordBeforePlay();
    if (!_beforePlay || !placePlayer(playStart())) {
        globalLog->write("Couldn't record the editor's state for a play-test.\n");
        _beforePlay.reset();
        return false;
    }
    // A secret found while testing is the designer's, not the player's.
    _beforePlay->secrets = setSecretListAside();
    editorMode = PX_FALSE;
    globalCamera->setTarget(globalPlayer);
    globalPlayer->positionCamera();
    return true;
}

bool editorPlayTestEnd() {
    if (!_beforePlay) {
        return false;
    }
    if (!_beforePlay->world.restore()) {
        globalLog->write("Couldn't restore the map and objects from before the play-test.\n");
    }
    restoreGameState(*_beforePlay);
    _beforePlay.reset();
    editorMode = PX_TRUE;
    return true;
}

bool editorPlayTestActive() {
    return _beforePlay.has_value();
}
