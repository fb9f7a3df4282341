#include "game/player/Player.h"
#include "tests/support/GameplayFixture.h"

#include <gtest/gtest.h>

namespace {

class PlayerWallTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
    }

    // Jumps beside a block from x 160 whose top, at y 128, is above the player's head but
    // below its jump, holding Jump and Right: the player grabs the ledge on the 32nd tick.
    void jumpBesideTheBlockHoldingOn(int count) {
        fillTiles(8, 10, kFloorRow - 1, 19, kSolid);
        standAt(160 - 1 - kBoxRight);
        hold(SDLK_SPACE);
        hold(SDLK_RIGHT);
        ticks(count);
    }
};

class PlayerWallClingTest : public PlayerWallTest {
protected:
    // A wall from the left edge to x 31.
    static constexpr int kWallFace = 32;

    void SetUp() override {
        PlayerWallTest::SetUp();
        fillTiles(0, 0, kFloorRow - 1, 1, kSolid);
    }

    // Jumps, runs into the wall on the left while rising and presses away from it: the cling
    // starts on the eighth tick.
    void jumpIntoTheWallAndPressAway() {
        standAt(40).grantPowerup(player::kPowerupWallJump);
        hold(SDLK_SPACE);
        hold(SDLK_LEFT);
        ticks(7);
        ASSERT_TRUE(thePlayer().state().touchedLeftWall);
        ASSERT_EQ(thePlayer().getBBox()->getLeftBound(), kWallFace);
        release(SDLK_LEFT);
        hold(SDLK_RIGHT);
        tick();
        ASSERT_TRUE(thePlayer().state().clinging);
    }
};

TEST_F(PlayerWallClingTest, AClingLasts20TicksAndNeedsAnAirborneStart) {
    jumpIntoTheWallAndPressAway();
    const int clingX = thePlayer().getXPos();
    EXPECT_EQ(thePlayer().getDirection(), player::kRight);
    for (int i = 1; i <= 19; i++) {
        tick();
        ASSERT_TRUE(thePlayer().state().clinging) << "tick " << i;
        ASSERT_EQ(thePlayer().getXPos(), clingX);
    }
    tick();
    EXPECT_FALSE(thePlayer().state().clinging);
    EXPECT_TRUE(thePlayer().state().clingSpent);
    EXPECT_EQ(thePlayer().getXPos(), clingX + 2) << "the player lets go and moves on";

    // Walking into the wall on the ground and pressing away is no cling.
    standAt(40).grantPowerup(player::kPowerupWallJump);
    hold(SDLK_LEFT);
    ticks(10);
    ASSERT_EQ(thePlayer().getBBox()->getLeftBound(), kWallFace);
    release(SDLK_LEFT);
    hold(SDLK_RIGHT);
    tick();
    EXPECT_FALSE(thePlayer().state().clinging);

    // Nor is jumping beside the wall without running into it.
    standAt(kWallFace - kBoxLeft).grantPowerup(player::kPowerupWallJump);
    hold(SDLK_SPACE);
    ticks(3);
    hold(SDLK_RIGHT);
    tick();
    EXPECT_FALSE(thePlayer().state().clinging);
}

TEST_F(PlayerWallClingTest, AWallJumpFreezesFor8TicksAndJumpsOnlyIfJumpIsStillHeld) {
    for (const bool keepHolding : {true, false}) {
        SCOPED_TRACE(keepHolding);
        jumpIntoTheWallAndPressAway();
        release(SDLK_SPACE);
        ticks(2);
        hold(SDLK_SPACE);
        tick();
        ASSERT_TRUE(thePlayer().state().wallJumpFreeze);
        const int frozenX = thePlayer().getXPos();
        const int frozenY = thePlayer().getYPos();
        for (int i = 1; i <= 8; i++) {
            if (i == 4 && !keepHolding) {
                release(SDLK_SPACE);
            }
            tick();
            ASSERT_EQ(thePlayer().getXPos(), frozenX);
            ASSERT_EQ(thePlayer().getYPos(), frozenY);
        }
        EXPECT_FALSE(thePlayer().state().wallJumpFreeze);
        EXPECT_EQ(thePlayer().state().horizontalSpeed, 3);
        tick();
        EXPECT_EQ(thePlayer().getXPos(), frozenX + 3);
        EXPECT_EQ(thePlayer().getYPos(), keepHolding ? frozenY - 6 : frozenY);
        EXPECT_EQ(thePlayer().state().rising, keepHolding);
    }
}

TEST_F(PlayerWallTest, ALedgeIsGrabbedFallingPastItAndClimbedIn12Ticks) {
    jumpBesideTheBlockHoldingOn(31);
    EXPECT_FALSE(thePlayer().state().grappling);
    tick();
    ASSERT_TRUE(thePlayer().state().grappling);
    EXPECT_FALSE(thePlayer().state().falling);
    EXPECT_EQ(thePlayer().state().grappleSide, player::kRight);
    EXPECT_EQ(thePlayer().getBBox()->getTopBound(), 129) << "the head just below the ledge top";
    const int hangX = thePlayer().getXPos();
    const int hangY = thePlayer().getYPos();

    release(SDLK_SPACE);
    tick();
    hold(SDLK_SPACE);
    tick();
    ASSERT_TRUE(thePlayer().state().climbing);
    for (int i = 1; i <= 11; i++) {
        tick();
        ASSERT_TRUE(thePlayer().state().climbing) << "tick " << i;
        ASSERT_EQ(thePlayer().getXPos(), hangX);
        ASSERT_EQ(thePlayer().getYPos(), hangY);
    }
    tick();
    EXPECT_FALSE(thePlayer().state().climbing);
    EXPECT_FALSE(thePlayer().state().grappling);
    EXPECT_EQ(thePlayer().getXPos(), hangX + kBoxRight - kBoxLeft);
    EXPECT_EQ(thePlayer().getBBox()->getBottomBound(), 127) << "standing on the ledge";

    // It stays there; the Jump key held since the climb must be released before a jump.
    const int climbedX = thePlayer().getXPos();
    const int climbedY = thePlayer().getYPos();
    release(SDLK_RIGHT);
    ticks(3);
    EXPECT_TRUE(thePlayer().state().climbFinished);
    EXPECT_EQ(thePlayer().getYPos(), climbedY);
    releaseAllKeys();
    ticks(10);
    EXPECT_FALSE(thePlayer().state().climbFinished);
    EXPECT_EQ(thePlayer().getXPos(), climbedX);
    EXPECT_EQ(thePlayer().getYPos(), climbedY);
    EXPECT_FALSE(thePlayer().state().falling);
}

TEST_F(PlayerWallTest, PressingAwayFromTheLedgeLetsGo) {
    jumpBesideTheBlockHoldingOn(32);
    ASSERT_TRUE(thePlayer().state().grappling);
    releaseAllKeys();
    ticks(5);
    EXPECT_TRUE(thePlayer().state().grappling) << "hanging needs no key";
    hold(SDLK_LEFT);
    tick();
    EXPECT_FALSE(thePlayer().state().grappling);
    EXPECT_GT(ticksUntil([] { return thePlayer().state().falling; }, 3), 0);
}

} // namespace
