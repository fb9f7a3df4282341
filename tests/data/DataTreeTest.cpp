// Checks the generated data tree with the game's own readers.
#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/core/Sprite.h"
#include "game/core/SpriteAnimation.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/Map.h"
#include "game/world/MapExit.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/SpriteCatalog.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kData = CORVANE_DATA_DIR;

std::vector<fs::path> filesUnder(const fs::path& root, const std::string& extension = "") {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() &&
            (extension.empty() || entry.path().extension() == extension)) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The game looks for "./data"; these tests run from the folder that holds the built tree.
class InDataParent {
public:
    InDataParent() : _previous(fs::current_path()) { fs::current_path(kData.parent_path()); }
    ~InDataParent() { fs::current_path(_previous); }

private:
    fs::path _previous;
};

TEST(DataTreeTest, BareNamesAreUniqueAndTextDataIsLineFeedOnly) {
    std::map<std::string, fs::path> byName;
    for (const fs::path& file : filesUnder(kData)) {
        const auto [known, added] = byName.emplace(file.filename().string(), file);
        EXPECT_TRUE(added) << file << " has the same name as " << known->second;
        if (file.extension() != ".txt") {
            continue;
        }
        const std::string text = fileContent(file.string());
        EXPECT_EQ(text.find('\r'), std::string::npos) << file << " holds a carriage return";
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            const bool keywordLine = line.starts_with("LOOP: ") || line.starts_with("IMAGE: ");
            EXPECT_FALSE(keywordLine && line.back() == ' ') << file << ": '" << line << "'";
        }
    }
    EXPECT_TRUE(fs::exists(kData / "maps" / "arnion" / "arnion1")) << "the start map's fixed path";
}

// Files the game's code asks for by name (sprites are listed in the sprite catalog).
constexpr const char* kNamedFiles[] = {"c64.ttf",
                                       "Skia.ttf",
                                       "Editor.ttf",
                                       "tilesetNames.txt",
                                       "mapMusicNames.txt",
                                       "title.ogg",
                                       "waterOverlay.png",
                                       "minimapVisited.png",
                                       "minimapUnvisited.png",
                                       "darknessHalo.png",
                                       "thoughtBubble.png",
                                       "logoScreen.png",
                                       "logoText.png",
                                       "titleBackground.png",
                                       "titleClouds.png",
                                       "titleForeground.png",
                                       "optionsBackground.png",
                                       "loadGameBackground.png",
                                       "loadGameForeground.png",
                                       "secretsBackground.png",
                                       "loadingBack.png",
                                       "loadingFront.png",
                                       "browserArrowDown.png",
                                       "loadExitBackground.png",
                                       "loadSelectedBackground.png",
                                       "inGameMenuBG.png",
                                       "mapIcon.png",
                                       "doubleJumpIcon.png",
                                       "wallJumpIcon.png",
                                       "powerFistIcon.png",
                                       "highJumpIcon.png",
                                       "gravMagnetIcon.png",
                                       "boosterIcon.png",
                                       "raceIconFlowrian.png",
                                       "raceIconNegg.png",
                                       "raceIconOller.png",
                                       "raceIconDom.png",
                                       "raceIconRaam.png",
                                       "raceIconVonil.png",
                                       "collectibleIconHexNut.png",
                                       "step1.wav",
                                       "step2.wav",
                                       "splashIn.wav",
                                       "splashOut.wav",
                                       "teleportOut.wav",
                                       "teleportIn.wav",
                                       "happyStar.wav",
                                       "musicBox.wav",
                                       "accordian.wav",
                                       "itemCollect.wav",
                                       "switchOn.wav",
                                       "switchOff.wav",
                                       "stoneUp.wav",
                                       "stoneDown.wav",
                                       "powerDown.wav",
                                       "powerUp.wav",
                                       "bird1.wav",
                                       "bird2.wav",
                                       "bird3.wav",
                                       "bulb.wav",
                                       "hum.wav",
                                       "secretUnlocked.wav",
                                       "titleSelect.wav",
                                       "titleSelection.wav"};

TEST(DataTreeTest, EveryFileTheGameNamesIsThere) {
    InDataParent inDataParent;
    for (const char* name : kNamedFiles) {
        EXPECT_FALSE(ResourceManager::instance()->findFilePath(name).empty()) << name;
    }
}

using DataImageTest = GLTestFixture;

TEST_F(DataImageTest, EveryImageLoadsAsAPowerOfTwoTruecolorTexture) {
    const auto images = filesUnder(kData, ".png");
    EXPECT_FALSE(images.empty());
    for (const fs::path& image : images) {
        PXTexture texture;
        EXPECT_TRUE(texture.loadImage(image.c_str())) << image << ": " << PXError();
    }
}

using DataSpriteTest = GLTestFixture;

void expectAnimationMeetsTheCatalog(const Sprite& sprite, const CatalogEntry& entry,
                                    const CatalogAnimation& wanted) {
    SCOPED_TRACE(entry.file + " [" + wanted.name + "]");
    const Sprite::Animation* animation = sprite.getAnimation(wanted.name.c_str());
    ASSERT_NE(animation, nullptr) << "missing";
    EXPECT_GE(animation->getNumberOfFrames(), wanted.minimumFrames);
    if (wanted.mustNotLoop) {
        EXPECT_FALSE(animation->getLoop()) << "must not loop";
    }
    for (int frame = 0; frame < animation->getNumberOfFrames(); frame++) {
        EXPECT_NE(animation->getBBox(frame, 0), nullptr) << "frame " << frame << " lacks box 0";
        if (entry.needsBox1) {
            EXPECT_NE(animation->getBBox(frame, 1), nullptr) << "frame " << frame << " lacks box 1";
        }
    }
}

TEST_F(DataSpriteTest, EveryDefinitionParsesAndHasWhatTheGameAsksFor) {
    InDataParent inDataParent;
    const auto catalog = readSpriteCatalog(CORVANE_SPRITE_CATALOG);
    EXPECT_EQ(catalog.size(), 71u);
    for (const CatalogEntry& entry : catalog) {
        Sprite sprite;
        if (!sprite.load(entry.file.c_str())) {
            ADD_FAILURE() << entry.file << " does not load";
            continue;
        }
        for (const CatalogAnimation& wanted : entry.animations) {
            expectAnimationMeetsTheCatalog(sprite, entry, wanted);
        }
    }
    ResourceManager::instance()->cleanup();
}

TEST(DataAudioTest, EverySampleAndSongLoads) {
    ASSERT_TRUE(PXInit()) << PXError();
    ASSERT_TRUE(PXInitAudio(22050, 0x8010, 2, 512)) << PXError();
    const auto samples = filesUnder(kData, ".wav");
    EXPECT_GE(samples.size(), 24u);
    for (const fs::path& sample : samples) {
        EXPECT_NO_THROW(PXSound sound(sample.c_str())) << sample;
    }
    std::vector<fs::path> songs = filesUnder(kData, ".ogg");
    const auto modules = filesUnder(kData, ".mod");
    songs.insert(songs.end(), modules.begin(), modules.end());
    EXPECT_FALSE(modules.empty()) << "at least one tracker module";
    for (const fs::path& song : songs) {
        EXPECT_NO_THROW(PXMusic music(song.c_str())) << song;
    }
    PXDeInit();
}

struct MinimapCell {
    int x;
    int y;
    auto operator<=>(const MinimapCell&) const = default;
};

// The minimap cells a map covers: one per 320 x 240 screen from its indices.
std::vector<MinimapCell> minimapCells(const Map& map) {
    std::vector<MinimapCell> cells;
    const int columns = (map.widthInPixels() + SCREEN_W_UNSCALED - 1) / SCREEN_W_UNSCALED;
    const int rows = (map.heightInPixels() + SCREEN_H_UNSCALED - 1) / SCREEN_H_UNSCALED;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            cells.push_back({map.getMinimapIndexX() + column, map.getMinimapIndexY() + row});
        }
    }
    return cells;
}

using DataMapTest = GLTestFixture;

TEST_F(DataMapTest, EveryMapLoadsResolvesItsReferencesAndSavesBackByteForByte) {
    InDataParent inDataParent;
    ResourceManager& resources = *ResourceManager::instance();
    const auto maps = filesUnder(kData / "maps");
    EXPECT_GE(maps.size(), 5u);
    struct Landing {
        std::string from;
        std::string map;
        int x;
        int y;
    };
    // Exits are checked once every map has been loaded, so no map is loaded twice.
    std::vector<Landing> landings;
    std::map<std::string, std::pair<int, int>> sizes;
    std::set<MinimapCell> claimed;
    std::set<std::string> areas;
    ScratchDirectory scratch("data-maps");
    for (const fs::path& path : maps) {
        SCOPED_TRACE(path.string());
        areas.insert(path.parent_path().filename().string());
        Map map;
        ASSERT_TRUE(map.load(path.c_str()));
        EXPECT_NE(map.getTileset(), nullptr) << "tileset " << map.getTilesetName();
        EXPECT_FALSE(resources.findFilePath(map.getMusicName()).empty()) << map.getMusicName();
        sizes[path.filename().string()] = {map.widthInPixels(), map.heightInPixels()};
        for (int index = 0; index < map.getNumberOfExits(); index++) {
            const Map::Exit* exit = map.getExit(index);
            landings.push_back({path.string() + " exit " + std::to_string(index),
                                exit->getNextMap() ? exit->getNextMap() : "", exit->getNextMapX(),
                                exit->getNextMapY()});
        }
        for (const MinimapCell& cell : minimapCells(map)) {
            EXPECT_TRUE(cell.x > 0 && cell.y > 0 && cell.x < 40 && cell.y < 30)
                << "minimap cell " << cell.x << "," << cell.y;
            EXPECT_TRUE(claimed.insert(cell).second)
                << "minimap cell " << cell.x << "," << cell.y << " is claimed twice";
        }
        const std::string copy = scratch.pathOf(path.filename().string());
        ASSERT_TRUE(map.save(copy.c_str()));
        EXPECT_EQ(fileContent(copy), fileContent(path.string())) << "load then save changed it";
    }
    for (const Landing& landing : landings) {
        const auto destination = sizes.find(landing.map);
        ASSERT_NE(destination, sizes.end()) << landing.from << " leads nowhere";
        const auto [width, height] = destination->second;
        EXPECT_TRUE(landing.x >= 0 && landing.x < width && landing.y >= 0 && landing.y < height)
            << landing.from << " lands outside " << landing.map;
    }
    EXPECT_GE(areas.size(), 4u);
    resources.cleanup();
}

// The types of the objects the level sources place, in the order the compiler writes them:
// levels by path, lines in order. Every placed class must be one the game has.
std::vector<int> placedObjectTypes() {
    std::vector<int> types;
    for (const fs::path& level : filesUnder(fs::path(CORVANE_ASSETS_DIR) / "maps", ".map")) {
        std::ifstream lines(level);
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::string command;
            std::string className;
            if (words >> command >> className && command == "object") {
                const std::unique_ptr<WorldObject> object(
                    createWorldObjectNamed(className.c_str()));
                EXPECT_NE(object, nullptr) << level << " places a " << className;
                types.push_back(object != nullptr ? object->getObjectType() : -1);
            }
        }
    }
    return types;
}

using DataObjectTest = GLTestFixture;

TEST_F(DataObjectTest, TheWorldObjectListHoldsEveryPlacedObjectAndSavesBackByteForByte) {
    InDataParent inDataParent;
    const std::vector<int> placed = placedObjectTypes();
    std::set<std::string> maps;
    for (const fs::path& map : filesUnder(kData / "maps")) {
        maps.insert(map.filename().string());
    }
    ASSERT_TRUE(loadWorldObjects(nullptr));
    std::vector<int> loaded;
    for (const WorldObject* object : *globalWorldObjectVector) {
        loaded.push_back(object->getObjectType());
        ASSERT_NE(object->getOwnerMap(), nullptr);
        EXPECT_EQ(maps.count(object->getOwnerMap()), 1u) << object->getOwnerMap();
    }
    EXPECT_EQ(loaded, placed);

    int totals[6] = {};
    int happy[6] = {};
    int nuts = 0;
    int collected = 0;
    worldObjectVectorCountNPCsAndCollectibles(totals[0], happy[0], totals[1], happy[1], totals[2],
                                              happy[2], totals[3], happy[3], totals[4], happy[4],
                                              totals[5], happy[5], nuts, collected);
    for (int race = 0; race < 6; race++) {
        EXPECT_LT(happy[race], totals[race]) << "race " << race << " has a wish to grant";
    }
    EXPECT_GE(nuts, 5);

    ScratchDirectory scratch("data-objects");
    const std::string copy = scratch.pathOf("worldObjects.mol");
    FILE* stream = fopen(copy.c_str(), "wb");
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(saveWorldObjects(stream, nullptr));
    fclose(stream);
    EXPECT_EQ(fileContent(copy), fileContent((kData / "worldObjects.mol").string()));
    destroyWorldObjects();
    ResourceManager::instance()->cleanup();
}

TEST_F(DataMapTest, NameListsNameFilesThatExist) {
    InDataParent inDataParent;
    for (const char* list : {"tilesetNames.txt", "mapMusicNames.txt"}) {
        const std::string path = ResourceManager::instance()->findFilePath(list);
        ASSERT_FALSE(path.empty()) << list;
        std::istringstream lines(fileContent(path));
        int count = 0;
        lines >> count;
        EXPECT_GE(count, 1) << list;
        std::string name;
        std::getline(lines, name);
        for (int i = 0; i < count && std::getline(lines, name); i++) {
            EXPECT_FALSE(ResourceManager::instance()->findFilePath(name.c_str()).empty())
                << list << " names " << name;
        }
    }
}

} // namespace
