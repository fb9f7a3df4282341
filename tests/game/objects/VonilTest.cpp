#include "InhabitantFixture.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/objects/WONest.h"
#include "game/objects/WOVonil.h"

#include <gtest/gtest.h>

namespace {

class VonilTest : public InhabitantFixture {
protected:
    static WOVonil& sadVonilAt(int x, int y) {
        WOVonil& vonil = placeObject(new WOVonil(), x, y);
        vonil.setSadState(PX_TRUE);
        return vonil;
    }

    // Its bottom stays 20 to 25 pixels above the player's top.
    static void expectHovering(const WOVonil& vonil) {
        const int gap = thePlayer().getBBox()->getTopBound() - vonil.getBBox()->getBottomBound();
        EXPECT_GE(gap, WOVonil::kHoverMinimum);
        EXPECT_LE(gap, WOVonil::kHoverMaximum);
    }
};

TEST_F(VonilTest, FollowsOnlyAPlayerWithoutFollowerAndFliesThroughWalls) {
    // A wall at hover height the player walks under.
    fillTiles(8, 4, 9, 4, kSolid);
    standAt(100);
    WOVonil& vonil = sadVonilAt(130, 100);
    TestBlock& other = placeObject(new TestBlock(), 300, 0);
    thePlayer().setFollowedBy(&other);
    ticks(5);
    EXPECT_FALSE(vonil.isFollowing());
    EXPECT_EQ(vonil.getXPos(), 130);
    EXPECT_EQ(vonil.getYPos(), 100);

    thePlayer().setFollowedBy(nullptr);
    tick();
    EXPECT_TRUE(vonil.isFollowing());
    EXPECT_EQ(thePlayer().followedBy(), &vonil);
    expectHovering(vonil);

    hold(SDLK_LEFT);
    for (int tick = 0; tick < 100; tick++) {
        const int x = vonil.getXPos();
        this->tick();
        ASSERT_LE(x - vonil.getXPos(), 3) << "1 to 3 pixels a tick";
        ASSERT_GE(x - vonil.getXPos(), 0) << "toward the player";
        expectHovering(vonil);
        if (tick == 40) {
            release(SDLK_LEFT);
        }
    }
    const int distance = vonil.getBBox()->getLeftBound() - thePlayer().getBBox()->getRightBound();
    EXPECT_GE(distance, WOVonil::kFollowDistance - 2);
    EXPECT_LE(distance, WOVonil::kFollowDistance);
    EXPECT_LT(vonil.getBBox()->getLeftBound(), 5 * kTile) << "into the wall's column";
}

TEST_F(VonilTest, LedWithinSixtyPixelsOfASadNestMakesBothHappy) {
    WONest& nest = placeOnFloor(new WONest(), 0);
    standAt(180);
    WOVonil& vonil = sadVonilAt(200, 100);
    tick();
    ASSERT_TRUE(vonil.isFollowing());

    hold(SDLK_LEFT);
    int left = vonil.getBBox()->getLeftBound();
    const int arrived = ticksUntil(
        [&] {
            const bool happy = !vonil.getSadState();
            if (!happy) {
                left = vonil.getBBox()->getLeftBound();
            }
            return happy;
        },
        300);
    ASSERT_GT(arrived, 0);
    EXPECT_GT(left - WOVonil::kNestRange, nest.getBBox()->getRightBound()) << "not before";
    EXPECT_LE(vonil.getBBox()->getLeftBound() - WOVonil::kNestRange,
              nest.getBBox()->getRightBound());
    EXPECT_FALSE(nest.isSad());
    EXPECT_TRUE(vonil.isAtNest());
    EXPECT_FALSE(vonil.isFollowing());
    EXPECT_EQ(thePlayer().followedBy(), nullptr);

    const int x = vonil.getXPos();
    ticks(30);
    EXPECT_EQ(vonil.getXPos(), x) << "stays at its nest";
    EXPECT_EQ(thePlayer().followedBy(), nullptr);
    expectRoundTrip(vonil);

    WOVonil loaded;
    const std::string firstVersion = recordInteger(WORLD_OBJECT_VONIL) + recordInteger(1) +
                                     recordInteger(5) + recordInteger(6) +
                                     recordText("inhabitants") + recordInteger(PX_TRUE);
    ASSERT_TRUE(loadBytes(loaded, firstVersion));
    EXPECT_FALSE(loaded.isAtNest());
    EXPECT_EQ(savedBytes(loaded), recordInteger(WORLD_OBJECT_VONIL) + recordInteger(2) +
                                      firstVersion.substr(8) + recordInteger(0));
}

} // namespace
