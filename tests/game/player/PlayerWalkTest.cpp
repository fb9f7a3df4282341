#include "game/objects/WOPushable.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"

#include <gtest/gtest.h>

namespace {

class PlayerWalkTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
    }
};

TEST_F(PlayerWalkTest, StepsOf8PixelsAreWalkedUpAndDownWithoutFalling) {
    fillTiles(kFloorRow - 1, 10, kFloorRow - 1, 12, kStep8);
    const int floorY = standingY(kFloorRow);
    standAt(100);
    hold(SDLK_RIGHT);
    std::vector<int> heights;
    for (int i = 1; i <= 62; i++) {
        tick();
        ASSERT_FALSE(thePlayer().state().falling) << "tick " << i;
        ASSERT_EQ(thePlayer().getXPos(), 100 + 2 * i);
        heights.push_back(thePlayer().getYPos());
    }
    // Up in one tick when the feet reach the step at x 160, down 1 pixel a tick once the feet
    // have left it at x 208.
    std::vector<int> expected(23, floorY);
    expected.insert(expected.end(), 30, floorY - 8);
    for (int y = floorY - 7; y <= floorY; y++) {
        expected.push_back(y);
    }
    expected.push_back(floorY);
    EXPECT_EQ(heights, expected);
}

TEST_F(PlayerWalkTest, AWallOf9PixelsStopsTheWalkAndADropOf9PixelsIsAFall) {
    fillTiles(kFloorRow - 1, 10, kFloorRow - 1, 10, kStep9);
    standAt(100);
    hold(SDLK_RIGHT);
    ticks(40);
    EXPECT_EQ(thePlayer().getXPos(), 160 - 1 - kBoxRight);
    EXPECT_EQ(thePlayer().getYPos(), standingY(kFloorRow));
    EXPECT_FALSE(thePlayer().state().running);

    fillTiles(kFloorRow - 1, 0, kFloorRow - 1, 9, kStep9);
    standAt(140, kFloorRow * kTile - 9);
    hold(SDLK_RIGHT);
    EXPECT_GT(ticksUntil([] { return thePlayer().state().falling; }, 40), 0);
}

TEST_F(PlayerWalkTest, SolidObjectsStopThePlayerAndPushablesArePushedAlong) {
    placeObject(new TestBlock(), 180, kFloorRow * kTile - 16)
        .addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
    standAt(100);
    hold(SDLK_RIGHT);
    ticks(60);
    EXPECT_EQ(thePlayer().getXPos(), 180 - 1 - kBoxRight);
    EXPECT_FALSE(thePlayer().state().pushing) << "a solid object that is not pushable";

    globalMapSpecificWorldObjectVector->clear();
    auto& crate = placeObject(new Concrete<WOPushable>(), 180, kFloorRow * kTile - 16);
    standAt(100);
    hold(SDLK_RIGHT);
    ticks(60);
    EXPECT_TRUE(thePlayer().state().pushing);
    EXPECT_GT(crate.getXPos(), 180);
    EXPECT_EQ(thePlayer().getBBox()->getRightBound() + 1, crate.getBBox()->getLeftBound())
        << "the player moves as far as the crate does";
}

TEST_F(PlayerWalkTest, PixelsAboveTheMapAreOutsideItAndNeverSolid) {
    // Folding the rows above the map into its first row would make the player land on the air
    // above this step; it lands on the step's top at y 7.
    fillTiles(0, 5, 0, 5, kStep9);
    spawnPlayer(75, -60);
    EXPECT_GT(ticksUntil([] { return !thePlayer().state().falling; }, 100), 0);
    EXPECT_EQ(thePlayer().getBBox()->getBottomBound(), 6);
}

TEST_F(PlayerWalkTest, AnIdlePlayerSitsAfter600TicksUntilItMoves) {
    standAt(100);
    hold(SDLK_RIGHT);
    tick();
    release(SDLK_RIGHT);
    ticks(599);
    EXPECT_FALSE(thePlayer().state().sitting);
    tick();
    EXPECT_TRUE(thePlayer().state().sitting);
    hold(SDLK_LEFT);
    tick();
    EXPECT_FALSE(thePlayer().state().sitting);
    EXPECT_EQ(thePlayer().getDirection(), player::kLeft);
}

} // namespace
