#include "LoadGame.h"

#include "SaveProgressScreen.h"
#include "SaveSlot.h"
#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectRecord.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"

#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr int kNewestVersion = 2;
constexpr int kMapNameLimit = 4096;
constexpr size_t kIntegerBytes = 4;
// x, y, facing and powerups.
constexpr size_t kPlayerBlockBytes = 4 * kIntegerBytes;
constexpr size_t kMinimapBlockBytes = Minimap::kColumns * Minimap::kRows * kIntegerBytes;

// The screen the load started from, behind the progress bar; taken at the first object.
std::unique_ptr<PXTexture> loadGameScreenTexture;

// The saved game's map file, found and checked to load.
struct SavedMap {
    std::string path;
    std::string bytes;
};

bool readBlock(FILE* stream, size_t size, std::string& block) {
    block.resize(size);
    return fread(block.data(), 1, size, stream) == size;
}

// Runs the reader on the bytes as a stream; false when the stream cannot be made.
bool readFromMemory(std::string& bytes, const std::function<bool(FILE*)>& reader) {
    const PXFileHandle stream(fmemopen(bytes.data(), bytes.size(), "rb"), fclose);
    return stream != nullptr && reader(stream.get());
}

std::nullopt_t damagedIn(const char* part) {
    globalLog->write("The saved game is cut short or damaged in its %s\n", part);
    return std::nullopt;
}

std::optional<SavedMap> findSavedMap(const std::string& name) {
    SavedMap map{ResourceManager::instance()->findFilePath(name.c_str()), {}};
    if (map.path.empty()) {
        globalLog->write("Couldn't find the saved game's map %s\n", name.c_str());
        return std::nullopt;
    }
    std::optional<std::string> bytes = readFileBytes(map.path);
    if (!bytes) {
        globalLog->write("Couldn't read the saved game's map %s\n", map.path.c_str());
        return std::nullopt;
    }
    map.bytes = std::move(*bytes);
    Map parsed;
    if (!readFromMemory(map.bytes, [&parsed, &map](FILE* stream) {
            return parsed.loadFromStream(stream, map.path.c_str()) != 0;
        })) {
        return std::nullopt;
    }
    return map;
}

// Nothing here can fail any more: every part was read and checked before.
void applySavedGame(SavedGame& saved, SavedMap& map) {
    readFromMemory(saved.playerBlock, [](FILE* stream) { return globalPlayer->load(stream) != 0; });
    *globalGameStats = saved.statistics;
    readFromMemory(saved.minimapBlock, [](FILE* stream) { return globalMinimap->load(stream); });
    replaceWorldObjects(std::move(saved.objects), saved.collectedHexNuts);
    readFromMemory(map.bytes, [&map](FILE* stream) {
        return globalMap->loadFromStream(stream, map.path.c_str()) != 0;
    });
}

// Frees the load screen's capture however the load ends.
class LoadScreenCapture {
public:
    LoadScreenCapture() = default;
    ~LoadScreenCapture() { loadGameScreenTexture.reset(); }
    LoadScreenCapture(const LoadScreenCapture&) = delete;
    LoadScreenCapture& operator=(const LoadScreenCapture&) = delete;
};

} // namespace

std::optional<SavedGame> readSavedGame(FILE* stream, WorldObjectProgress progress) {
    SavedGame saved;
    if (!readRecordInteger(stream, saved.version) || saved.version < 1 ||
        saved.version > kNewestVersion) {
        return damagedIn("version");
    }
    std::optional<std::string> mapName;
    if (!readRecordName(stream, kMapNameLimit, mapName) || !mapName) {
        return damagedIn("map name");
    }
    saved.mapName = std::move(*mapName);
    globalLog->write("Loading saved game on map: %s\n", saved.mapName.c_str());
    if (!readBlock(stream, kPlayerBlockBytes, saved.playerBlock)) {
        return damagedIn("player");
    }
    if (!saved.statistics.load(stream)) {
        return damagedIn("statistics");
    }
    if (!readBlock(stream, kMinimapBlockBytes, saved.minimapBlock)) {
        return damagedIn("minimap");
    }
    if (!readWorldObjects(stream, saved.objects, progress)) {
        return damagedIn("world objects");
    }
    if (saved.version > 1 &&
        (!readRecordInteger(stream, saved.collectedHexNuts) || saved.collectedHexNuts < 0)) {
        return damagedIn("collected hex nuts");
    }
    if (fgetc(stream) != EOF) {
        return damagedIn("end");
    }
    return saved;
}

bool loadGame(const char* slotPath) {
    const LoadScreenCapture capture;
    if (examineSlot(slotPath) == SlotCondition::Damaged) {
        globalLog->write("Couldn't load %s: its files do not match their checksums\n", slotPath);
        return false;
    }
    const std::string statePath = slotFilePath(slotPath, kSaveStateFile);
    const PXFileHandle stream = PXOpenFile(statePath.c_str(), "rb");
    if (stream == nullptr) {
        globalLog->write("Couldn't open %s for loading\n", statePath.c_str());
        return false;
    }
    std::optional<SavedGame> saved = readSavedGame(stream.get(), _updateLoadGameScreen);
    std::optional<SavedMap> map = saved ? findSavedMap(saved->mapName) : std::nullopt;
    if (!saved || !map) {
        globalLog->write("Couldn't load the saved game in %s; the game goes on unchanged\n",
                         slotPath);
        return false;
    }
    applySavedGame(*saved, *map);
    return true;
}

void _updateLoadGameScreen(int current, int total) {
    if (current == 0) {
        loadGameScreenTexture.reset(PXTextureFromScreen(SCREEN_W, SCREEN_H));
    }
    showSaveProgress("Loading", current < total ? loadGameScreenTexture.get() : nullptr, current,
                     total);
}
