#include "game/world/Map.h"
#include "engine/PXInit.h"
#include "game/core/ResourceManager.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <gtest/gtest.h>
#include <string>

namespace {

Map::Layer tilesOf(const Map& map, int layer) {
    return map.copyLayerOut(layer);
}

TEST(MapTest, IndicesOutsideTheMapReadAsMinusOneAndAreNeverWritten) {
    Map map;
    map.appendLayer();
    map.setTileAt(0, 0, 0, 7);
    map.setLayerProperties(1, Map::kLayerUpper);
    const struct {
        int layer, row, column;
    } outside[] = {{-1, 0, 0}, {2, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (const auto& index : outside) {
        SCOPED_TRACE(std::to_string(index.layer) + "," + std::to_string(index.row) + "," +
                     std::to_string(index.column));
        map.setTileAt(index.layer, index.row, index.column, 99);
        EXPECT_EQ(map.getTileAt(index.layer, index.row, index.column), -1);
        EXPECT_FALSE(map.tileIsBlockedAt(index.row, index.column));
    }
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{7}}));
    EXPECT_EQ(tilesOf(map, 1), Map::Layer({{0}}));

    map.setLayerProperties(2, Map::kLayerBlock);
    map.setLayerProperties(-1, Map::kLayerBlock);
    EXPECT_EQ(map.getLayerProperties(2), 0);
    EXPECT_EQ(map.getLayerProperties(0), 0);
    EXPECT_EQ(map.getLayerProperties(1), Map::kLayerUpper);
}

TEST(MapTest, GrowingAndShrinkingKeepTileIndices) {
    Map map;
    map.setTileAt(0, 0, 0, 3);
    ASSERT_TRUE(map.appendColumn());
    ASSERT_TRUE(map.appendRow());
    map.setTileAt(0, 1, 1, 4);
    ASSERT_TRUE(map.appendLayer());
    ASSERT_TRUE(map.appendColumn());
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{3, 0, 0}, {0, 4, 0}}));
    EXPECT_EQ(tilesOf(map, 1), Map::Layer({{0, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(map.getLayerProperties(1), 0);
    EXPECT_EQ(map.widthInPixels(), 48);
    EXPECT_EQ(map.heightInPixels(), 32);

    EXPECT_TRUE(map.removeLastColumn());
    EXPECT_TRUE(map.removeLastRow());
    EXPECT_TRUE(map.removeLastLayer());
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{3, 0}}));
    EXPECT_EQ(map.getNumberOfLayers(), 1);

    EXPECT_TRUE(map.removeLastColumn());
    EXPECT_TRUE(map.removeLastColumn()) << "the last column stays";
    EXPECT_TRUE(map.removeLastRow());
    EXPECT_TRUE(map.removeLastLayer());
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{3}}));
}

TEST(MapTest, SwapCopyAndPasteLayers) {
    Map map;
    map.appendColumn();
    map.appendRow();
    map.appendLayer();
    map.setTileAt(0, 0, 0, 1);
    map.setTileAt(1, 1, 1, 2);
    map.setLayerProperties(1, Map::kLayerBlock);

    EXPECT_FALSE(map.swapLayers(1, 1));
    EXPECT_FALSE(map.swapLayers(0, 2));
    EXPECT_FALSE(map.swapLayers(-1, 0));
    ASSERT_TRUE(map.swapLayers(0, 1));
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{0, 0}, {0, 2}}));
    EXPECT_EQ(map.getLayerProperties(0), Map::kLayerBlock);
    EXPECT_EQ(map.getLayerProperties(1), 0);

    EXPECT_TRUE(map.copyLayerOut(2).empty());
    map.pasteLayerIn({{5, 6, 7}, {8, 9, 10}, {11, 12, 13}}, 1);
    EXPECT_EQ(tilesOf(map, 1), Map::Layer({{5, 6}, {8, 9}})) << "clipped to the map";
    map.pasteLayerIn({{20}}, 0);
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{20, 0}, {0, 2}})) << "a smaller copy covers its part";
    map.pasteLayerIn({{30}}, 2);
    EXPECT_EQ(tilesOf(map, 0), Map::Layer({{20, 0}, {0, 2}}));
}

TEST(MapTest, NameSettersRefuseNullCopyAndCutLongNames) {
    Map map;
    clearTestLog();
    EXPECT_FALSE(map.setTilesetName(nullptr));
    EXPECT_NE(
        testLogContent().find("Map::setTilesetName: ERROR: Caller passed NULL to setTilesetName\n"),
        std::string::npos);
    ASSERT_TRUE(map.setTilesetName("tiles.png"));
    EXPECT_TRUE(map.setTilesetName(map.getTilesetName()));
    EXPECT_NE(testLogContent().find("Map::setTilesetName: WARNING: Caller is attempting to pass "
                                    "in that which will be modified\n"),
              std::string::npos);
    EXPECT_STREQ(map.getTilesetName(), "tiles.png");

    const std::string longName(2000, 'x');
    map.setMusicName(longName.c_str());
    EXPECT_EQ(std::string(map.getMusicName()), longName.substr(0, Map::kNameLimit - 1));
    map.setMusicName(nullptr);
    EXPECT_EQ(map.getMusicName(), nullptr);

    ASSERT_TRUE(map.addBackground(std::make_unique<Map::Background>()));
    EXPECT_FALSE(map.addBackground(nullptr));
    EXPECT_FALSE(map.setBackgroundName(1, "sky.png"));
    EXPECT_EQ(map.getBackgroundName(1), nullptr);
    ASSERT_TRUE(map.setBackgroundName(0, "sky.png"));
    clearTestLog();
    EXPECT_TRUE(map.setBackgroundName(0, "sky.png"));
    EXPECT_NE(testLogContent().find("Map::setBackgroundName: WARNING: Caller is attempting to "
                                    "pass in that which will be modified\n"),
              std::string::npos);
    EXPECT_FALSE(map.setBackgroundName(0, nullptr));
    EXPECT_NE(testLogContent().find(
                  "Map::setBackgroundName: ERROR: Caller passed NULL to setBackgroundName\n"),
              std::string::npos);
    EXPECT_STREQ(map.getBackgroundName(0), "sky.png");
}

TEST(MapTest, ListsAppendHandOutAndRemoveInOrder) {
    Map map;
    Map::Exit* first = map.addExit();
    Map::Exit* second = map.addExit();
    Map::Exit* third = map.addExit();
    EXPECT_EQ(map.getExit(1), second);
    EXPECT_EQ(map.getExit(3), nullptr);
    EXPECT_EQ(map.getExit(-1), nullptr);
    map.removeExit(1);
    map.removeExit(7);
    EXPECT_EQ(map.getNumberOfExits(), 2);
    EXPECT_EQ(map.getExit(0), first);
    EXPECT_EQ(map.getExit(1), third);
    EXPECT_FALSE(map.addExit(nullptr));
    EXPECT_TRUE(map.addExit(std::make_unique<Map::Exit>()));
    map.clearExits();
    EXPECT_EQ(map.getNumberOfExits(), 0);

    Map::WaterArea* area = map.addWaterArea();
    EXPECT_EQ(map.getWaterArea(0), area);
    map.clearWaterAreas();
    EXPECT_EQ(map.getWaterArea(0), nullptr);

    Map::CameraStopper* stopper = map.addCameraStopper();
    EXPECT_EQ(stopper->getOrientation(), Map::kVertical);
    EXPECT_EQ(stopper->getBlockDirection(), Map::CameraStopper::kBlockLeft);
    map.removeCameraStopper(0);
    EXPECT_EQ(map.getNumberOfCameraStoppers(), 0);
}

TEST(MapTest, StopperOrientationResetsAndLimitsTheBlockDirection) {
    using Stopper = Map::CameraStopper;
    Stopper stopper;
    const auto directionAfterSetting = [&](int direction) {
        stopper.setBlockDirection(direction);
        return stopper.getBlockDirection();
    };
    EXPECT_EQ(directionAfterSetting(Stopper::kBlockUp), Stopper::kBlockLeft) << "up: horizontal";
    EXPECT_EQ(directionAfterSetting(Stopper::kBlockDown), Stopper::kBlockDown);
    stopper.setOrientation(Map::kHorizontal);
    EXPECT_EQ(directionAfterSetting(Stopper::kBlockLeft), Stopper::kBlockDown) << "left: vertical";
    EXPECT_EQ(directionAfterSetting(Stopper::kBlockUp), Stopper::kBlockUp);
    EXPECT_EQ(directionAfterSetting(4), Stopper::kBlockUp);
    stopper.setOrientation(Map::kVertical);
    EXPECT_EQ(stopper.getBlockDirection(), Stopper::kBlockLeft) << "reset by the orientation";
    stopper.setOrientation(Map::kHorizontal);
    EXPECT_EQ(stopper.getBlockDirection(), Stopper::kBlockDown);

    stopper.setOrientation(5);
    stopper.setLength(80);
    stopper.setLength(-1);
    EXPECT_EQ(stopper.getOrientation(), Map::kHorizontal);
    EXPECT_EQ(stopper.getLength(), 80);
}

TEST(MapTest, OnlyPositiveTilesOfBlockLayersAreSolid) {
    Map map;
    map.appendColumn();
    map.appendColumn();
    map.appendLayer();
    map.setLayerProperties(0, Map::kLayerBlock);
    map.setTileAt(0, 0, 1, 5);
    map.setTileAt(0, 0, 2, -3);
    map.setTileAt(1, 0, 0, 5);
    map.setTileAt(1, 0, 2, 5);
    EXPECT_FALSE(map.tileIsBlockedAt(0, 0)) << "tile 5 on a layer without BLOCK";
    EXPECT_TRUE(map.tileIsBlockedAt(0, 1));
    EXPECT_FALSE(map.tileIsBlockedAt(0, 2)) << "a negative tile";
    map.setTileAt(0, 0, 1, 0);
    EXPECT_FALSE(map.tileIsBlockedAt(0, 1)) << "tile 0 on a BLOCK layer";
    map.setLayerProperties(1, Map::kLayerBlock | Map::kLayerUpper);
    EXPECT_TRUE(map.tileIsBlockedAt(0, 0)) << "any BLOCK layer counts";
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 1, 4, 4)) << "without tileset: the cell test";
    EXPECT_TRUE(map.tileIsPixelPerfectBlockedAt(0, 0, 4, 4));
}

class MapExitTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A vertical exit from (100, 50) to (100, 82).
        addExit(100, 50, 32, Map::kVertical, "east", 5, 6);
        // A horizontal exit from (10, 200) to (50, 200).
        addExit(10, 200, 40, Map::kHorizontal, "south", 7, 8);
    }

    void addExit(int x, int y, int length, int orientation, const char* next, int nextX,
                 int nextY) {
        Map::Exit* exit = map.addExit();
        exit->setCoords(x, y);
        exit->setHeight(length);
        exit->setWidth(length);
        exit->setOrientation(orientation);
        exit->setNextMap(next);
        exit->setNextMapCoords(nextX, nextY);
    }

    std::optional<std::string> hit(const BoundingBox& box, int orientation) {
        return map.checkExitsForCollision(box, orientation, thisX, thisY, nextX, nextY);
    }

    Map map;
    int thisX = -1;
    int thisY = -1;
    int nextX = -1;
    int nextY = -1;
};

TEST_F(MapExitTest, SegmentEndsTouchInclusivelyAndTheHitGivesBothAnchors) {
    EXPECT_EQ(hit({90, 82, 100, 90}, Map::kVertical), "east") << "touching the bottom end";
    EXPECT_EQ((std::vector{thisX, thisY, nextX, nextY}), (std::vector{100, 50, 5, 6}));
    EXPECT_EQ(hit({90, 83, 100, 90}, Map::kVertical), std::nullopt) << "one pixel below";
    EXPECT_EQ(hit({101, 40, 110, 50}, Map::kVertical), std::nullopt) << "one pixel right";
    EXPECT_EQ(hit({50, 190, 60, 200}, Map::kHorizontal), "south") << "touching the right end";
    EXPECT_EQ((std::vector{thisX, thisY, nextX, nextY}), (std::vector{10, 200, 7, 8}));
}

TEST_F(MapExitTest, OnlyExitsOfTheAskedOrientationWithANextMapAreTaken) {
    EXPECT_EQ(hit({95, 60, 105, 70}, Map::kHorizontal), std::nullopt);
    EXPECT_EQ(hit({20, 195, 30, 205}, Map::kVertical), std::nullopt);
    EXPECT_EQ(thisX, -1) << "a miss leaves the outputs alone";

    map.getExit(0)->setNextMap(nullptr);
    EXPECT_EQ(hit({95, 60, 105, 70}, Map::kVertical), std::nullopt);
    addExit(100, 60, 4, Map::kVertical, "later", 1, 2);
    EXPECT_EQ(hit({95, 60, 105, 70}, Map::kVertical), "later")
        << "an exit without next map is passed over, not a stop";
}

TEST(MapWaterTest, FirstOverlappingAreaIsFound) {
    Map map;
    map.addWaterArea()->boundingBox().setBounds(0, 0, 10, 10);
    map.addWaterArea()->boundingBox().setBounds(5, 5, 20, 20);
    EXPECT_EQ(map.checkWaterAreasForCollision({6, 6, 7, 7}), 0);
    EXPECT_EQ(map.checkWaterAreasForCollision({15, 15, 16, 16}), 1);
    EXPECT_EQ(map.checkWaterAreasForCollision({10, -5, 12, 0}), 0) << "corner touch";
    EXPECT_EQ(map.checkWaterAreasForCollision({21, 21, 30, 30}), -1);
}

class MapCameraStopperTest : public ::testing::Test {
protected:
    Map::CameraStopper* addStopper(int x, int y, int length, int orientation, int direction) {
        Map::CameraStopper* stopper = map.addCameraStopper();
        stopper->setPosition(x, y);
        stopper->setLength(length);
        stopper->setOrientation(orientation);
        stopper->setBlockDirection(direction);
        return stopper;
    }

    // The camera x or y the stoppers give, or the untouched marker when none applies.
    int cameraX(int targetX, int currentCameraX, int targetY = 100) const {
        return stopperPosition(&Map::verticalCameraStopperPosition, targetX, targetY,
                               currentCameraX);
    }
    int cameraY(int targetY, int currentCameraY, int targetX = 100) const {
        return stopperPosition(&Map::horizontalCameraStopperPosition, targetX, targetY,
                               currentCameraY);
    }
    int stopperPosition(int (Map::*query)(int, int, int, int&) const, int targetX, int targetY,
                        int currentCamera) const {
        int camera = kUntouched;
        const bool applied = (map.*query)(targetX, targetY, currentCamera, camera);
        EXPECT_EQ(applied, camera != kUntouched);
        return camera;
    }

    static constexpr int kUntouched = -12345;
    Map map;
};

TEST_F(MapCameraStopperTest, VerticalStopperKeepingTheViewLeftOfIt) {
    addStopper(480, 0, 240, Map::kVertical, Map::CameraStopper::kBlockLeft);
    EXPECT_EQ(cameraX(400, 240), 160) << "the view's right edge sits on the stopper";
    EXPECT_EQ(cameraX(480, 240), 160);
    EXPECT_EQ(cameraX(560, 240), 320) << "catching up at twice the target's speed";
    EXPECT_EQ(cameraX(640, 240), 480);
    EXPECT_EQ(cameraX(641, 240), kUntouched) << "past the catch-up, normal centring";
    EXPECT_EQ(cameraX(320, 240), kUntouched) << "160 or more to the left";
}

TEST_F(MapCameraStopperTest, VerticalStopperKeepingTheViewRightOfIt) {
    addStopper(480, 0, 240, Map::kVertical, Map::CameraStopper::kBlockRight);
    EXPECT_EQ(cameraX(400, 240), 320) << "running ahead at twice the speed";
    EXPECT_EQ(cameraX(479, 240), 478);
    EXPECT_EQ(cameraX(500, 240), 480) << "the view's left edge sits on the stopper";
    EXPECT_EQ(cameraX(250, 240), kUntouched);
}

TEST_F(MapCameraStopperTest, VerticalStopperAppliesOnlyNearTheCameraAndAlongItsSpan) {
    addStopper(480, 0, 240, Map::kVertical, Map::CameraStopper::kBlockLeft);
    EXPECT_EQ(cameraX(400, 160), 160) << "320 away from the camera still counts";
    EXPECT_EQ(cameraX(400, 159), kUntouched) << "321 away does not";
    EXPECT_EQ(cameraX(400, 800), 160);
    EXPECT_EQ(cameraX(400, 801), kUntouched);
    EXPECT_EQ(cameraX(400, 240, 240), 160) << "span ends are inclusive";
    EXPECT_EQ(cameraX(400, 240, 241), kUntouched);
    EXPECT_EQ(cameraX(400, 240, -1), kUntouched);
    EXPECT_EQ(cameraY(400, 240, 480), kUntouched) << "a vertical stopper bends only x";
}

TEST_F(MapCameraStopperTest, FirstApplyingStopperInListOrderWins) {
    addStopper(1000, 0, 240, Map::kVertical, Map::CameraStopper::kBlockLeft);
    addStopper(480, 0, 240, Map::kVertical, Map::CameraStopper::kBlockRight);
    addStopper(500, 0, 240, Map::kVertical, Map::CameraStopper::kBlockLeft);
    EXPECT_EQ(cameraX(490, 240), 480) << "the first is too far; the second applies";
}

TEST_F(MapCameraStopperTest, HorizontalStoppersBendTheCameraYTheSameWay) {
    addStopper(0, 360, 640, Map::kHorizontal, Map::CameraStopper::kBlockDown);
    EXPECT_EQ(cameraY(300, 200), 120) << "the view's bottom edge sits on the stopper";
    EXPECT_EQ(cameraY(360, 200), 120);
    EXPECT_EQ(cameraY(420, 200), 240);
    EXPECT_EQ(cameraY(481, 200), kUntouched);
    EXPECT_EQ(cameraY(300, 119), kUntouched) << "241 away from the camera";
    EXPECT_EQ(cameraY(300, 200, 641), kUntouched) << "beyond the span";
    EXPECT_EQ(cameraX(300, 200, 360), kUntouched) << "a horizontal stopper bends only y";

    map.getCameraStopper(0)->setBlockDirection(Map::CameraStopper::kBlockUp);
    EXPECT_EQ(cameraY(300, 200), 240);
    EXPECT_EQ(cameraY(359, 200), 358);
    EXPECT_EQ(cameraY(400, 200), 360);
    EXPECT_EQ(cameraY(200, 200), kUntouched);
}

// Tileset of four 16 x 16 tiles: 0 opaque, 1 transparent above and opaque below, 2 the other
// way round, 3 transparent.
PngImage solidityTileset() {
    PngImage image = solidPng(64, 16, PngColorType::RGBA);
    for (int y = 0; y < 16; y++) {
        for (int x = 16; x < 64; x++) {
            const int tile = x / 16;
            const bool opaque = (tile == 1 && y >= 8) || (tile == 2 && y < 8);
            image.pixels[(y * 64 + x) * 4 + 3] = opaque ? 255 : 0;
        }
    }
    return image;
}

class MapPixelSolidityTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        writePng(directory.pathOf("data/tiles.png"), solidityTileset());
        writePng(directory.pathOf("data/narrow.png"), solidPng(8, 8, PngColorType::RGBA));
        map.appendColumn();
        map.appendColumn();
        map.appendLayer();
        map.setLayerProperties(0, Map::kLayerBlock);
        map.setLayerProperties(1, Map::kLayerBlock);
    }
    void TearDown() override {
        ResourceManager::instance()->cleanup();
        GLTestFixture::TearDown();
    }

    ScratchWorkingDirectory directory{"map-solidity"};
    Map map;
};

TEST_F(MapPixelSolidityTest, OpaqueTilesetPixelsOfBlockLayersAreSolid) {
    map.setTilesetName("tiles.png");
    ASSERT_TRUE(map.loadTileset());
    map.setTileAt(0, 0, 0, 1);
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 0, 5, 3)) << "transparent half";
    EXPECT_TRUE(map.tileIsPixelPerfectBlockedAt(0, 0, 5, 12)) << "opaque half";
    map.setTileAt(1, 0, 0, 2);
    EXPECT_TRUE(map.tileIsPixelPerfectBlockedAt(0, 0, 5, 3)) << "a later layer answers";
    EXPECT_TRUE(map.tileIsPixelPerfectBlockedAt(0, 0, 15, 15));

    map.setTileAt(0, 0, 1, 3);
    EXPECT_TRUE(map.tileIsBlockedAt(0, 1));
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 1, 8, 8)) << "transparent tile";
    map.setTileAt(0, 0, 2, 4);
    EXPECT_TRUE(map.tileIsBlockedAt(0, 2));
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 2, 8, 8)) << "beyond the tileset";
    map.setTileAt(0, 0, 2, INT_MAX);
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 2, 8, 8));

    map.setLayerProperties(1, 0);
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 0, 5, 3)) << "only BLOCK layers count";
    EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(1, 0, 5, 12)) << "outside the map";
}

TEST_F(MapPixelSolidityTest, WithoutUsableTilesetTheCellDecides) {
    map.setTileAt(0, 0, 0, 1);
    map.setTileAt(0, 0, 1, 4);
    for (const char* tileset : {"missing.png", "narrow.png"}) {
        SCOPED_TRACE(tileset);
        map.setTilesetName(tileset);
        map.loadTileset();
        EXPECT_TRUE(map.tileIsPixelPerfectBlockedAt(0, 0, 5, 3));
        EXPECT_TRUE(map.tileIsPixelPerfectBlockedAt(0, 1, 5, 3));
        EXPECT_FALSE(map.tileIsPixelPerfectBlockedAt(0, 2, 5, 3));
    }
}

} // namespace
