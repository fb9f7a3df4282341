#include "InhabitantFixture.h"
#include "TestWorldObjects.h"
#include "engine/PXInit.h"
#include "game/objects/WOApple.h"
#include "game/objects/WORaam.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

class RaamTest : public InhabitantFixture {
protected:
    static WORaam& sadRaamAt(int x) {
        WORaam& raam = placeOnFloor(new WORaam(), x);
        raam.setSadState(PX_TRUE);
        return raam;
    }

    static bool inWorld(const WorldObject* object) {
        const auto& objects = *globalWorldObjectVector;
        return std::find(objects.begin(), objects.end(), object) != objects.end();
    }

    static bool isCarriable(const WorldObject& object) {
        return (object.getPropertyFlags() & WORLD_OBJECT_PROPERTY_CARRIABLE) != 0;
    }
};

TEST_F(RaamTest, IgnoresCarriedFoodThenWalksToItAndEatsItOnce) {
    WOApple& apple = placeOnFloor(new WOApple(), 160);
    standAt(158);
    pressAction();
    ASSERT_EQ(thePlayer().heldObject(), &apple);
    WORaam& raam = sadRaamAt(100);
    ticks(30);
    EXPECT_EQ(raam.getXPos(), 100);
    EXPECT_FALSE(raam.hasChosen(&apple));
    EXPECT_TRUE(isCarriable(apple));

    ticks(30);
    pressAction();
    ASSERT_EQ(thePlayer().heldObject(), nullptr);
    const int walked = ticksUntil(
        [&] {
            EXPECT_TRUE(raam.hasChosen(&apple));
            EXPECT_FALSE(isCarriable(apple)) << "nobody takes it away while it is eaten";
            return raam.isEating();
        },
        200);
    ASSERT_GT(walked, 0);
    EXPECT_EQ(raam.getBBox()->getRightBound(), apple.getBBox()->getLeftBound())
        << "walks 1 pixel a tick until the boxes overlap";

    const size_t objects = globalWorldObjectVector->size();
    ticks(119);
    EXPECT_EQ(raam.getSadState(), PX_TRUE) << "eats for at least 120 ticks";
    EXPECT_TRUE(inWorld(&apple));
    EXPECT_GT(ticksUntil([&] { return !raam.getSadState(); }, 121), 0) << "at most 240";
    EXPECT_FALSE(inWorld(&apple));
    EXPECT_EQ(globalWorldObjectVector->size(), objects - 1);
    EXPECT_FALSE(raam.isEating());
    ticks(10);
    EXPECT_EQ(globalWorldObjectVector->size(), objects - 1);
}

TEST_F(RaamTest, TwoRaamsNeverShareFoodAndFoodThatLeavesIsForgotten) {
    WOApple& first = placeOnFloor(new WOApple(), 150);
    WORaam& left = sadRaamAt(60);
    WORaam& right = sadRaamAt(240);
    tick();
    EXPECT_TRUE(left.hasChosen(&first)) << "the first in the map's order";
    EXPECT_FALSE(right.hasChosen(&first));
    ticks(10);
    EXPECT_EQ(right.getXPos(), 240);

    WOApple& second = placeOnFloor(new WOApple(), 280);
    tick();
    EXPECT_TRUE(right.hasChosen(&second));
    EXPECT_FALSE(left.hasChosen(&second));

    removeWorldObjectFromWorldObjectVector(&first);
    tick();
    const int leftX = left.getXPos();
    ticks(10);
    EXPECT_EQ(left.getXPos(), leftX) << "the other food is taken";
    EXPECT_FALSE(left.isEating());

    second.setBeingHeld(PX_TRUE);
    tick();
    EXPECT_FALSE(right.hasChosen(&second));
    EXPECT_TRUE(isCarriable(second)) << "given back when carried off";
}

TEST_F(RaamTest, RecordRoundTripsAndAnUnknownFoodFallsBackToApples) {
    WORaam& raam = sadRaamAt(30);
    expectRoundTrip(raam);

    WORaam loaded;
    ASSERT_TRUE(loadBytes(loaded, recordInteger(WORLD_OBJECT_RAAM) + recordInteger(1) +
                                      recordInteger(5) + recordInteger(6) +
                                      recordText("inhabitants") + recordText("cheese") +
                                      recordInteger(PX_TRUE)));
    EXPECT_STREQ(loaded.preferredFood(), WORaam::kFoodApple);
    EXPECT_EQ(loaded.getSadState(), PX_TRUE);
}

} // namespace
