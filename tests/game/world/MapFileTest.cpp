#include "engine/PXInit.h"
#include "game/core/ResourceManager.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Map file bytes laid out by hand, the way the format stores them.
class MapBytes {
public:
    MapBytes& integers(std::initializer_list<int> values) {
        for (const int value : values) {
            for (int shift = 0; shift < 32; shift += 8) {
                _bytes.push_back(static_cast<char>((static_cast<unsigned>(value) >> shift) & 0xFF));
            }
        }
        return *this;
    }
    MapBytes& string(const std::string& text) {
        integers({static_cast<int>(text.size() + 1)});
        _bytes += text;
        _bytes.push_back('\0');
        return *this;
    }
    MapBytes& raw(const std::string& bytes) {
        _bytes += bytes;
        return *this;
    }
    const std::string& bytes() const { return _bytes; }

private:
    std::string _bytes;
};

// Version, tileset name and music name.
MapBytes afterNames() {
    return MapBytes().integers({2, 0, 0});
}

MapBytes afterBackgrounds() {
    return afterNames().integers({0});
}

MapBytes afterLayers() {
    return afterBackgrounds().integers({1, 1, 1, 0, 0});
}

const std::string kNewMap =
    MapBytes().integers({2, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).bytes();

// Every section filled; "sky.png" must be a loadable image.
MapBytes everySection() {
    return MapBytes()
        .integers({2})
        .string("tiles.png")
        .string("forest.ogg")
        .integers({2, 2, 0, 0, 0, 64, 64})
        .string("sky.png")
        .integers({0, 3, 8, 4, 40, 36})
        .string("sky.png")
        .integers({3, 2, 3})
        .integers({Map::kLayerBlock, 1, 2, 3, 4, 5, 6})
        .integers({Map::kLayerUpper, 0, -1, 7, INT_MAX, 0, 9})
        .integers({Map::kLayerBlock | Map::kLayerUpper, 11, 0, 0, 0, 0, 12})
        .integers({2, 100, 50, 8, 16, 32, 0, Map::kVertical})
        .string("arnion2")
        .integers({10, 200, 300, 400, 0, 40, Map::kHorizontal, -1})
        .integers({2, 10, 50, 20, 60, -5, 5, -7, 7})
        .integers({3, 480, 0, 240, Map::kVertical, 3, 0, 360, 640, Map::kHorizontal, 1, 5, 6, 7,
                   Map::kHorizontal, 2})
        .integers({2, 30, 90, 4, 7, 3, 48, 160});
}

// Everything a map holds: its name and the bytes it would save.
std::string stateOf(const Map& map) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    map.saveToStream(stream);
    fclose(stream);
    const std::string bytes(buffer, size);
    free(buffer);
    const char* name = map.getFilename();
    return std::string(name != nullptr ? name : "(no name)") + "|" + bytes;
}

// A map unlike every file below, to show that failed loads leave it alone.
void makePrevious(Map& map, const ScratchWorkingDirectory& directory) {
    map.appendColumn();
    map.appendLayer();
    map.setTileAt(1, 0, 1, 42);
    map.setLayerProperties(1, Map::kLayerBlock);
    map.addExit()->setNextMap("elsewhere");
    map.addCameraStopper()->setLength(9);
    map.setPlayerStartPosition(3, 4);
    ASSERT_TRUE(map.save(directory.pathOf("data/maps/previous").c_str()));
}

class MapFileTest : public ::testing::Test {
protected:
    std::string written(const std::string& name, const std::string& bytes) const {
        directory.writeFile("data/maps/" + name, bytes);
        return directory.pathOf("data/maps/" + name);
    }

    ScratchWorkingDirectory directory{"map-file"};
};

// Loading backgrounds needs their images, hence a GL context.
class MapFileWithImagesTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        writePng(directory.pathOf("data/images/sky.png"), solidPng(64, 64, PngColorType::RGBA));
    }
    void TearDown() override {
        ResourceManager::instance()->cleanup();
        GLTestFixture::TearDown();
    }
    std::string written(const std::string& name, const std::string& bytes) const {
        directory.writeFile("data/maps/" + name, bytes);
        return directory.pathOf("data/maps/" + name);
    }

    ScratchWorkingDirectory directory{"map-file-images"};
};

TEST_F(MapFileTest, NewMapSavesAsTheEightyByteMinimalFileAndTakesThePathsName) {
    Map map;
    EXPECT_EQ(map.getFilename(), nullptr);
    const std::string path = directory.pathOf("data/maps/arnion/arnion1");
    ASSERT_TRUE(map.save(path.c_str()));
    EXPECT_EQ(fileContent(path), kNewMap);
    EXPECT_STREQ(map.getFilename(), "arnion1");

    Map loaded;
    ASSERT_TRUE(loaded.load(path.c_str()));
    EXPECT_EQ(stateOf(loaded), stateOf(map));

    directory.writeFile("plain", kNewMap);
    ASSERT_TRUE(loaded.load("plain")) << "a path without '/' is the name itself";
    EXPECT_STREQ(loaded.getFilename(), "plain");

    clearTestLog();
    EXPECT_FALSE(loaded.load("data/maps/missing"));
    EXPECT_NE(testLogContent().find("Couldn't open the map file data/maps/missing"),
              std::string::npos);
    EXPECT_STREQ(loaded.getFilename(), "plain");
}

TEST_F(MapFileWithImagesTest, EverySectionLoadsAndSavesBackByteForByte) {
    const std::string bytes = everySection().bytes();
    Map map;
    clearTestLog();
    ASSERT_TRUE(map.load(written("full", bytes).c_str())) << testLogContent();
    EXPECT_NE(testLogContent().find("Couldn't get a reference to the tileset."), std::string::npos)
        << "a missing tileset is logged but does not fail the load";

    EXPECT_STREQ(map.getTilesetName(), "tiles.png");
    EXPECT_STREQ(map.getMusicName(), "forest.ogg");
    ASSERT_EQ(map.getNumberOfBackgrounds(), 2);
    EXPECT_EQ(map.getBackground(1)->getSourceRight(), 40);
    EXPECT_EQ(map.getBackground(1)->getScrollDivisorY(), 3);
    EXPECT_EQ(map.getNumberOfLayers(), 3);
    EXPECT_EQ(map.getTileAt(1, 1, 0), INT_MAX);
    EXPECT_EQ(map.getTileAt(1, 0, 1), -1);
    EXPECT_EQ(map.getLayerProperties(2), Map::kLayerBlock | Map::kLayerUpper);
    ASSERT_EQ(map.getNumberOfExits(), 2);
    EXPECT_STREQ(map.getExit(0)->getNextMap(), "arnion2");
    EXPECT_EQ(map.getExit(1)->getNextMap(), nullptr);
    ASSERT_EQ(map.getNumberOfWaterAreas(), 2);
    const BoundingBox& water = map.getWaterArea(0)->boundingBox();
    EXPECT_EQ((std::vector{water.getLeftBound(), water.getTopBound(), water.getRightBound(),
                           water.getBottomBound()}),
              (std::vector{10, 20, 50, 60}))
        << "stored left, right, top, bottom";
    ASSERT_EQ(map.getNumberOfCameraStoppers(), 3);
    EXPECT_EQ(map.getCameraStopper(0)->getBlockDirection(), Map::CameraStopper::kBlockDown);
    EXPECT_EQ(map.getCameraStopper(1)->getBlockDirection(), Map::CameraStopper::kBlockRight);
    EXPECT_EQ(map.getCameraStopper(2)->getBlockDirection(), Map::CameraStopper::kBlockUp);
    EXPECT_EQ(map.particleGenerationAmount(), 4);
    EXPECT_EQ(map.getMinimapIndexY(), 3);
    int startX = 0;
    int startY = 0;
    map.playerStartPosition(startX, startY);
    EXPECT_EQ(startY, 160);

    const std::string copy = directory.pathOf("data/maps/copy");
    ASSERT_TRUE(map.save(copy.c_str()));
    EXPECT_EQ(fileContent(copy), bytes);
}

TEST_F(MapFileTest, VersionOneFileKeepsThePlayerStartAndSavesBackAsVersionTwo) {
    const std::string withoutStart = MapBytes().integers({1, 0, 0, 0, 1, 1, 1, 0, 5}).bytes();
    const std::string settings = MapBytes().integers({0, 0, 0, 1, 2, 3, 4, 5, 6}).bytes();
    Map map;
    map.setPlayerStartPosition(7, 9);
    ASSERT_TRUE(map.load(written("old", withoutStart + settings).c_str()));
    int x = 0;
    int y = 0;
    map.playerStartPosition(x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
    EXPECT_EQ(map.getTileAt(0, 0, 0), 5);

    const std::string saved = directory.pathOf("data/maps/new");
    ASSERT_TRUE(map.save(saved.c_str()));
    const std::string expected =
        MapBytes().integers({2}).raw(withoutStart.substr(4)).raw(settings).integers({7, 9}).bytes();
    EXPECT_EQ(fileContent(saved), expected);
}

TEST_F(MapFileTest, StoredValuesTheSettersRefuseComeBackAsTheSettersLeaveThem) {
    const std::string bytes = afterLayers()
                                  .integers({1, 5, 6, 7, 8, -32, -4, 3})
                                  .string("east")
                                  .integers({0, 3})
                                  .integers({1, 2, -9, Map::kVertical, 2})
                                  .integers({1, 2, 3, 6, 0})
                                  .integers({1, 2, 3, Map::kHorizontal, 0})
                                  .integers({0, 0, 0, 0, 0, 0, 0, 0})
                                  .bytes();
    Map map;
    ASSERT_TRUE(map.load(written("odd", bytes).c_str()));
    const Map::Exit& exit = *map.getExit(0);
    EXPECT_EQ(exit.getHeight(), 0);
    EXPECT_EQ(exit.getWidth(), 0);
    EXPECT_EQ(exit.getOrientation(), 0);
    EXPECT_STREQ(exit.getNextMap(), "east");

    const Map::CameraStopper& vertical = *map.getCameraStopper(0);
    EXPECT_EQ(vertical.getLength(), 0);
    EXPECT_EQ(vertical.getBlockDirection(), Map::CameraStopper::kBlockLeft)
        << "up is refused on a vertical stopper, which keeps the left its orientation set";
    const Map::CameraStopper& unknown = *map.getCameraStopper(1);
    EXPECT_EQ(unknown.getOrientation(), Map::kVertical);
    const Map::CameraStopper& horizontal = *map.getCameraStopper(2);
    EXPECT_EQ(horizontal.getBlockDirection(), Map::CameraStopper::kBlockDown)
        << "left is refused on a horizontal stopper";
}

TEST_F(MapFileWithImagesTest, EveryTruncationFailsAndLeavesThePreviousMapUntouched) {
    const std::string bytes = everySection().bytes();
    Map map;
    makePrevious(map, directory);
    const std::string before = stateOf(map);
    for (size_t length = 0; length < bytes.size(); length++) {
        SCOPED_TRACE("first " + std::to_string(length) + " bytes");
        clearTestLog();
        ASSERT_FALSE(map.load(written("cut", bytes.substr(0, length)).c_str()));
        ASSERT_EQ(stateOf(map), before);
        ASSERT_NE(testLogContent().find("Error loading map "), std::string::npos);
    }
    EXPECT_TRUE(map.load(written("whole", bytes).c_str()));
}

TEST_F(MapFileTest, AbsurdLengthsCountsAndSizesFailWithALineNamingThem) {
    struct Corruption {
        std::string bytes;
        std::string logged;
    };
    const std::string padding = MapBytes().integers({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).bytes();
    const std::vector<Corruption> corruptions = {
        {MapBytes().integers({2, INT_MAX}).bytes(),
         "tileset name length 2147483647 is outside 1..4096"},
        {MapBytes().integers({2, 0, -1}).bytes(), "music name length -1 is outside 1..4096"},
        {MapBytes().integers({2, 4097}).raw(std::string(4097, 'a')).bytes(),
         "tileset name length 4097 is outside 1..4096"},
        {MapBytes().integers({2, 20}).raw("short").bytes(),
         "tileset name length 20 passes the end of the file"},
        {afterNames().integers({1000000000}).raw(padding).bytes(),
         "background count 1000000000 does not fit"},
        {afterNames().integers({1, 0, 0, 0, 0, 1, 1, 0}).raw(padding).bytes(),
         "background image name length 0 is outside"},
        {afterBackgrounds().integers({0, 1, 1}).raw(padding).bytes(),
         "number of layers 0 is outside 1..2147483647"},
        {afterBackgrounds().integers({1, -3, 1}).raw(padding).bytes(),
         "number of rows -3 is outside"},
        {afterBackgrounds().integers({1, 1, INT_MAX / 16 + 1}).raw(padding).bytes(),
         "number of columns 134217728 is outside 1..134217727"},
        {afterBackgrounds().integers({INT_MAX, 1, 1}).raw(padding).bytes(),
         "2147483647 layers of 1 x 1 tiles do not fit"},
        {afterBackgrounds().integers({1, 134217727, 134217727}).raw(padding).bytes(),
         "1 layers of 134217727 x 134217727 tiles do not fit"},
        {afterLayers().integers({0x40000000}).raw(padding).bytes(),
         "exit count 1073741824 does not fit"},
        {afterLayers().integers({1, 0, 0, 0, 0, 0, 0, 2, 0}).raw(padding).bytes(),
         "exit's next map name length 0 is outside"},
        {afterLayers().integers({0, 5, 1, 2, 3, 4}).bytes(), "water area count 5 does not fit"},
        {afterLayers().integers({0, 0, INT_MAX}).raw(padding).bytes(),
         "camera stopper count 2147483647 does not fit"},
        {afterLayers().integers({0, 0, 0, 1, 2, 3, 4, 5}).bytes(),
         "the file ends inside the minimap index"},
    };
    Map map;
    makePrevious(map, directory);
    const std::string before = stateOf(map);
    for (const Corruption& corruption : corruptions) {
        SCOPED_TRACE(corruption.logged);
        clearTestLog();
        const std::string path = written("bad", corruption.bytes);
        EXPECT_FALSE(map.load(path.c_str()));
        EXPECT_EQ(stateOf(map), before);
        const std::string log = testLogContent();
        EXPECT_NE(log.find("Error loading map " + path + ": "), std::string::npos) << log;
        EXPECT_NE(log.find(corruption.logged), std::string::npos) << log;
    }
}

TEST_F(MapFileTest, FailedSaveReturnsFalseAndKeepsTheOldFile) {
    const std::string path = directory.pathOf("data/maps/kept");
    Map original;
    ASSERT_TRUE(original.save(path.c_str()));

    Map changed;
    changed.appendRow();
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(changed.save(path.c_str())) << "the temporary file cannot be created";
    EXPECT_EQ(fileContent(path), kNewMap);
    EXPECT_EQ(changed.getFilename(), nullptr) << "a failed save does not rename the map";
    std::filesystem::remove(path + ".tmp");

    const std::string directoryPath = directory.pathOf("data/maps/folder");
    std::filesystem::create_directory(directoryPath);
    EXPECT_FALSE(changed.save(directoryPath.c_str())) << "the rename over a directory fails";
    EXPECT_TRUE(std::filesystem::is_directory(directoryPath));
    EXPECT_FALSE(std::filesystem::exists(directoryPath + ".tmp"));
}

} // namespace
