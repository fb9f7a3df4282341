#include "SaveGame.h"

#include "GameStatistics.h"
#include "SaveProgressScreen.h"
#include "SaveSlot.h"
#include "engine/Paxtor.h"
#include "game/core/Draw.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/objects/WorldObjectRecord.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"

#include <GL/gl.h>
#include <memory>
#include <string>

namespace {

constexpr int kSaveVersion = 2;

// The screen as it was when the save began, behind the progress bar.
std::unique_ptr<PXTexture> saveGameScreenTexture;

// Holds the capture for the length of one save, whatever way it ends.
class ScreenCaptureDuringSave {
public:
    ScreenCaptureDuringSave() {
        saveGameScreenTexture.reset(PXTextureFromScreen(SCREEN_W, SCREEN_H));
    }
    ~ScreenCaptureDuringSave() { saveGameScreenTexture.reset(); }
    ScreenCaptureDuringSave(const ScreenCaptureDuringSave&) = delete;
    ScreenCaptureDuringSave& operator=(const ScreenCaptureDuringSave&) = delete;
};

// One unscaled game frame in the bottom-left corner of the back buffer, written as a BMP.
bool writePreview(const std::string& path) {
    glPushMatrix();
    glTranslatef(0, static_cast<float>(SCREEN_H - SCREEN_H_UNSCALED), 0);
    draw(PX_FALSE);
    const bool written =
        PXSaveBufferPowerOfTwo(path.c_str(), SCREEN_W_UNSCALED, SCREEN_H_UNSCALED) != 0;
    glPopMatrix();
    if (!written) {
        globalLog->write("Couldn't save preview image: %s\n", path.c_str());
    }
    return written;
}

bool writeGameState(FILE* stream) {
    return writeRecordInteger(stream, kSaveVersion) &&
           writeRecordText(stream, globalMap->getFilename()) && globalPlayer->save(stream) &&
           globalGameStats->save(stream) && globalMinimap->save(stream) &&
           saveWorldObjects(stream, _updateSaveGameScreen) && saveCollectibleInfo(stream);
}

bool writeSlot(const std::string& slot) {
    SlotWriter writer(slot);
    return writer.begin() && writePreview(writer.stagedPath(kSavePreviewFile)) &&
           writer.sync(kSavePreviewFile) &&
           writer.write(kSaveStatisticsFile,
                        [](FILE* stream) { return globalGameStats->save(stream); }) &&
           writer.write(kSaveStateFile, writeGameState) && writer.commit();
}

} // namespace

bool saveGame(const char* slotPath) {
    if (globalMap->getFilename() == nullptr) {
        globalLog->write("Couldn't save into %s: no map is loaded\n", slotPath);
        return false;
    }
    const ScreenCaptureDuringSave capture;
    if (!writeSlot(slotPath)) {
        globalLog->write("Saving into %s failed; the slot keeps its previous save\n", slotPath);
        return false;
    }
    return true;
}

void _updateSaveGameScreen(int current, int total) {
    showSaveProgress("Saving", current < total ? saveGameScreenTexture.get() : nullptr, current,
                     total);
}
