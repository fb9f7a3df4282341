#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/MapWater.h"
#include "tests/support/GameplayFixture.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

constexpr int kStartX = 100;

// The heights of a rise that moves by each speed for as many ticks as given.
std::vector<int> risingHeights(int startY, const std::vector<std::pair<int, int>>& speedsAndTicks) {
    std::vector<int> heights;
    int y = startY;
    for (const auto& [speed, count] : speedsAndTicks) {
        for (int i = 0; i < count; i++) {
            y -= speed;
            heights.push_back(y);
        }
    }
    return heights;
}

class PlayerJumpTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
        standAtStart();
    }

    // A fresh player standing on the floor, ready to jump.
    void standAtStart() {
        standAt(kStartX);
        ASSERT_TRUE(thePlayer().state().canJump);
    }

    // The player's y after each of the ticks.
    std::vector<int> heights(int count) {
        std::vector<int> result;
        for (int i = 0; i < count; i++) {
            tick();
            result.push_back(thePlayer().getYPos());
        }
        return result;
    }
};

TEST_F(PlayerJumpTest, GroundJumpOnLandRises54PixelsIn20TicksThenFallsBackOntoTheFloor) {
    const int floorY = standingY(kFloorRow);
    hold(SDLK_SPACE);
    EXPECT_EQ(heights(19), risingHeights(floorY, {{6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 6}, {1, 5}}));
    EXPECT_TRUE(thePlayer().state().rising);
    tick();
    EXPECT_EQ(thePlayer().getYPos(), floorY - 54);
    EXPECT_FALSE(thePlayer().state().rising) << "the rise ends when the upward speed reaches 0";

    // Falling: speed 0 for two ticks, 1 for six (the slow phase), then one more every 2 ticks.
    EXPECT_EQ(heights(19), (std::vector<int>{114, 114, 115, 116, 117, 118, 119, 120, 122, 124, 127,
                                             130, 134, 138, 143, 148, 154, 160, 167}));
    EXPECT_EQ(thePlayer().state().fallSpeed, 7);
    tick();
    EXPECT_EQ(thePlayer().getYPos(), floorY) << "the last step is cut short by the floor";
    tick();
    EXPECT_FALSE(thePlayer().state().falling);

    // A Jump key held since the jump does not jump again; pressing it anew does.
    EXPECT_EQ(heights(5), std::vector<int>(5, floorY));
    release(SDLK_SPACE);
    ticks(2);
    hold(SDLK_SPACE);
    tick();
    EXPECT_EQ(thePlayer().getYPos(), floorY - 6);
}

TEST_F(PlayerJumpTest, GroundJumpInWaterRises84PixelsIn52TicksAndFallsAtMost3PixelsATick) {
    globalMap->addWaterArea()->boundingBox().setBounds(0, 0, 319, kFloorRow * kTile - 1);
    tick();
    ASSERT_TRUE(thePlayer().state().inWater);
    ASSERT_EQ(thePlayer().state().waterArea, 0);
    const int floorY = standingY(kFloorRow);
    hold(SDLK_SPACE);
    EXPECT_EQ(heights(51), risingHeights(floorY, {{3, 4}, {2, 24}, {1, 23}}));
    EXPECT_TRUE(thePlayer().state().rising);
    tick();
    EXPECT_EQ(thePlayer().getYPos(), floorY - 84);
    EXPECT_FALSE(thePlayer().state().rising);

    int fastestFall = 0;
    ASSERT_GT(ticksUntil(
                  [&] {
                      fastestFall = std::max(fastestFall, thePlayer().state().fallSpeed);
                      return thePlayer().getYPos() == floorY && !thePlayer().state().falling;
                  },
                  200),
              0);
    EXPECT_EQ(fastestFall, 3);
}

TEST_F(PlayerJumpTest, ReleasingJumpEarlyCutsTheRiseAtOnce) {
    const int floorY = standingY(kFloorRow);
    for (const auto& [heldTicks, apex] : {std::pair{5, floorY - 26}, std::pair{10, floorY - 40}}) {
        SCOPED_TRACE(heldTicks);
        standAtStart();
        hold(SDLK_SPACE);
        ticks(heldTicks);
        release(SDLK_SPACE);
        tick();
        EXPECT_EQ(thePlayer().getYPos(), apex);
        EXPECT_FALSE(thePlayer().state().rising);
        tick();
        EXPECT_TRUE(thePlayer().state().falling);
        EXPECT_EQ(thePlayer().getYPos(), apex);
        ticks(3);
        EXPECT_EQ(thePlayer().getYPos(), apex + 2);
    }
}

TEST_F(PlayerJumpTest, DoubleJumpIsKeptByReleasingBeforeTheApexAndLostByHoldingThroughIt) {
    const int floorY = standingY(kFloorRow);
    thePlayer().grantPowerup(player::kPowerupDoubleJump);
    hold(SDLK_SPACE);
    ticks(5);
    release(SDLK_SPACE);
    ticks(3);
    ASSERT_TRUE(thePlayer().state().falling);
    hold(SDLK_SPACE);
    tick();
    EXPECT_EQ(thePlayer().getYPos(), floorY - 26 - 6);
    EXPECT_TRUE(thePlayer().state().doubleJumpUsed);
    ticks(19);
    EXPECT_EQ(thePlayer().getYPos(), floorY - 26 - 54) << "a double jump rises as far";
    release(SDLK_SPACE);
    ticks(2);
    hold(SDLK_SPACE);
    tick();
    EXPECT_GT(thePlayer().getYPos(), floorY - 80) << "no third jump";

    standAtStart();
    thePlayer().grantPowerup(player::kPowerupDoubleJump);
    hold(SDLK_SPACE);
    ticks(21);
    EXPECT_FALSE(thePlayer().state().canDoubleJump);
    release(SDLK_SPACE);
    ticks(2);
    const int before = thePlayer().getYPos();
    hold(SDLK_SPACE);
    tick();
    EXPECT_GT(thePlayer().getYPos(), before) << "still falling";
}

TEST_F(PlayerJumpTest, WalkingOffALedgeKeepsTheDoubleJumpUntilTheFallSpeedFirstExceeds10) {
    buildMap(20, 30);
    fillTiles(10, 0, 10, 5, kSolid);
    fillFloor(29);
    // Walks off the ledge, then presses Jump on the given tick of the fall; true when the player
    // rose on that tick.
    const auto doubleJumpsOnFallTick = [this](int fallTick, std::vector<int>* fallSpeeds) {
        standAt(80, 10 * kTile).grantPowerup(player::kPowerupDoubleJump);
        hold(SDLK_RIGHT);
        EXPECT_GT(ticksUntil([] { return thePlayer().state().falling; }, 20), 0);
        release(SDLK_RIGHT);
        for (int tickOfFall = 2; tickOfFall < fallTick; tickOfFall++) {
            EXPECT_TRUE(thePlayer().state().canDoubleJump) << tickOfFall;
            tick();
            if (fallSpeeds != nullptr) {
                fallSpeeds->push_back(thePlayer().state().fallSpeed);
            }
        }
        const int before = thePlayer().getYPos();
        hold(SDLK_SPACE);
        tick();
        return thePlayer().getYPos() == before - 6;
    };
    std::vector<int> fallSpeeds;
    EXPECT_TRUE(doubleJumpsOnFallTick(26, &fallSpeeds));
    EXPECT_EQ(fallSpeeds, (std::vector<int>{1, 1, 1, 1, 1, 1, 2, 2, 3, 3, 4,  4,
                                            5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10}));
    EXPECT_FALSE(doubleJumpsOnFallTick(27, nullptr));
    EXPECT_FALSE(thePlayer().state().canDoubleJump);
}

TEST_F(PlayerJumpTest, TheKeyThatClosedAScreenDoesNotJump) {
    hold(SDLK_SPACE);
    thePlayer().forcePreventJumpFromKeyPassthrough();
    ticks(3);
    EXPECT_EQ(thePlayer().getYPos(), standingY(kFloorRow));
    release(SDLK_SPACE);
    ticks(2);
    hold(SDLK_SPACE);
    tick();
    EXPECT_EQ(thePlayer().getYPos(), standingY(kFloorRow) - 6);
}

} // namespace
