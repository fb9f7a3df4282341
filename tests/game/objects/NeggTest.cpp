#include "InhabitantFixture.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/objects/WONegg.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr int kNeggVersion = 3;

std::string neggRecord(int version, const std::string& color, int maxTravel, int sad) {
    const std::string fields = version >= 2 ? recordText(color) + recordInteger(maxTravel) : "";
    return recordInteger(WORLD_OBJECT_NEGG) + recordInteger(version) + recordInteger(9) +
           recordInteger(10) + recordText("inhabitants") + fields +
           (version >= 3 ? recordInteger(sad) : "");
}

class NeggTest : public InhabitantFixture {
protected:
    WONegg& placeNegg(const std::string& color, int sad, int x, int maxTravel = 0) {
        auto* negg = new WONegg();
        EXPECT_TRUE(loadBytes(*negg, neggRecord(kNeggVersion, color, maxTravel, sad)));
        return placeOnFloor(negg, x);
    }

    // The gap between the Negg's box and the player's, whichever side the player is on.
    static int gapToPlayer(const WONegg& negg) {
        const BoundingBox* own = negg.getBBox();
        const BoundingBox* target = thePlayer().getBBox();
        return std::max(target->getLeftBound() - own->getRightBound(),
                        own->getLeftBound() - target->getRightBound());
    }
};

TEST_F(NeggTest, BecomesHappyAfter240TicksNearANeggOfItsColourAndStaysSo) {
    standAt(300);
    WONegg& first = placeNegg(WONegg::kColorNormal, PX_TRUE, 40);
    WONegg& second = placeNegg(WONegg::kColorNormal, PX_TRUE, 100);
    WONegg& gold = placeNegg(WONegg::kColorGold, PX_TRUE, 170);
    for (int tick = 1; tick < WONegg::kCompanionTicks; tick++) {
        this->tick();
        ASSERT_EQ(first.getSadState(), PX_TRUE) << tick;
        ASSERT_EQ(second.getSadState(), PX_TRUE) << tick;
    }
    tick();
    EXPECT_EQ(first.getSadState(), PX_FALSE);
    EXPECT_EQ(second.getSadState(), PX_FALSE);
    EXPECT_TRUE(first.hasMetCompanion() && second.hasMetCompanion());

    ticks(2 * WONegg::kLonelinessTicks);
    EXPECT_EQ(first.getSadState(), PX_FALSE) << "a Negg that met its companion stays happy";
    EXPECT_EQ(gold.getSadState(), PX_TRUE) << "its neighbour is of another colour";
    EXPECT_FALSE(gold.hasMetCompanion());
}

TEST_F(NeggTest, FollowsANearPlayerAndTurnsSadAgainWhenLeftAloneWithoutACompanion) {
    constexpr int kPlayerX = 100;
    standAt(kPlayerX);
    // Follow distances of 17 and 20: short enough to roll up to a player who is near.
    srand(12);
    WONegg& tethered = placeNegg(WONegg::kColorPink, PX_FALSE, kPlayerX - 48, 4);
    WONegg& follower = placeNegg(WONegg::kColorNormal, PX_FALSE, kPlayerX + 48);
    int expectedGap = gapToPlayer(follower);
    ASSERT_GT(expectedGap, follower.followDistance()) << "starts farther than it follows";
    while (expectedGap > follower.followDistance()) {
        expectedGap -= 2;
    }
    ASSERT_GT(gapToPlayer(tethered), tethered.followDistance() + 4);

    ticks(60);
    EXPECT_TRUE(follower.isFollowing());
    EXPECT_EQ(gapToPlayer(follower), expectedGap) << "rolls 2 pixels a tick up to its distance";
    EXPECT_EQ(tethered.getXPos(), kPlayerX - 48 + 4) << "no farther than its Max Travel";

    standAt(300);
    EXPECT_FALSE(follower.isFollowing());
    ticks(WONegg::kLonelinessTicks - 3);
    EXPECT_EQ(follower.getSadState(), PX_FALSE);
    tick();
    EXPECT_EQ(follower.getSadState(), PX_TRUE) << "240 ticks without the player";
    EXPECT_EQ(tethered.getSadState(), PX_TRUE);
}

TEST_F(NeggTest, RecordRoundTripsFromEveryVersionAndAnUnknownColourBecomesNormal) {
    WONegg negg;
    const std::string current = neggRecord(kNeggVersion, WONegg::kColorGold, 30, PX_TRUE);
    ASSERT_TRUE(loadBytes(negg, current));
    EXPECT_STREQ(negg.color(), WONegg::kColorGold);
    EXPECT_EQ(negg.getSadState(), PX_TRUE);
    EXPECT_EQ(savedBytes(negg), current);
    expectRoundTrip(negg);

    WONegg old;
    ASSERT_TRUE(loadBytes(old, neggRecord(2, "violet", 12, PX_TRUE)));
    EXPECT_STREQ(old.color(), WONegg::kColorNormal);
    EXPECT_EQ(old.getSadState(), PX_FALSE) << "version 2 keeps the constructor's mood";
    ASSERT_TRUE(loadBytes(old, neggRecord(1, "", 0, 0)));
    EXPECT_EQ(old.getXPos(), 9);
}

} // namespace
