#include "GameplayFixture.h"

#include "PngWriter.h"
#include "engine/Paxtor.h"
#include "game/core/Logic.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/Map.h"
#include "game/world/MusicPlayer.h"

#include <filesystem>

namespace {

constexpr const char* kTilesetName = "gameplayTiles.png";
// The built folders every object's sprites, images, sounds and fonts come from.
constexpr const char* kLinkedFolders[] = {"sprites", "images", "sounds", "fonts"};

// Two tiles a row: empty and solid, then an 8- and a 9-pixel step on the tile's bottom edge.
PngImage testTileset() {
    constexpr int kSize = 32;
    PngImage image = solidPng(kSize, kSize, PngColorType::RGBA, 0, 0, 0, 0);
    const auto opaque = [&image](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; y++) {
            for (int x = left; x <= right; x++) {
                image.pixels[(y * kSize + x) * 4 + 3] = 255;
            }
        }
    };
    opaque(16, 0, 31, 15);
    opaque(0, 24, 15, 31);
    opaque(16, 23, 31, 31);
    return image;
}

// Links each file of the built folder into the scratch tree: the file search does not follow
// linked folders, but it finds linked files, and nothing is copied.
void linkBuiltFolder(const std::string& folder, const ScratchWorkingDirectory& scratch) {
    const std::filesystem::path target = scratch.pathOf("data/" + folder);
    std::filesystem::create_directories(target);
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(CORVANE_DATA_DIR) + "/" + folder)) {
        std::filesystem::create_symlink(entry.path(), target / entry.path().filename());
    }
}

} // namespace

void GameplayFixture::SetUp() {
    GLTestFixture::SetUp();
    ASSERT_TRUE(PXInitAudio(22050, 0x8010, 2, 512)) << PXError();
    _scratch = std::make_unique<ScratchWorkingDirectory>("gameplay");
    for (const char* folder : kLinkedFolders) {
        linkBuiltFolder(folder, *_scratch);
    }
    writePng(_scratch->pathOf(std::string("data/tilesets/") + kTilesetName), testTileset());
    globalMap = new Map();
    globalCamera = new Camera();
    globalWorldObjectVector = new std::vector<WorldObject*>();
    globalMapSpecificWorldObjectVector = new std::vector<WorldObject*>();
    globalMusicPlayer = new MusicPlayer();
    buildMap(20, 15);
    spawnPlayer(0, 0);
}

void GameplayFixture::TearDown() {
    delete globalPlayer;
    globalPlayer = nullptr;
    delete globalMusicPlayer;
    globalMusicPlayer = nullptr;
    DarknessHalo::destroyInstance();
    Letterbox::destroyInstance();
    destroyWorldObjects();
    delete globalWorldObjectVector;
    globalWorldObjectVector = nullptr;
    delete globalMapSpecificWorldObjectVector;
    globalMapSpecificWorldObjectVector = nullptr;
    delete globalCamera;
    globalCamera = nullptr;
    delete globalMap;
    globalMap = nullptr;
    ResourceManager::instance()->cleanup();
    _scratch.reset();
    GLTestFixture::TearDown();
}

void GameplayFixture::buildMap(int columns, int rows) {
    delete globalMap;
    globalMap = new Map();
    for (int column = 1; column < columns; column++) {
        ASSERT_TRUE(globalMap->appendColumn());
    }
    for (int row = 1; row < rows; row++) {
        ASSERT_TRUE(globalMap->appendRow());
    }
    globalMap->setLayerProperties(0, Map::kLayerBlock);
    globalMap->setTilesetName(kTilesetName);
    ASSERT_TRUE(globalMap->loadTileset());
}

void GameplayFixture::fillTiles(int firstRow, int firstColumn, int lastRow, int lastColumn,
                                int tile) {
    for (int row = firstRow; row <= lastRow; row++) {
        for (int column = firstColumn; column <= lastColumn; column++) {
            globalMap->setTileAt(0, row, column, tile);
        }
    }
}

void GameplayFixture::fillFloor(int firstRow) {
    fillTiles(firstRow, 0, globalMap->getNumberOfRows() - 1, globalMap->getNumberOfColumns() - 1,
              kSolid);
}

void GameplayFixture::saveMap(const std::string& name) {
    std::filesystem::create_directories("./data/maps");
    ASSERT_TRUE(globalMap->save(("./data/maps/" + name).c_str()));
}

player& GameplayFixture::spawnPlayer(int x, int y) {
    delete globalPlayer;
    globalPlayer = new player();
    globalPlayer->setPosition(x, y);
    globalCamera->setTarget(globalPlayer);
    return *globalPlayer;
}

player& GameplayFixture::standAt(int x, int feetY) {
    spawnPlayer(x, feetY - kBoxBottom - 1);
    releaseAllKeys();
    ticks(2);
    return *globalPlayer;
}

void GameplayFixture::addToCurrentMap(WorldObject* object, int x, int y) {
    globalWorldObjectVector->push_back(object);
    object->setOwnerMap(globalMap->getFilename());
    object->setPosition(x, y);
    object->updateCurrentBBox();
    globalMapSpecificWorldObjectVector->push_back(object);
}

void GameplayFixture::hold(SDLKey key) {
    _PXSetKey(key);
}

void GameplayFixture::release(SDLKey key) {
    _PXUnsetKey(key);
}

void GameplayFixture::releaseAllKeys() {
    PXUnsetKeys();
}

void GameplayFixture::tick() {
    globalMap->logic();
    globalPlayer->doLogic();
}

void GameplayFixture::gameTick() {
    logic();
}

void GameplayFixture::ticks(int count) {
    for (int i = 0; i < count; i++) {
        tick();
    }
}

int GameplayFixture::ticksUntil(const std::function<bool()>& condition, int limit) {
    for (int count = 1; count <= limit; count++) {
        tick();
        if (condition()) {
            return count;
        }
    }
    return -1;
}

player& GameplayFixture::thePlayer() {
    return *globalPlayer;
}
