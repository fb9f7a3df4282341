#include "game/world/Minimap.h"
#include "engine/PXKeyboard.h"
#include "game/core/Settings.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

class MinimapTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        globalMinimap = new Minimap();
    }

    void TearDown() override {
        delete globalMinimap;
        globalMinimap = nullptr;
        GameplayFixture::TearDown();
    }

    void tick() override { gameTick(); }

    static Minimap& minimap() { return *globalMinimap; }

    static std::vector<std::pair<int, int>> visitedCells() {
        std::vector<std::pair<int, int>> cells;
        for (int row = 0; row < Minimap::kRows; row++) {
            for (int column = 0; column < Minimap::kColumns; column++) {
                if (minimap().isTileVisited(column, row)) {
                    cells.emplace_back(column, row);
                }
            }
        }
        return cells;
    }

    // The camera at the position, on a map whose top-left screen is the minimap cell.
    static void visitFrom(int indexX, int indexY, int cameraX, int cameraY) {
        globalMap->setMinimapIndex(indexX, indexY);
        globalCamera->setPosition(cameraX, cameraY);
        minimap().visitCurrentCell();
    }

    static void holdMinimapControl(bool down) {
        _PXSetKeyCode(Settings::instance()->keyMinimap, down);
    }

    // The saved-game block: 1200 flags, row by row.
    static std::string block(int visitedPosition, int flags = Minimap::kColumns * Minimap::kRows) {
        std::string bytes;
        for (int position = 0; position < flags; position++) {
            bytes += recordInteger(position == visitedPosition ? -1 : 0);
        }
        return bytes;
    }
};

using Cells = std::vector<std::pair<int, int>>;

TEST_F(MinimapTest, TheCameraVisitsTheCellOfTheScreenItShowsOnMapsOnTheMinimap) {
    visitFrom(3, 2, 0, 0);
    EXPECT_EQ(visitedCells(), (Cells{{3, 2}}));
    visitFrom(3, 2, 170, 0);
    EXPECT_EQ(visitedCells(), (Cells{{3, 2}, {4, 2}})) << "more than half a screen across";
    minimap().reset();
    visitFrom(0, 5, 0, 130);
    EXPECT_EQ(visitedCells(), (Cells{{0, 6}})) << "a map in column 0 is still on the minimap";
    minimap().reset();
    visitFrom(0, 0, 170, 130);
    EXPECT_TRUE(visitedCells().empty()) << "a map at (0, 0) is off the minimap";

    minimap().setTileVisited(40, 0);
    minimap().setTileVisited(0, 30);
    minimap().setTileVisited(-1, 0);
    EXPECT_TRUE(visitedCells().empty());
    minimap().markAllVisited();
    minimap().setTileUnvisited(39, 29);
    EXPECT_EQ(visitedCells().size(), 1199u);
    minimap().setPos(5, 7);
    minimap().reset();
    EXPECT_TRUE(visitedCells().empty());
    EXPECT_EQ(minimap().getXPos(), 0);
    EXPECT_EQ(minimap().getYPos(), 0);

    // Every game tick visits where the camera ended up.
    buildMap(60, 15);
    globalMap->setMinimapIndex(3, 2);
    spawnPlayer(500, 0);
    tick();
    ASSERT_EQ(globalCamera->getXPos(), 500 - 160);
    EXPECT_EQ(visitedCells(), (Cells{{4, 2}}));
}

TEST_F(MinimapTest, TheSavedBlockHoldsTheFlagsRowByRowAndAShortOneChangesNothing) {
    ASSERT_TRUE(readFromBytes(block(41), [](FILE* stream) { return minimap().load(stream); }));
    EXPECT_EQ(visitedCells(), (Cells{{1, 1}}));
    minimap().setTileVisited(39, 29);
    const std::string saved = bytesWrittenBy([](FILE* stream) { return minimap().save(stream); });
    EXPECT_EQ(saved, block(41).replace(4 * 1199, 4, recordInteger(-1)));

    const std::string shortBlock = block(0, 1199);
    EXPECT_FALSE(readFromBytes(shortBlock, [](FILE* stream) { return minimap().load(stream); }));
    EXPECT_EQ(visitedCells(), (Cells{{1, 1}, {39, 29}}));
}

TEST_F(MinimapTest, TheMarkerBlinksAndTheMinimapShowsOnlyWithTheMapWhileItsControlIsHeld) {
    for (const float expected : {0.02f, 0.04f, 0.06f}) {
        minimap().logic();
        EXPECT_NEAR(minimap().markerAlpha(), expected, 1e-5);
    }
    for (int step = 4; step <= 51; step++) {
        minimap().logic();
    }
    EXPECT_NEAR(minimap().markerAlpha(), 1.02f, 1e-4) << "it turns once it has reached 1";
    minimap().logic();
    EXPECT_NEAR(minimap().markerAlpha(), 1.0f, 1e-4);

    fillFloor();
    standAt(40);
    holdMinimapControl(true);
    tick();
    EXPECT_FALSE(minimap().isEnabled()) << "not without the map powerup";
    thePlayer().grantPowerup(player::kPowerupMap);
    tick();
    EXPECT_TRUE(minimap().isEnabled());
    holdMinimapControl(false);
    tick();
    EXPECT_FALSE(minimap().isEnabled());

    // Drawn only while shown: the cells over the whole logical screen, the current one outlined
    // in red.
    globalMap->setMinimapIndex(3, 2);
    clearTo(255, 255, 255);
    minimap().draw();
    EXPECT_EQ(pixelAt(100, 100), (RGBA{255, 255, 255, 255}));
    minimap().enable();
    while (minimap().markerAlpha() < 0.99f) {
        minimap().logic();
    }
    minimap().draw();
    EXPECT_NE(pixelAt(100, 100), (RGBA{255, 255, 255, 255}));
    const RGBA marker = pixelAt(3 * Minimap::kCellSize, 2 * Minimap::kCellSize);
    EXPECT_GT(marker.r, 240);
    EXPECT_LT(marker.g, 20);
}

} // namespace
